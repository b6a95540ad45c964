#include "ListTestHome.h"

namespace {

class SortTest : public ListTestHome {
protected:
    // Filters, sorts by `kind` in both directions and checks that the sort agrees with
    // CompareSummaries; returns the ascending names.
    QStringList SortedBy(int kind) {
        settings->m_sortColumn = kind;
        settings->m_sortAscend = 0;
        list.ApplyFilters();
        CheckOrder(kind, false);
        const QStringList descending = VisibleNames();
        settings->m_sortAscend = 1;
        list.SortVisible();
        CheckOrder(kind, true);
        QStringList reversed(descending.crbegin(), descending.crend());
        if (!m_ties) {
            EXPECT_EQ(VisibleNames(), reversed) << "descending is not the reverse";
        }
        return VisibleNames();
    }

    void CheckOrder(int kind, bool ascend) {
        for (int row = 1; row < list.VisibleCount(); ++row) {
            CRecordSummary& a = *list.VisibleAt(row - 1);
            CRecordSummary& b = *list.VisibleAt(row);
            EXPECT_LE(list.CompareSummaries(a, b), 0)
                << a.name.toStdString() << " before " << b.name.toStdString();
            EXPECT_EQ(list.CompareSummaries(a, b), list.CompareSummaries(a, b, kind, ascend));
        }
    }

