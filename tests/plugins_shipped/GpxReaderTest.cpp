#include "CChildLinker.h"
#include "CGeoFileReader.h"
#include "TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Every field of one waypoint as a file should give it (UTF-8 texts; empty means empty).
struct Expected {
    const char* file;
    const char* code;
    EGeoKind kind;
    const char* name = "";
    const char* type = "";
    const char* container = "";
    const char* difficulty = "";
    const char* terrain = "";
    const char* owner = "";
    const char* description = "";
    const char* hints = "";
    const char* url = "";
    double lat = 200.0;
    double lon = 200.0;
    bool found = false;
    bool disabled = false;
    const char* images = ""; // space separated
    const char* user = "";   // user1|user2|user3
    const char* parent = "";
};

QString U(const char* text) {
    return QString::fromUtf8(text);
}

const Expected kExpected[] = {
    {.file = "pocket_query.gpx",
     .code = "GC1A2B3",
     .kind = EGeoKind::Cache,
     .name = "Am Steinbruch – Über den Wolken",
     .type = "Traditional Cache",
     .container = "Small",
     .difficulty = "1.5",
     .terrain = "2",
     .owner = "Jörg Müller",
     .description = "Ein kurzer Spaziergang zum alten Steinbruch.\r\n\r\nDer Cache liegt am Rand "
                    "des Steinbruchs.\r\n\r\n- Parkplatz & Weg\r\n- Grüner Zaun",
     .hints = "Unter dem [Stein] links",
     .url = "https://coord.info/GC1A2B3",
     .lat = 48.137154,
     .lon = 11.576124,
     .found = true,
     .images = "https://img.example.com/cache/large/blick.jpg"},
    {.file = "pocket_query.gpx",
     .code = "GC2B3C4",
     .kind = EGeoKind::Cache,
     .name = "Old Mill",
     .type = "Multi-cache",
     .container = "Regular",
     .difficulty = "3",
     .terrain = "2.5",
     .owner = "Milly",
     .description = "Stage 1: count the windows.\r\nStage 2: final.",
     .url = "https://coord.info/GC2B3C4",
     .lat = 48.15,
     .lon = 11.59,
     .disabled = true},
    {.file = "pocket_query.gpx",
     .code = "GC3C4D5",
     .kind = EGeoKind::Cache,
     .name = "Lost Place",
     .type = "Unknown Cache",
     .container = "Micro",
     .difficulty = "5",
     .terrain = "5",
     .owner = "Ghost",
     .description = "Bring a torch.\r\n\r\nSolve the puzzle.\r\nThen go there.",
     .hints = "Magnetic",
     .url = "https://coord.info/GC3C4D5",
     .lat = 48.16,
     .lon = 11.6,
     .disabled = true},
    {.file = "pocket_query-wpts.gpx",
     .code = "PK1A2B3",
     .kind = EGeoKind::Child,
     .name = "Parkplatz Steinbruch",
     .type = "Parking Area",
     .description = "Free parking at the gravel lot.",
     .url = "https://coord.info/PK1A2B3",
     .lat = 48.136,
     .lon = 11.575},
    {.file = "pocket_query-wpts.gpx",
     .code = "FN1A2B3",
     .kind = EGeoKind::Child,
     .name = "Final",
     .type = "Final Location"},
    {.file = "pocket_query-wpts.gpx",
     .code = "S12B3C4",
     .kind = EGeoKind::Child,
     .name = "Stage 1",
     .type = "Physical Stage",
     .description = "Count the windows of the mill."},
    {.file = "czech_gpx11.gpx",
     .code = "GC9XY12",
     .kind = EGeoKind::Cache,
     .name = "Pražský orloj",
     .type = "Traditional Cache",
     .container = "Micro",
     .difficulty = "2",
     .terrain = "1.5",
     .owner = "Šťastný Čech",
     .description = "Příliš žluťoučký kůň úpěl ďábelské ódy.\r\n\r\nHistorie\r\n\r\nOrloj byl "
                    "sestrojen roku 1410 – šest set let.\r\nKešku najdete u řeky.",
     .hints = "Pod lavičkou",
     .url = "https://coord.info/GC9XY12",
     .lat = 50.087051,
     .lon = 14.420712},
    {.file = "czech_gpx11.gpx",
     .code = "GC8BRNO",
     .kind = EGeoKind::Cache,
     .name = "Brněnský drak",
     .type = "Letterbox Hybrid",
     .container = "Regular",
     .difficulty = "2.5",
     .terrain = "2",
     .owner = "Dráček",
     .description = "Krokodýl na radnici.",
     .url = "https://coord.info/GC8BRNO",
     .lat = 49.19506,
     .lon = 16.606837},
    {.file = "gsak_export.gpx",
     .code = "OCAB12",
     .kind = EGeoKind::Cache,
     .name = "Fernsehturm",
     .type = "Virtual Cache",
     .container = "Virtual",
     .difficulty = "1",
     .terrain = "1",
     .owner = "Berliner",
     .description = "Look up.",
     .url = "https://www.opencaching.de/OCAB12",
     .lat = 52.520008,
     .lon = 13.404954,
     .user = "Corrected: N 52° 31.200|Team night|3rd"},
    {.file = "gsak_export.gpx",
     .code = "WP0001",
     .kind = EGeoKind::Child,
     .name = "Eingang",
     .type = "Reference Point",
     .description = "Entrance hall",
     .lat = 52.521,
     .lon = 13.405,
     .parent = "OCAB12"},
    {.file = "gsak_export.gpx",
     .code = "GC5E6F7",
     .kind = EGeoKind::Cache,
     .name = "Spree",
     .type = "Traditional Cache",
     .lat = 52.5,
     .lon = 13.4},
    {.file = "gsak_export.gpx",
     .code = "PK5E6F7",
     .kind = EGeoKind::Child,
     .name = "Parking",
     .type = "Parking Area",
     .lat = 52.501,
     .lon = 13.401,
     .parent = "GC5E6F7"},
    {.file = "search.loc",
     .code = "GC1A2B3",
     .kind = EGeoKind::Cache,
     .name = "Am Steinbruch",
     .type = "Geocache",
     .container = "Small",
     .difficulty = "1.5",
     .terrain = "2",
     .owner = "Jörg Müller",
     .url = "https://coord.info/GC1A2B3",
     .lat = 48.137154,
     .lon = 11.576124},
    {.file = "search.loc",
     .code = "GC77777",
     .kind = EGeoKind::Cache,
     .name = "Stand by Me",
     .type = "Geocache",
     .container = "Micro",
     .difficulty = "2",
     .terrain = "3.5",
     .owner = "The Bys",
     .url = "https://coord.info/GC77777",
     .lat = -33.8568,
     .lon = 151.2153},
    {.file = "plain_waypoints.gpx",
     .code = "HOME",
     .kind = EGeoKind::Waypoint,
     .name = "Home sweet home",
     .type = "Waypoint",
     .description = "Front door",
     .lat = 47.3769,
     .lon = 8.5417},
    {.file = "plain_waypoints.gpx",
     .code = "001",
     .kind = EGeoKind::Waypoint,
     .name = "001",
     .type = "Waypoint",
     .lat = 47.37,
     .lon = 8.54},
};

