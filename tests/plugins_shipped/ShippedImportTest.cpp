// The import plug-in library, loaded and run against a stand-in host.
#include "PluginTestSupport.h"
#include "SampleRecords.h"
#include "TestFiles.h"

#include "CRecordMapper.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString U(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

TEST(ShippedPlugins, DescribeThemselves) {
    const struct {
        const char* path;
        const char16_t* name;
        std::vector<uint8_t> roles;
    } cases[] = {
        {QB_GPX_IMPORT_PLUGIN, u"GPX Import", {0x17}},
        {QB_GPX_EXPORT_PLUGIN, u"GPX Export", {0x05, 0x03}},
        {QB_FIELDNOTES_PLUGIN, u"Field Notes Export", {0x05}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        CPluginLibrary library(c.path);
        ASSERT_TRUE(library.Loaded());
        const QBEX_INFO* info = library.Info();
        ASSERT_TRUE(info);
        EXPECT_EQ(info->version, QBEX_VERSION);
        EXPECT_EQ(QString::fromUtf16(info->name), QString::fromUtf16(c.name));
        EXPECT_EQ(info->flags, 0);
        EXPECT_EQ(info->min_os_version, 0);
        EXPECT_EQ(std::vector<uint8_t>(info->roles, info->roles + info->role_count), c.roles);
        ASSERT_TRUE(library.VersionInfo());
        EXPECT_STREQ(library.VersionInfo()->file_version, "1, 0, 0, 0");
    }
}

TEST(ShippedPlugins, ImportStoresRecordsAsTheRecordPageShowsThem) {
    CPluginLibrary library(QB_GPX_IMPORT_PLUGIN);
    CFakeHost host;
    SetFiles({DataPath(QStringLiteral("pocket_query.gpx")),
              DataPath(QStringLiteral("pocket_query-wpts.gpx")),
              DataPath(QStringLiteral("gsak_export.gpx"))});
    QBEX_INVOKE invoke = host.Invoke(QBEX_ROLE_IMPORT_RECORDS);
    CStderrCapture err;
    EXPECT_EQ(library.Invoke(invoke), 10);
    EXPECT_EQ(err.Text(),
              U("GPX Import: Records read: 10\nRecords added: 10\nRecords merged: 0\n"));
    ASSERT_EQ(host.added.size(), 10u);

    const CHostRecord* a = FindWpt(host.added, "GC1A2B3");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->flags, QBEX_REC_FOUND | QBEX_REC_BUGS_LISTED);
    EXPECT_EQ(a->hints, U("Hagre qrz [Stein] yvaxf"));
    const QChar e(1);
    EXPECT_EQ(a->past_log, U("Found it") + e + U("Anna & Ben") + e + U("2024-05-01") + e +
                               U("GSGP!\r\nFpuöare Beg, <3 qnaxr.") + e + U("Didn't find it") + e +
                               U("Kai") + e + U("2024-04-20") + e + U("Xrva Tyüpx urhgr [fbeel]"));
    EXPECT_EQ(a->img_urls, U("https://img.example.com/cache/large/blick.jpg"));
    EXPECT_EQ(a->bugs, U("TB1A2B\x02"
                         "Blue Bear\x01TB9Z8Y\x02Rakete"));
    EXPECT_EQ(a->rtype, U("Traditional Cache"));
    EXPECT_EQ(a->cont, U("Small"));
    EXPECT_EQ(a->owner, U("Jörg Müller"));

    const struct {
        const char* wpt;
        uint32_t flags;
        double lat;
    } flags[] = {{"GC2B3C4", QBEX_REC_DISABLED, 48.15}, {"GC3C4D5", QBEX_REC_DISABLED, 48.16},
                 {"PK1A2B3", QBEX_REC_EXTRA, 48.136},   {"FN1A2B3", QBEX_REC_EXTRA, 200.0},
                 {"S12B3C4", QBEX_REC_EXTRA, 200.0},    {"WP0001", QBEX_REC_EXTRA, 52.521}};
    for (const auto& f : flags) {
        const CHostRecord* r = FindWpt(host.added, f.wpt);
        ASSERT_TRUE(r) << f.wpt;
        EXPECT_EQ(r->flags, f.flags) << f.wpt;
        EXPECT_EQ(r->lat, f.lat) << f.wpt;
    }
    const CHostRecord* oc = FindWpt(host.added, "OCAB12");
    ASSERT_TRUE(oc);
    EXPECT_EQ(oc->descr, U("Look up.\r\n\r\nAdditional Waypoints\r\nWP0001 - Eingang"));
    EXPECT_EQ(oc->custom1, U("Corrected: N 52° 31.200"));
    EXPECT_EQ(oc->custom2, U("Team night"));
    EXPECT_EQ(oc->custom3, U("3rd"));
    EXPECT_EQ(oc->find_rat, QString());
}