    bool m_ties = false;
};

TEST_F(SortTest, TextKindsIgnoreCase) {
    struct Case {
        int kind;
        QString CRecordSummary::*field;
    };
    const Case cases[] = {
        {kKindType, &CRecordSummary::rtype},      {kKindContainer, &CRecordSummary::cont},
        {kKindName, &CRecordSummary::name},       {kKindWpt, &CRecordSummary::wpt},
        {kKindDiff, &CRecordSummary::diff},       {kKindTerr, &CRecordSummary::terr},
        {kKindOwner, &CRecordSummary::owner},     {kKindCustom1, &CRecordSummary::custom1},
        {kKindCustom2, &CRecordSummary::custom2}, {kKindCustom3, &CRecordSummary::custom3},
    };
    // As text, 10 sorts before 2 (difficulty is not compared as a number); texts alike in their
    // first characters and letters outside ASCII compare without regard to case too.
    const QStringList values{"b",          "10",      "cache b", "A", "Zebra",      "2",
                             "\u00c4rger", "Cache A", "c",       "",  "\u00e4rger2"};
    const QStringList sorted{"",        "10",      "2",     "A",          "b",          "c",
                             "Cache A", "cache b", "Zebra", "\u00c4rger", "\u00e4rger2"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        list.Clear();
        for (const QString& v : values) {
            CRecordSummary* s = Add({v});
            s->*c.field = v;
        }
        EXPECT_EQ(SortedBy(c.kind), sorted);
    }
}

TEST_F(SortTest, BearingSortsByText) {
    SetCenter(47.0, 8.0);
    const struct {
        const char* name;
        double lat, lon;
    } records[] = {
        {"N", 47.1, 8.0},  {"NE", 47.1, 8.1}, {"E", 47.0, 8.1},
        {"SE", 46.9, 8.1}, {"S", 46.9, 8.0},  {"SW", 46.9, 7.9},
        {"W", 47.0, 7.9},  {"NW", 47.1, 7.9}, {"", kNoCoordinate, kNoCoordinate},
    };
    for (const auto& r : records) {
        CRecordSummary* s = Add({QString::fromLatin1(r.name), r.lat, r.lon});
        ASSERT_EQ(CRecordList::BearingText(*s), s->name);
    }
    EXPECT_EQ(SortedBy(kKindBearing),
              (QStringList{"", "E", "N", "NE", "NW", "S", "SE", "SW", "W"}));
}

TEST_F(SortTest, DistanceUnknownFirst) {
    SetCenter(47.0, 8.0);
    Add({"far", 48.0, 8.0});
    Add({"nowhere"});
    Add({"here", 47.0, 8.0});
    Add({"near", 47.1, 8.0});
    EXPECT_EQ(SortedBy(kKindDistance), (QStringList{"nowhere", "here", "near", "far"}));
}

TEST_F(SortTest, FoundOwnedBeforeFound) {
    SetUserIds({"me", "Also Me"});
    Add({"owned found", kNoCoordinate, kNoCoordinate, kFlagFound, "", "me"});
    Add({"found", kNoCoordinate, kNoCoordinate, kFlagFound, "", "someone"});
    Add({"owned", kNoCoordinate, kNoCoordinate, 0, "", "Also Me"});
    Add({"plain", kNoCoordinate, kNoCoordinate, 0, "", "ME"}); // letter case counts
    EXPECT_EQ(SortedBy(kKindFound), (QStringList{"plain", "found", "owned", "owned found"}));
    EXPECT_TRUE(CRecordList::IsOwned(*list.LoadedAt(2)));
    EXPECT_FALSE(CRecordList::IsOwned(*list.LoadedAt(3)));
}

TEST_F(SortTest, FlagsNumbersAndTimes) {
    struct Case {
        int kind;
        void (*set)(CRecordSummary&, int rank);
    };
    const Case cases[] = {
        {kKindBug, [](CRecordSummary& s, int r) { s.flags = r ? kFlagBugs : kFlagFound; }},
        {kKindBookmark,
         [](CRecordSummary& s, int r) { s.flags = r ? kFlagBookmarked : kFlagDisabled; }},
        {kKindDisabled, [](CRecordSummary& s, int r) { s.flags = r ? kFlagDisabled : kFlagBugs; }},
        {kKindNotes, [](CRecordSummary& s, int r) { s.log_type = r; }},
        {kKindHuntEnd,
         [](CRecordSummary& s, int r) { s.log_end = r ? 0x8000000000000000ull + r : 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        list.Clear();
        const int ranks = c.kind == kKindNotes || c.kind == kKindHuntEnd ? 4 : 2;
        for (int r = ranks - 1; r >= 0; --r)
            c.set(*Add({QString::number(r)}), r);
        QStringList expected;
        for (int r = 0; r < ranks; ++r)
            expected.append(QString::number(r));
        EXPECT_EQ(SortedBy(c.kind), expected);
    }
}

TEST_F(SortTest, FindRating) {
    const struct {
        const char* name;
        const char* findRat; // nullptr: no find rate
    } records[] = {
        {"250", "250"}, {"missing", nullptr}, {"75", "  75"},
        {"100", "100"}, {"text", "abc"},      {"-5", "-5"},
    };
    for (const auto& r : records) {
        CRecordSummary* s = Add({QString::fromLatin1(r.name)});
        if (r.findRat)
            s->SetFindRat(QString::fromLatin1(r.findRat));
    }
    EXPECT_EQ(list.LoadedAt(0)->find_rating, 100);
    EXPECT_EQ(list.LoadedAt(1)->find_rating, -1000);
    EXPECT_EQ(list.LoadedAt(2)->find_rat, "75");
    m_ties = true; // 250 and 100 both rate 100
    const QStringList sorted = SortedBy(kKindFindRating);
    EXPECT_EQ(sorted.mid(0, 4), (QStringList{"missing", "-5", "text", "75"}));
    EXPECT_EQ(QSet<QString>(sorted.begin() + 4, sorted.end()), (QSet<QString>{"100", "250"}));
}

TEST_F(SortTest, UnknownKindKeepsRows) {
    Add({"b"});
    Add({"a"});
    settings->m_sortColumn = 19;
    list.ApplyFilters();
    EXPECT_EQ(VisibleNames(), (QStringList{"b", "a"}));
    EXPECT_EQ(list.CompareSummaries(*list.LoadedAt(0), *list.LoadedAt(1)), 0);
}

} // namespace
