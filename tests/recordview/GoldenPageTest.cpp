// Whole pages of a few representative records, compared with the files in data/. Each file holds
// every call a set of pages makes on the page display. Regenerate with QB_UPDATE_GOLDEN=1 and
// review the diff.
#include "PageTestSupport.h"

#include "CTestHome.h"
#include "db/CCacheDb.h"
#include "db/CCacheRecord.h"
#include "recordview/CRecPageGenerator.h"
#include "util/Timestamps.h"

#include <gtest/gtest.h>

namespace {

class GoldenPageTest : public CTestHome {
protected:
    void SetUp() override {
        CTestHome::SetUp();
        ASSERT_TRUE(db.Open(Path(QStringLiteral("Golden")), QStringLiteral("Golden")));
        for (const char* wpt : {"PK12AB", "PK1234"}) {
            CCacheRecord r;
            r.wpt = QString::fromUtf8(wpt);
            r.name = QStringLiteral("Parking");
            ASSERT_TRUE(db.SaveRecord(r, true));
        }
    }
    void TearDown() override {
        db.Close();
        CTestHome::TearDown();
    }

    // Builds the pages in order, as the record view window would on opening, and compares the
    // recorded calls with the golden file.
    void Check(const CCacheRecord& record, const QStringList& hyperlinks, bool voiceNote,
               const QStringList& pages, const QString& golden) {
        CRecPageGenerator gen(record, &db);
        gen.SetHyperlinks(hyperlinks);
        gen.SetVoiceNoteQuery([voiceNote] { return voiceNote; });
        gen.PrepareRelatedSection();
        QString dump;
        for (const QString& page : pages) {
            CPageRecorder recorder;
            gen.ShowPage(page, recorder);
            dump += QStringLiteral("<!-- page \"") + page + QStringLiteral("\" -->\n") +
                    DumpEvents(recorder) + QLatin1Char('\n');
        }
        ExpectGolden(golden, dump);
    }

    CFixedTimeAndLocale fixed;
    CCacheDb db;
};

TEST_F(GoldenPageTest, FullGeocache) {
    CCacheRecord r;
    r.flags = kFlagFound;
    r.name = QStringLiteral("Old Mill <Bridge>");
    r.wpt = QStringLiteral("GC12AB");
    r.rtype = QStringLiteral("Traditional Cache");
    r.owner = QStringLiteral("Miller & Sons");
    r.diff = QStringLiteral("2");
    r.terr = QStringLiteral("3.5");
    r.cont = QStringLiteral("Regular");
    r.descr = QStringLiteral("Park by the mill.\r\nWalk 200 m <north> & cross the bridge.");
    r.hints = QStringLiteral("Haqre gur [oevqtr] fgbar");
    r.past_log = Entries({"<img src=\"found.gif\"> 2024-03-01", "Ann & Bo", "by <i>Ann</i>",
                          "Avpr pnpur!\r\nGPSY", "<img src=\"note.gif\"> 2024-02-11", "Carl", "",
                          "Zhttyrf ner <onq>"});
    r.url = QStringLiteral("https://example.org/cache?wp=GC12AB&x=1");
    r.img_urls = Entries({"https://img.example.org/a/mill.jpg", "bridge.png"});
    r.lat = 47.5;
    r.lon = -122.25;
    r.log_type = 2;
    r.log_start = DateTimeToTimestamp(QDateTime(QDate(2024, 5, 4), QTime(9, 30), Qt::UTC));
    r.log_notes = QStringLiteral("Nice walk.\r\nTFTC <3");
    r.custom1 = QStringLiteral("Bring a torch");
    Check(r,
          {QStringLiteral("Show Map"), QStringLiteral("mapper"), QStringLiteral("Solve"),
           QStringLiteral("solver")},
          true,
          {QStringLiteral("main"), QStringLiteral("hints"), QStringLiteral("log1"),
           QStringLiteral("images"), QStringLiteral("image1"), QStringLiteral("main#logs")},
          QStringLiteral("full_geocache.html"));
}

TEST_F(GoldenPageTest, MinimalWaypoint) {
    CCacheRecord r;
    r.name = r.wpt = QStringLiteral("X0001");
    Check(r, {}, false,
          {QStringLiteral("main"), QStringLiteral("hints"), QStringLiteral("log0"),
           QStringLiteral("images"), QStringLiteral("image0#top"), QStringLiteral("other")},
          QStringLiteral("minimal_waypoint.html"));
}

TEST_F(GoldenPageTest, ListedWaypointsWithNote) {
    CCacheRecord r;
    r.name = QStringLiteral("Quarry Multi");
    r.wpt = QStringLiteral("GC1234");
    r.rtype = QStringLiteral("Multi-cache");
    r.cont = QStringLiteral("Micro");
    r.descr = QStringLiteral("Stage 1 is at the gate.\r\nAdditional Waypoints\r\n"
                             "PK1234 - Parking <free>\r\nST1234 - Stage 2\r\n");
    r.past_log = Entries({"2024-01-01", "Dee", "", "Gbhtu bar", "2023-12-24", "Ed"});
    r.log_type = 1;
    r.log_notes = QStringLiteral("Gate closed on Sundays.");
    Check(r, {QStringLiteral("Route planner"), QStringLiteral("router")}, false,
          {QStringLiteral("main#auxwpt"), QStringLiteral("log0")},
          QStringLiteral("listed_waypoints.html"));
}

} // namespace
