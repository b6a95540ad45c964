// The related waypoints section, built from a description's waypoint list or from the database's
// records of the same GC code, and its place on the main page. Uses a real record database.
#include "PageTestSupport.h"

#include "CTestHome.h"
#include "db/CCacheDb.h"
#include "db/CCacheRecord.h"
#include "recordview/CRecPageGenerator.h"

#include <gtest/gtest.h>

namespace {

class RelatedSectionTest : public CTestHome {
protected:
    void SetUp() override {
        CTestHome::SetUp();
        ASSERT_TRUE(db.Open(Path(QStringLiteral("Test")), QStringLiteral("Test")));
    }
    void TearDown() override {
        db.Close();
        CTestHome::TearDown();
    }

    quint32 Store(const char* wpt, const char* name) {
        CCacheRecord r;
        r.wpt = QString::fromUtf8(wpt);
        r.name = QString::fromUtf8(name);
        EXPECT_TRUE(db.SaveRecord(r, true));
        return r.id;
    }

    CCacheDb db;
};

const QString kAnchor = QStringLiteral("<a name=\"auxwpt\"></a><b>");
const QString kDbSection = QStringLiteral("<a name=\"auxwpt\"></a><b>Additional Waypoints</b>\r\n"
                                          "<a href=\"qbhva:goto-PK12AB\">PK12AB</a> - Parking\r\n");

TEST_F(RelatedSectionTest, Sections) {
    Store("PK1234", "Parking lot");
    Store("PK12AB", "Parking");
    Store("A\"B", "Quoted");
    // 37 characters and the line end: the longest heading line.
    const QString line37 = QStringLiteral("Additional Waypoints for this cache..");
    ASSERT_EQ(line37.size(), 37);

    struct Case {
        const char* label;
        QString wpt;
        QString descr;
        bool withDb;
        bool present;
        QString related;
    };
    const Case cases[] = {
        {"heading line with a stored waypoint", QStringLiteral("GC1234"),
         QStringLiteral("Additional Waypoints\r\nPK1234 - Parking"), true, true,
         kAnchor + QStringLiteral("Additional Waypoints\r\n</b>"
                                  "<a href=\"qbhva:goto-PK1234\">PK1234</a> - Parking")},
        {"lines before the heading stay; angle brackets go except on the last line",
         QStringLiteral("GC1234"),
         QStringLiteral("Intro <1> & more\r\n== Additional Waypoints ==\r\nPK1234 - <Park>\r\n"
                        "XX99 - not stored\r\n - no ID\r\n\r\nlast <line>"),
         true, true,
         QStringLiteral("Intro &lt;1&gt; &amp; more\r\n") + kAnchor +
             QStringLiteral("== Additional Waypoints ==\r\n</b>"
                            "<a href=\"qbhva:goto-PK1234\">PK1234</a> - Park\r\n"
                            "XX99 - not stored\r\n - no ID\r\n\r\nlast &lt;line&gt;")},
        {"heading found but no database: lines unlinked", QStringLiteral("GC1234"),
         QStringLiteral("Additional Waypoints\r\nPK1234 - Parking\r\n"), false, true,
         kAnchor + QStringLiteral("Additional Waypoints\r\n</b>PK1234 - Parking\r\n")},
        {"quote in a stored waypoint ID stays inside the link", QStringLiteral("WP1"),
         QStringLiteral("Additional Waypoints\r\nA\"B - Quoted"), true, true,
         kAnchor + QStringLiteral("Additional Waypoints\r\n</b>"
                                  "<a href=\"qbhva:goto-A&quot;B\">A\"B</a> - Quoted")},
        {"39 characters is a heading", QStringLiteral("WP1"),
         line37 + QStringLiteral("\r\nPK1234 - P"), true, true,
         kAnchor + line37 + QStringLiteral("\r\n</b><a href=\"qbhva:goto-PK1234\">PK1234</a> - P")},
        {"40 characters after escaping is no heading", QStringLiteral("WP1"),
         QStringLiteral("Additional Waypoints & this cache.\r\nPK1234 - P"), true, false,
         QString()},
        {"longer line with both words is no heading", QStringLiteral("WP1"),
         QStringLiteral("See the Additional parking Waypoints listed below\r\nPK1234 - Parking"),
         true, false, QString()},
        {"words in the wrong order", QStringLiteral("WP1"),
         QStringLiteral("Waypoints Additional\r\nPK1234 - Parking"), true, false, QString()},
        {"heading must end with a line end", QStringLiteral("WP1"),
         QStringLiteral("Additional Waypoints"), true, false, QString()},
        {"GC record: description then the database's section", QStringLiteral("GC12AB"),
         QStringLiteral("Line <one>\r\nLine two"), true, true,
         QStringLiteral("Line &lt;one&gt;\r\nLine two\r\n") + kDbSection},
        {"GC record: description ending in a line end", QStringLiteral("gc12AB"),
         QStringLiteral("Line one\r\n"), true, true, QStringLiteral("Line one\r\n") + kDbSection},
        {"GC record: empty description", QStringLiteral("GC12AB"), QString(), true, true,
         kDbSection},
        {"GC record without related records", QStringLiteral("GC9999"),
         QStringLiteral("Line one\r\nLine two"), true, false, QString()},
        {"GC record without a database", QStringLiteral("GC12AB"), QStringLiteral("Line one"),
         false, false, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CCacheRecord r;
        r.wpt = c.wpt;
        r.descr = c.descr;
        CRecPageGenerator gen(r, c.withDb ? &db : nullptr);
        gen.PrepareRelatedSection();
        EXPECT_EQ(gen.HasRelatedSection(), c.present);
        EXPECT_EQ(Std(gen.RelatedSection()), Std(c.related));
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RelatedSectionTest, SectionReplacesDescriptionOnMainPage) {
    Store("PK1234", "Parking lot");
    Store("PK12AB", "Parking");
    struct Case {
        const char* label;
        QString wpt;
        QString descr;
        bool moreLink;
        QString descriptionPiece;
    };
    const Case cases[] = {
        {"listed waypoints", QStringLiteral("GC1234"),
         QStringLiteral("Go <here>\r\nAdditional Waypoints\r\nPK1234 - Parking\r\nEnd"), true,
         QStringLiteral("<br>\nGo &lt;here&gt;<br>\r\n<a name=\"auxwpt\"></a><b>Additional "
                        "Waypoints<br>\r\n</b><a href=\"qbhva:goto-PK1234\">PK1234</a> - "
                        "Parking<br>\r\nEnd<br>\n")},
        {"no heading, no match: ordinary text", QStringLiteral("WP1"),
         QStringLiteral("See the Additional parking Waypoints listed below\r\nPK1234 - <P>"), false,
         QStringLiteral("<br>\nSee the Additional parking Waypoints listed below<br>\r\n"
                        "PK1234 - &lt;P&gt;<br>\n")},
        {"empty description with the database's section", QStringLiteral("GC12AB"), QString(), true,
         QStringLiteral("<br>\n<a name=\"auxwpt\"></a><b>Additional Waypoints</b><br>\r\n"
                        "<a href=\"qbhva:goto-PK12AB\">PK12AB</a> - Parking<br>\r\n<br>\n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CCacheRecord r;
        r.name = r.wpt = c.wpt;
        r.descr = c.descr;
        CRecPageGenerator gen(r, &db);
        gen.PrepareRelatedSection();
        const QStringList pieces = PiecesOf(gen, QStringLiteral("main"));
        ASSERT_EQ(pieces.size(), 4);
        EXPECT_EQ(pieces.at(1).contains(QLatin1String("<a href=\"#auxwpt\">More Waypoints</a> ")),
                  c.moreLink);
        EXPECT_EQ(Std(pieces.at(2)), Std(c.descriptionPiece));
    }
}

// A record whose name is its waypoint ID, stored without type or container and loaded back.
TEST_F(RelatedSectionTest, MinimalRecordLoadedFromDatabase) {
    const quint32 id = Store("WP1", "WP1");
    ASSERT_TRUE(db.Execute(QStringLiteral("update t_main set rtype=null, cont=null")));
    CCacheRecord r;
    ASSERT_TRUE(db.LoadRecord(id, r));

    CRecPageGenerator gen(r, &db);
    gen.PrepareRelatedSection();
    const QStringList pieces = PiecesOf(gen, QStringLiteral("main"));
    const QStringList expected = {
        QStringLiteral("<p><a name=\"top\"></a><b>WP1</b></p>\n"),
        QStringLiteral("<p><br>\n<a href=\"qbhva:edit-record\">Edit Record</a> "
                       "<a href=\"qbhva:edit-log\">Edit Log</a><br><br>\n"
                       "Container: Not chosen<br>\n"),
        QString(),
        QStringLiteral("</p>\n"),
    };
    EXPECT_EQ(Std(pieces.join(QStringLiteral("|"))), Std(expected.join(QStringLiteral("|"))));
}

} // namespace