TEST(ShippedPlugins, ImportEscapesWhatTheRecordPageInsertsAsStored) {
    CGeoRecord geo;
    geo.code = U("GC1");
    CGeoLog log;
    log.type = U("Note & <more>");
    log.finder = U("A <b>");
    log.date = U("2024-05-01T19:00:00.1234567+02:00");
    log.text = U("Abc [xyz] Nop");
    geo.logs = {log, log};
    const QChar e(1);
    const QString one = U("Note &amp; &lt;more&gt;") + e + U("A <b>") + e + U("2024-05-01") + e +
                        U("Nop [xyz] Abc");
    geo.images = {U("https://x/a b\".jpg"), U("https://x/<script>'`\\.png"), U("https://x/ok.jpg")};
    const CHostRecord stored = Stored(geo);
    EXPECT_EQ(stored.past_log, one + e + one);
    EXPECT_EQ(stored.img_urls, U("https://x/a%20b%22.jpg") + e +
                                   U("https://x/%3Cscript%3E%27%60%5C.png") + e +
                                   U("https://x/ok.jpg"));

    // And back for an export: the pieces as the files write them.
    QBEX_RECORD record{};
    record.version = 3;
    CRecordMapper::Set(record.past_log, one + e + one + e + U("incomplete"));
    const CGeoRecord back = CRecordMapper::FromRecord(record);
    qbex_record_free_strings(&record);
    ASSERT_EQ(back.logs.size(), 2u);
    EXPECT_EQ(back.logs[1].type, log.type);
    EXPECT_EQ(back.logs[1].finder, log.finder);
    EXPECT_EQ(back.logs[1].date, U("2024-05-01"));
    EXPECT_EQ(back.logs[1].text, log.text);
}

TEST(ShippedPlugins, ImportReportsFaultsAndStopsWhenTheDatabaseRefusesRecords) {
    QTemporaryDir dir;
    const QString cut = dir.filePath(QStringLiteral("cut.gpx"));
    const QByteArray whole = DataBytes(QStringLiteral("pocket_query.gpx"));
    WriteBytes(cut, whole.left(whole.indexOf("<name>GC3C4D5</name>")));
    const QString noGpx = dir.filePath(QStringLiteral("photos.zip"));
    WriteBytes(noGpx, QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'));
    {
        CPluginLibrary library(QB_GPX_IMPORT_PLUGIN);
        CFakeHost host;
        SetFiles({cut, noGpx, DataPath(QStringLiteral("search.loc"))});
        QBEX_INVOKE invoke = host.Invoke(QBEX_ROLE_IMPORT_RECORDS);
        CStderrCapture err;
        EXPECT_EQ(library.Invoke(invoke), 4);
        const QStringList lines = err.Text().split(u'\n');
        ASSERT_GE(lines.size(), 6);
        EXPECT_EQ(lines[0], U("GPX Import: Records read: 4"));
        // search.loc repeats GC1A2B3 of the cut file: the host merges it.
        EXPECT_EQ(lines[1], U("Records added: 3"));
        EXPECT_EQ(lines[2], U("Records merged: 1"));
        EXPECT_TRUE(lines[4].startsWith(U("cut.gpx, line "))) << lines[4].toStdString();
        EXPECT_EQ(lines[5], U("photos.zip contains no GPX or LOC file."));
    }
    {
        CPluginLibrary library(QB_GPX_IMPORT_PLUGIN);
        CFakeHost host;
        host.refuseAfter = 2;
        SetFiles({DataPath(QStringLiteral("pocket_query.gpx")),
                  DataPath(QStringLiteral("pocket_query-wpts.gpx")),
                  DataPath(QStringLiteral("gsak_export.gpx"))});
        QBEX_INVOKE invoke = host.Invoke(QBEX_ROLE_IMPORT_RECORDS);
        CStderrCapture err;
        EXPECT_EQ(library.Invoke(invoke), 2);
        EXPECT_EQ(host.addCalls, 7);
        EXPECT_EQ(err.Text(),
                  U("GPX Import: Records read: 7\nRecords added: 2\n"
                    "Records merged: 0\nRecords not stored: 5\nThe import was stopped because the "
                    "database refused 5 records in a row.\n"));
    }
    {
        CPluginLibrary library(QB_GPX_IMPORT_PLUGIN);
        CFakeHost host;
        SetFiles({});
        QBEX_INVOKE invoke = host.Invoke(QBEX_ROLE_IMPORT_RECORDS);
        CStderrCapture err;
        EXPECT_EQ(library.Invoke(invoke), 0);
        EXPECT_EQ(err.Text(), U("GPX Import: No files given (QUARRYBOOK_FILES is empty).\n"));
        invoke.role = QBEX_ROLE_EXPORT_RECORDS;
        EXPECT_EQ(library.Invoke(invoke), 0);
    }
}

TEST(ShippedPlugins, ImportCountsMergedRecordsApart) {
    CPluginLibrary library(QB_GPX_IMPORT_PLUGIN);
    CFakeHost host;
    // The second reading of the file meets every waypoint ID again: the host merges them all.
    SetFiles({DataPath(QStringLiteral("search.loc")), DataPath(QStringLiteral("search.loc"))});
    QBEX_INVOKE invoke = host.Invoke(QBEX_ROLE_IMPORT_RECORDS);
    CStderrCapture err;
    EXPECT_EQ(library.Invoke(invoke), 4);
    EXPECT_EQ(err.Text(), U("GPX Import: Records read: 4\nRecords added: 2\nRecords merged: 2\n"));
}
