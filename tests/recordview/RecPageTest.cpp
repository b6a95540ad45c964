// Record pages built from records in memory (no database): page names and anchors, the header,
// the main page's first piece, past logs, hints and the user log section.
#include "PageTestSupport.h"

#include "db/CCacheRecord.h"
#include "recordview/CRecPageGenerator.h"
#include "util/Timestamps.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString kEditLinks = QStringLiteral("<a href=\"qbhva:edit-record\">Edit Record</a> "
                                          "<a href=\"qbhva:edit-log\">Edit Log</a><br><br>\n");

// A record as a plug-in might deliver it: one log, three image links (one empty entry between).
CCacheRecord SampleRecord() {
    CCacheRecord r;
    r.name = QStringLiteral("Cache");
    r.wpt = QStringLiteral("GC1");
    r.cont.clear();
    r.hints = QStringLiteral("Ybbx");
    r.past_log = Entries({"Alice", "Found it", "", "Gunaxf"});
    r.img_urls = Entries({"http://h/a.jpg", "", "b.png", "http://h/c/d.gif"});
    return r;
}

TEST(RecPage, PageNamesAnchorsAndRanges) {
    const CCacheRecord record = SampleRecord();
    const CRecPageGenerator gen(record, nullptr);
    ASSERT_EQ(gen.ImageLinks().size(), 3);

    const QString header = QStringLiteral("<p><a name=\"top\"></a><b>Cache (GC1)</b></p>\n");
    const QString hints = QStringLiteral(
        "<p><br><a href=\"qbhv:main#hints\">Main</a> &gt; Decoded Hints<br><br>\nLook</p>\n");
    const QString log0 =
        QStringLiteral("<p><br><a href=\"qbhv:main#logs\">Main</a> &gt; Decoded "
                       "Log<br>\n<br><b>Alice - Found it</b><br>\nThanks<br>\n</p>");
    const QString noLog = QStringLiteral("<p><br><a href=\"qbhv:main#logs\">Main</a> &gt; Decoded "
                                         "Log<br>\n<br>This log does not exist.<br>\n</p>");
    const QString images = QStringLiteral(
        "<p><br><a href=\"qbhv:main#top\">Main</a> &gt; Images<br>\n"
        "<br><a href=\"qbhv:image0\">a.jpg</a>\n<br><a href=\"qbhv:image1\">b.png</a>\n"
        "<br><a href=\"qbhv:image2\">d.gif</a>\n</p>\n");
    const QString trail = QStringLiteral(
        "<p><br><a href=\"qbhv:main#top\">Main</a> &gt; <a href=\"qbhv:images\">Images</a>");
    const QString image0 =
        trail + QStringLiteral(" &gt; a.jpg<br><br>\n<img src=\"http://h/a.jpg\"></p>\n");
    const QString image2 =
        trail + QStringLiteral(" &gt; d.gif<br><br>\n<img src=\"http://h/c/d.gif\"></p>\n");
    const QString noImage = trail + QStringLiteral("<br><br>\nThis image does not exist.</p>\n");

    struct Case {
        const char* page;
        QString calls;
        QString body; // the piece after the header; null for a header-only page
    };
    const QString plain = QStringLiteral("clear | shrink 1 | append | append | end");
    const QString image = QStringLiteral("clear | shrink 1 | append | shrink 0 | append | end");
    const QString headerOnly = QStringLiteral("clear | shrink 1 | append | end");
    const Case cases[] = {
        {"hints#top", plain + QStringLiteral(" | scroll top"), hints},
        {"log0", plain, log0},
        {"logs", plain, log0}, // no digits read as 0
        {"log0#a#b", plain + QStringLiteral(" | scroll b"), log0},
        {"log1", plain, noLog},
        {"log99999999999999999999", plain, noLog},
        {"images", plain, images},
        {"image", image, image0},
        {"image2#x", image + QStringLiteral(" | scroll x"), image2},
        {"image3", image, noImage},
        {"image4294967296", image, noImage},
        {"Main", headerOnly, QString()},
        {"#top", headerOnly, QString()}, // a "#" in first place is part of the name
        {"unknown#", headerOnly + QStringLiteral(" | scroll "), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        const QString page = QString::fromUtf8(c.page);
        EXPECT_EQ(Std(CallsOf(gen, page)), Std(c.calls));
        const QStringList pieces = PiecesOf(gen, page);
        ASSERT_FALSE(pieces.isEmpty());
        EXPECT_EQ(Std(pieces.first()), Std(header));
        EXPECT_EQ(Std(pieces.mid(1).join(QString())), Std(c.body));
    }
}

TEST(RecPage, Header) {
    struct Case {
        const char* name;
        const char* wpt;
        const char* bold;
    };
    const Case cases[] = {
        {"GC1", "GC1", "GC1"},
        {"gc1", "GC1", "gc1 (GC1)"}, // the comparison is case-sensitive
        {"A<B>&C", "W&1", "A&lt;B&gt;&amp;C (W&amp;1)"},
        {"Name", "", "Name ()"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CCacheRecord r;
        r.name = QString::fromUtf8(c.name);
        r.wpt = QString::fromUtf8(c.wpt);
        const CRecPageGenerator gen(r, nullptr);
        EXPECT_EQ(Std(PiecesOf(gen, QStringLiteral("main")).first()),
                  "<p><a name=\"top\"></a><b>" + std::string(c.bold) + "</b></p>\n");
    }
}

TEST(RecPage, MainFirstPiece) {
    struct Case {
        const char* label;
        std::function<void(CCacheRecord&)> set;
        QStringList hyperlinks;
        QString expected;
    };
    const QString type = QStringLiteral("<p>Traditional Cache<br>\n");
    const Case cases[] = {
        {"type and owner escaped",
         [](CCacheRecord& r) {
             r.rtype = QStringLiteral("Multi<cache>");
             r.owner = QStringLiteral("Bob & Co");
         },
         {},
         QStringLiteral("<p>Multi&lt;cache&gt; by Bob &amp; Co<br>\n") + kEditLinks},
        {"empty type", [](CCacheRecord& r) { r.rtype.clear(); }, {}, "<p><br>\n" + kEditLinks},
        {"first link row",
         [](CCacheRecord& r) {
             r.hints = QStringLiteral("h");
             r.past_log = QStringLiteral("one piece");
             r.img_urls = QStringLiteral("a.jpg");
             r.url = QStringLiteral("http://x");
         },
         {},
         type +
             QStringLiteral("<a href=\"#hints\">Hints</a> <a href=\"#logs\">Past Logs</a> "
                            "<a href=\"qbhv:images\">Images</a> "
                            "<a href=\"qbhva:view-online\">View Online</a> <br>") +
             kEditLinks},
        {"image links that are all empty",
         [](CCacheRecord& r) {
             r.img_urls = Entries({"", ""});
         },
         {},
         type + kEditLinks},
        {"second link row in order, last hyperlink pair first, odd entry ignored",
         [](CCacheRecord& r) {
             r.descr = QStringLiteral("Additional Waypoints\r\nX");
             r.log_type = 3;
         },
         {"Show map", "map", "A<b> c", "calc", "odd"},
         type +
             QStringLiteral("<a href=\"#auxwpt\">More Waypoints</a> "
                            "<a href=\"#userlog\">User Log</a> "
                            "<a href=\"qbhva:plugin-1\">A&lt;b&gt;&nbsp;c</a> "
                            "<a href=\"qbhva:plugin-0\">Show&nbsp;map</a> <br>") +
             kEditLinks},
        {"unknown log type still links the user log",
         [](CCacheRecord& r) { r.log_type = 4; },
         {},
         type + QStringLiteral("<a href=\"#userlog\">User Log</a> <br>") + kEditLinks},
        {"coordinates",
         [](CCacheRecord& r) {
             r.lat = 47.5;
             r.lon = -122.25;
         },
         {},
         type + kEditLinks + QStringLiteral("<b>N47 30.000 W122 15.000 (WGS84)</b><br>\n")},
        {"one coordinate missing",
         [](CCacheRecord& r) {
             r.lat = 47.5;
             r.lon = 200.0;
         },
         {},
         type + kEditLinks},
        {"difficulty only",
         [](CCacheRecord& r) { r.diff = QStringLiteral("1.5"); },
         {},
         type + kEditLinks + QStringLiteral("Difficulty: 1.5<br>\n")},
        {"terrain only",
         [](CCacheRecord& r) { r.terr = QStringLiteral("2"); },
         {},
         type + kEditLinks + QStringLiteral("Terrain: 2<br>\n")},
        {"difficulty, terrain, container and custom fields escaped",
         [](CCacheRecord& r) {
             r.diff = QStringLiteral("<1>");
             r.terr = QStringLiteral("&2");
             r.cont = QStringLiteral("Micro & small");
             r.custom1 = QStringLiteral("a<b");
             r.custom3 = QStringLiteral("c");
         },
         {},
         type + kEditLinks +
             QStringLiteral("Difficulty: &lt;1&gt; / Terrain: &amp;2<br>\n"
                            "Container: Micro &amp; small<br>\n"
                            "Custom 1: a&lt;b<br>\nCustom 3: c<br>\n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CCacheRecord r;
        r.rtype = QStringLiteral("Traditional Cache");
        r.cont.clear();
        c.set(r);
        CRecPageGenerator gen(r, nullptr);
        gen.SetHyperlinks(c.hyperlinks);
        gen.PrepareRelatedSection();
        const QStringList pieces = PiecesOf(gen, QStringLiteral("main"));
        ASSERT_GE(pieces.size(), 2);
        EXPECT_EQ(Std(pieces.at(1)), Std(c.expected));
    }
}

TEST(RecPage, SixLogPiecesShowOneLog) {
    CCacheRecord r;
    r.name = r.wpt = QStringLiteral("GC1");
    r.past_log = Entries({"Alice", "Found", "by A", "text", "Bob", "Orphan"});
    const CRecPageGenerator gen(r, nullptr);
    EXPECT_EQ(gen.LogCount(), 1);

    const QStringList pieces = PiecesOf(gen, QStringLiteral("main"));
    ASSERT_EQ(pieces.size(), 5); // header, first, description, log 0, close
    EXPECT_TRUE(pieces.at(1).contains(QLatin1String("<a href=\"#logs\">Past Logs</a> ")));
    EXPECT_EQ(Std(pieces.at(2)), "");
    EXPECT_TRUE(pieces.at(3).startsWith(QLatin1String("<br><a name=\"logs\"></a><b>Alice - ")));
    EXPECT_EQ(Std(pieces.at(4)), "</p>\n");
    EXPECT_FALSE(pieces.join(QString()).contains(QLatin1String("Orphan")));
    EXPECT_TRUE(PiecesOf(gen, QStringLiteral("log1")).at(1).contains(QLatin1String("not exist")));
}

TEST(RecPage, PastLogsEscapeSecondHeadingAndTextOnly) {
    CCacheRecord r;
    r.name = r.wpt = QStringLiteral("GC1");
    r.past_log = Entries({"<i>Alice</i> & co", "Found <it> & more", "<u>by</u> & x",
                          "a<b & c\r\nNop", "Bob", "Note", "", "Plain"});
    const CRecPageGenerator gen(r, nullptr);

    const QStringList main = PiecesOf(gen, QStringLiteral("main"));
    ASSERT_EQ(main.size(), 6);
    EXPECT_EQ(Std(main.at(3)),
              "<br><a name=\"logs\"></a><b><i>Alice</i> & co - Found &lt;it&gt; &amp; more</b> "
              "(<a href=\"#top\">top of page</a>) (<a href=\"qbhv:log0\">decode</a>)<br>\n"
              "<font color=\"#000080\"><u>by</u> & x</font><br>\n"
              "a&lt;b &amp; c<br>\r\nNop<br>\n");
    EXPECT_EQ(Std(main.at(4)), "<br><b>Bob - Note</b> (<a href=\"#top\">top of page</a>) "
                               "(<a href=\"qbhv:log1\">decode</a>)<br>\nPlain<br>\n");

    // The decoded page deciphers the text before escaping it; headings and byline stay.
    EXPECT_EQ(Std(PiecesOf(gen, QStringLiteral("log0")).at(1)),
              "<p><br><a href=\"qbhv:main#logs\">Main</a> &gt; Decoded Log<br>\n"
              "<br><b><i>Alice</i> & co - Found &lt;it&gt; &amp; more</b><br>\n"
              "<font color=\"#000080\"><u>by</u> & x</font><br>\n"
              "n&lt;o &amp; p<br>\r\nAbc<br>\n</p>");
}

TEST(RecPage, HintsOnMainPageAndDecoded) {
    CCacheRecord r;
    r.name = r.wpt = QStringLiteral("GC1");
    r.hints = QStringLiteral("Ybbx haqre [gur] ebpx\r\n& <n>");
    const CRecPageGenerator gen(r, nullptr);

    const QStringList main = PiecesOf(gen, QStringLiteral("main"));
    ASSERT_EQ(main.size(), 5);
    EXPECT_EQ(Std(main.at(3)), "<br><a name=\"hints\"></a><b>Hints</b> (<a href=\"#top\">top of "
                               "page</a>) (<a href=\"qbhv:hints\">decode</a>)<br>\n"
                               "Ybbx haqre [gur] ebpx<br>\r\n&amp; &lt;n&gt;<br>\n");
    EXPECT_EQ(Std(PiecesOf(gen, QStringLiteral("hints")).at(1)),
              "<p><br><a href=\"qbhv:main#hints\">Main</a> &gt; Decoded Hints<br><br>\n"
              "Look under [gur] rock<br>\r\n&amp; &lt;a&gt;</p>\n");
}

TEST(RecPage, UserLogSection) {
    const CFixedTimeAndLocale fixed;
    const Timestamp start =
        DateTimeToTimestamp(QDateTime(QDate(2024, 1, 2), QTime(15, 4, 5), Qt::UTC));
    const Timestamp end = DateTimeToTimestamp(QDateTime(QDate(2024, 1, 2), QTime(16, 0), Qt::UTC));
    const QString head = QStringLiteral("<br>\r\n<a name=\"userlog\"></a><b>User Log - ");

    struct Case {
        int type;
        Timestamp start, end;
        bool voice;
        const char* notes;
        QString section; // empty: no section at all
    };
    const Case cases[] = {
        {0, start, end, true, "Under a rock", QString()},
        {4, 0, 0, false, "Under a rock", QString()},
        {1, 0, 0, false, "Under <rock>\r\nok",
         head + QStringLiteral("Note</b><br>\r\nUnder &lt;rock&gt;<br>\r\nok<br>\r\n")},
        {2, start, end, true, "",
         head + QStringLiteral("<font color=\"#009000\">Found</font></b><br>\r\n"
                               "<font color=\"#000090\">Start: 2 Jan 2024 15:04:05</font><br>\r\n"
                               "<font color=\"#000090\">End: 2 Jan 2024 16:00:00</font><br>\r\n"
                               "<font color=\"#ff0000\">Voice Notes Recorded</font><br>\r\n"
                               "<br>\r\n")},
        {3, 0, end, false, "x",
         head + QStringLiteral("<font color=\"#ff0000\">Not Found</font></b><br>\r\n"
                               "<font color=\"#000090\">End: 2 Jan 2024 16:00:00</font><br>\r\n"
                               "x<br>\r\n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        CCacheRecord r;
        r.name = r.wpt = QStringLiteral("GC1");
        r.log_type = c.type;
        r.log_start = c.start;
        r.log_end = c.end;
        r.log_notes = QString::fromUtf8(c.notes);
        CRecPageGenerator gen(r, nullptr);
        int asked = 0;
        gen.SetVoiceNoteQuery([&] {
            ++asked;
            return c.voice;
        });
        const QStringList pieces = PiecesOf(gen, QStringLiteral("main"));
        EXPECT_EQ(pieces.at(1).contains(QLatin1String("\"#userlog\"")), c.type != 0);
        if (c.section.isEmpty()) {
            EXPECT_EQ(pieces.size(), 4); // header, first, description, close
            EXPECT_FALSE(pieces.join(QString()).contains(QLatin1String("name=\"userlog\"")));
        } else {
            ASSERT_EQ(pieces.size(), 5);
            EXPECT_EQ(Std(pieces.at(3)), Std(c.section));
            EXPECT_EQ(asked, 1);
        }
    }
}

TEST(RecPage, ImageDisplayNameAndNumbers) {
    EXPECT_EQ(Std(CRecPageGenerator::ImageDisplayName(QStringLiteral("http://a/b/c.jpg"))),
              "c.jpg");
    EXPECT_EQ(Std(CRecPageGenerator::ImageDisplayName(QStringLiteral("c.jpg"))), "c.jpg");
    EXPECT_EQ(Std(CRecPageGenerator::ImageDisplayName(QStringLiteral("http://a/"))), "");
    EXPECT_EQ(CRecPageGenerator::ReadNumber(u"12x3"), 12);
    EXPECT_EQ(CRecPageGenerator::ReadNumber(u""), 0);
    EXPECT_EQ(CRecPageGenerator::ReadNumber(u"-1"), 0);
    EXPECT_EQ(CRecPageGenerator::ReadNumber(u"99999999999999999999"), INT_MAX);
}

} // namespace