void ExpectRecord(const CGeoRecord& r, const Expected& e) {
    EXPECT_EQ(int(r.kind), int(e.kind));
    EXPECT_EQ(r.name, U(e.name));
    EXPECT_EQ(r.type, U(e.type));
    EXPECT_EQ(r.container, U(e.container));
    EXPECT_EQ(r.difficulty, U(e.difficulty));
    EXPECT_EQ(r.terrain, U(e.terrain));
    EXPECT_EQ(r.owner, U(e.owner));
    EXPECT_EQ(r.description, U(e.description));
    EXPECT_EQ(r.hints, U(e.hints));
    EXPECT_EQ(r.url, U(e.url));
    EXPECT_DOUBLE_EQ(r.lat, e.lat);
    EXPECT_DOUBLE_EQ(r.lon, e.lon);
    EXPECT_EQ(r.found, e.found);
    EXPECT_EQ(r.disabled, e.disabled);
    EXPECT_EQ(r.images.join(u' '), U(e.images));
    const QString user = r.user1 + u'|' + r.user2 + u'|' + r.user3;
    EXPECT_EQ(user, *e.user ? U(e.user) : QStringLiteral("||"));
    EXPECT_EQ(r.parent, U(e.parent));
}

} // namespace

TEST(GpxReader, ReadsEveryFormatVariantField) {
    QString file;
    CReadResult result;
    size_t index = 0;
    for (const Expected& e : kExpected) {
        if (U(e.file) != file) {
            EXPECT_EQ(index, result.records.size()) << file.toStdString() << ": extra records";
            file = U(e.file);
            result = ReadGeoFile(DataPath(file));
            EXPECT_TRUE(result.ok) << result.errors.join(u'\n').toStdString();
            index = 0;
        }
        SCOPED_TRACE(std::string(e.file) + " " + e.code);
        ASSERT_LT(index, result.records.size());
        EXPECT_EQ(result.records[index].code, U(e.code));
        ExpectRecord(result.records[index], e);
        ++index;
    }
    EXPECT_EQ(index, result.records.size());
}

