#include "ListTestHome.h"

#include <QLocale>

namespace {

class CellTextTest : public ListTestHome {};

TEST_F(CellTextTest, EveryLetter) {
    SetCenter(47.6, -122.3);
    CRecordSummary* s = Add({"Old Mill", 47.5, -122.4, kFlagFound | kFlagBugs, "1.5", "Ann",
                             "GC12AB", "Micro", "Traditional Cache"});
    s->terr = "2";
    s->custom1 = "one";
    s->custom2 = "two";
    s->custom3 = "three";
    s->SetFindRat(" 42");
    s->log_end = DateTimeToTimestamp(QDateTime(QDate(2024, 5, 6), QTime(7, 8), Qt::UTC));

    const QString huntEnd = QLocale().toString(TimestampToLocal(s->log_end), QLocale::ShortFormat);
    const QStringList expected{"T",      "M",   "",    "",        "",   "",    "Old Mill",
                               "GC12AB", "1.5", "2",   "13.4 km", "SW", "Ann", huntEnd,
                               "",       "one", "two", "three",   "42"};
    for (int kind = 0; kind < kColumnKindCount; ++kind) {
        const QChar letter = CListColumns::LetterOf(kind);
        SCOPED_TRACE(QString(letter).toStdString());
        EXPECT_EQ(list.CellText(*s, letter), expected[kind]);
    }
    EXPECT_FALSE(huntEnd.isEmpty());
    for (QChar other : {QChar('T'), QChar('g'), QChar('@')})
        EXPECT_EQ(list.CellText(*s, other), "");
    // Cut to the buffer the list offers, less one character for the terminator.
    EXPECT_EQ(list.CellText(*s, 'G', 4), "Old");
    EXPECT_EQ(list.CellText(*s, 'G', 9), "Old Mill");

    s->log_end = 0;
    EXPECT_EQ(list.CellText(*s, 'N'), "");
}

} // namespace