TEST(GpxReader, ReadsLogsAndTravelBugs) {
    const CReadResult result = ReadGeoFile(DataPath(QStringLiteral("pocket_query.gpx")));
    const CGeoRecord* cache = FindCode(result.records, QStringLiteral("GC1A2B3"));
    ASSERT_TRUE(cache);
    ASSERT_EQ(cache->logs.size(), 2u);
    const struct {
        const char *type, *finder, *date, *text;
    } logs[] = {
        {"Found it", "Anna & Ben", "2024-05-01T19:00:00Z", "TFTC!\r\nSchöner Ort, <3 danke."},
        // Written encoded by its finder: kept as plain text, bracketed words stay as they were.
        {"Didn't find it", "Kai", "2024-04-20T07:00:00-07:00", "Kein Glück heute [fbeel]"},
    };
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(cache->logs[i].type, U(logs[i].type));
        EXPECT_EQ(cache->logs[i].finder, U(logs[i].finder));
        EXPECT_EQ(cache->logs[i].date, U(logs[i].date));
        EXPECT_EQ(cache->logs[i].text, U(logs[i].text));
    }
    ASSERT_EQ(cache->bugs.size(), 2u);
    EXPECT_EQ(cache->bugs[0].ref, QStringLiteral("TB1A2B"));
    EXPECT_EQ(cache->bugs[0].name, QStringLiteral("Blue Bear"));
    EXPECT_EQ(cache->bugs[1].ref, QStringLiteral("TB9Z8Y"));
    EXPECT_EQ(cache->bugs[1].name, QStringLiteral("Rakete"));

    const CReadResult czech = ReadGeoFile(DataPath(QStringLiteral("czech_gpx11.gpx")));
    ASSERT_EQ(czech.records[0].logs.size(), 1u);
    EXPECT_EQ(czech.records[0].logs[0].finder, U("Jiří"));
    EXPECT_EQ(czech.records[0].logs[0].text, U("Díky za keš!"));
}

TEST(GpxReader, SaysWhenAFileHoldsNoCacheData) {
    QTemporaryDir dir;
    const QString empty = dir.filePath(QStringLiteral("track.gpx"));
    WriteBytes(
        empty,
        "<gpx version=\"1.1\"><trk><trkseg><trkpt lat=\"1\" lon=\"2\"/></trkseg></trk></gpx>");
    const struct {
        QString path;
        const char* notice;
    } cases[] = {
        {DataPath(QStringLiteral("plain_waypoints.gpx")),
         "plain_waypoints.gpx holds no cache data: 2 waypoints were read as records of type "
         "\"Waypoint\"."},
        {empty, "track.gpx holds no waypoints."},
        {DataPath(QStringLiteral("pocket_query-wpts.gpx")), nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const CReadResult result = ReadGeoFile(c.path);
        EXPECT_TRUE(result.ok);
        EXPECT_EQ(result.notices, c.notice ? QStringList{U(c.notice)} : QStringList());
    }
}

TEST(GpxReader, KeepsWhatWasReadBeforeAFaultAndNamesFileAndLine) {
    const QByteArray whole = DataBytes(QStringLiteral("pocket_query.gpx"));
    const qsizetype third = whole.indexOf("<name>GC3C4D5</name>");
    ASSERT_GT(third, 0);
    const QByteArray cut = whole.left(third + 10);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cut.gpx"));
    WriteBytes(path, cut);
    const CReadResult result = ReadGeoFile(path);
    EXPECT_FALSE(result.ok);
    ASSERT_EQ(result.records.size(), 2u);
    EXPECT_EQ(result.records[1].code, QStringLiteral("GC2B3C4"));
    ASSERT_EQ(result.errors.size(), 1);
    const QString line = QString::number(cut.count('\n') + 1);
    EXPECT_TRUE(result.errors[0].startsWith(QStringLiteral("cut.gpx, line ") + line + u':'))
        << result.errors[0].toStdString();

    // A tag that does not match in the middle: the error points at it.
    QByteArray broken = whole;
    broken.replace("<groundspeak:container>Regular</groundspeak:container>",
                   "<groundspeak:container>Regular</groundspeak:contianer>");
    const QString brokenPath = dir.filePath(QStringLiteral("broken.gpx"));
    WriteBytes(brokenPath, broken);
    const CReadResult second = ReadGeoFile(brokenPath);
    ASSERT_EQ(second.records.size(), 1u);
    const qsizetype at = broken.indexOf("</groundspeak:contianer>");
    const QString brokenLine = QString::number(broken.left(at).count('\n') + 1);
    ASSERT_EQ(second.errors.size(), 1);
    EXPECT_EQ(second.errors[0], QStringLiteral("broken.gpx, line ") + brokenLine +
                                    QStringLiteral(": mismatched tag"));
}

TEST(ChildLinker, ListsWaypointsThePageCannotFindByTheirIDs) {
    const CReadResult read = ReadGeoFile(DataPath(QStringLiteral("gsak_export.gpx")));
    std::vector<CGeoRecord> out;
    CChildLinker linker([&out](CGeoRecord& r) {
        out.push_back(r);
        return true;
    });
    for (CGeoRecord r : read.records) {
        EXPECT_TRUE(linker.Add(r));
    }
    EXPECT_TRUE(linker.Flush());
    ASSERT_EQ(out.size(), 4u);
    // A cache is passed on once its waypoints are known.
    EXPECT_EQ(out[0].code, QStringLiteral("WP0001"));
    EXPECT_EQ(out[1].code, QStringLiteral("OCAB12"));
    EXPECT_EQ(out[1].description,
              QStringLiteral("Look up.\r\n\r\nAdditional Waypoints\r\nWP0001 - Eingang"));
    EXPECT_TRUE(CChildLinker::HasWaypointHeading(out[1].description + QStringLiteral("\r\n")));
    // PK5E6F7 differs from GC5E6F7 only in its prefix: the page finds it without a list.
    EXPECT_EQ(out[2].code, QStringLiteral("PK5E6F7"));
    EXPECT_EQ(out[3].code, QStringLiteral("GC5E6F7"));
    EXPECT_EQ(out[3].description, QString());

    const struct {
        const char *cache, *child;
        bool found;
    } codes[] = {{"GC12AB", "PK12AB", true},
                 {"gc12ab", "PK12ab", true},
                 {"GC12AB", "GC12AB", false},
                 {"GC12AB", "PK12ABC", false},
                 {"OC12AB", "PK12AB", false}};
    for (const auto& c : codes) {
        EXPECT_EQ(CChildLinker::PageFindsByCode(U(c.cache), U(c.child)), c.found)
            << c.cache << " " << c.child;
    }
}
