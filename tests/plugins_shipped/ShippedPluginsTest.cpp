// The plug-in libraries themselves, loaded and run against a stand-in host.
#include "CFakeHost.h"
#include "CRecordMapper.h"
#include "GeoText.h"
#include "SampleRecords.h"
#include "TestFiles.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

namespace {

QString U(const char* text) {
    return QString::fromUtf8(text);
}

// Collects what the plug-ins write to stderr while it lives.
class CStderrCapture {
public:
    CStderrCapture() {
        std::fflush(stderr);
        m_saved = dup(2);
        m_file = std::tmpfile();
        dup2(fileno(m_file), 2);
    }
    ~CStderrCapture() {
        Text();
        std::fclose(m_file);
        close(m_saved);
    }
    QString Text() {
        if (m_saved >= 0 && !m_restored) {
            std::fflush(stderr);
            dup2(m_saved, 2);
            m_restored = true;
            std::rewind(m_file);
            char buffer[4096];
            size_t n;
            while ((n = std::fread(buffer, 1, sizeof buffer, m_file)) > 0) {
                m_text.append(buffer, qsizetype(n));
            }
        }
        return QString::fromLocal8Bit(m_text);
    }

private:
    int m_saved = -1;
    std::FILE* m_file = nullptr;
    bool m_restored = false;
    QByteArray m_text;
};

void SetFiles(const QStringList& files) {
    qputenv("QUARRYBOOK_FILES", files.join(u'\n').toLocal8Bit());
}

// The stored form of a record as the import makes it.
CHostRecord Stored(const CGeoRecord& geo) {
    CFakeHost host;
    QBEX_INVOKE invoke = host.Invoke(QBEX_ROLE_IMPORT_RECORDS);
    QBEX_RECORD record{};
    record.version = 3;
    invoke.init_record(&record, 0);
    EXPECT_TRUE(CRecordMapper::ToRecord(geo, record));
    invoke.add_record(&record);
    qbex_record_free_strings(&record);
    return host.added.at(0);
}

void ExpectSameHostRecord(const CHostRecord& a, const CHostRecord& e) {
    SCOPED_TRACE(e.wpt.toStdString());
    EXPECT_EQ(a.flags, e.flags);
    EXPECT_EQ(a.name, e.name);
    EXPECT_EQ(a.rtype, e.rtype);
    EXPECT_EQ(a.wpt, e.wpt);
    EXPECT_EQ(a.diff, e.diff);
    EXPECT_EQ(a.terr, e.terr);
    EXPECT_EQ(a.owner, e.owner);
    EXPECT_EQ(a.cont, e.cont);
    EXPECT_EQ(a.descr, e.descr);
    EXPECT_EQ(a.hints, e.hints);
    EXPECT_EQ(a.past_log, e.past_log);
    EXPECT_EQ(a.url, e.url);
    EXPECT_EQ(a.img_urls, e.img_urls);
    EXPECT_EQ(a.lat, e.lat);
    EXPECT_EQ(a.lon, e.lon);
    EXPECT_EQ(a.bugs, e.bugs);
    EXPECT_EQ(a.custom1, e.custom1);
    EXPECT_EQ(a.custom2, e.custom2);
    EXPECT_EQ(a.custom3, e.custom3);
    EXPECT_EQ(a.find_rat, e.find_rat);
}

// One line of comma-separated values, with "..." quoting and "" for a quote.
QStringList CsvFields(const QString& line) {
    QStringList fields(1);
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted && c == u'"' && i + 1 < line.size() && line[i + 1] == u'"') {
            fields.last() += u'"';
            ++i;
        } else if (c == u'"') {
            quoted = !quoted;
        } else if (c == u',' && !quoted) {
            fields << QString();
        } else {
            fields.last() += c;
        }
    }
    return fields;
}

const CHostRecord* FindWpt(const std::vector<CHostRecord>& records, const char* wpt) {
    for (const CHostRecord& r : records) {
        if (r.wpt == U(wpt)) {
            return &r;
        }
    }
    return nullptr;
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
              U("GPX Import: Records read: 10\nRecords stored (added or merged): 10\n"));
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

TEST(ShippedPlugins, ImportEscapesTheLogPiecesThePageInsertsAsStored) {
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
    EXPECT_EQ(Stored(geo).past_log, one + e + one);

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
        ASSERT_GE(lines.size(), 5);
        EXPECT_EQ(lines[0], U("GPX Import: Records read: 4"));
        EXPECT_EQ(lines[1], U("Records stored (added or merged): 4"));
        EXPECT_TRUE(lines[3].startsWith(U("cut.gpx, line "))) << lines[3].toStdString();
        EXPECT_EQ(lines[4], U("photos.zip contains no GPX or LOC file."));
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
        EXPECT_EQ(err.Text(), U("GPX Import: Records read: 7\nRecords stored (added or merged): 2\n"
                                "Records not stored: 5\nThe import was stopped because the "
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

TEST(ShippedPlugins, ExportedFileImportsBackWithTheSameFields) {
    std::vector<CHostRecord> stored;
    for (const CGeoRecord& geo : SampleRecords()) {
        stored.push_back(Stored(geo));
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("export.gpx"));
    for (const int role : {QBEX_ROLE_EXPORT_RECORDS, QBEX_ROLE_EXPORT_RECORD}) {
        SCOPED_TRACE(role);
        std::vector<CHostRecord> queue = stored;
        if (role == QBEX_ROLE_EXPORT_RECORD) {
            queue.resize(1);
        }
        {
            CPluginLibrary exporter(QB_GPX_EXPORT_PLUGIN);
            CFakeHost host;
            host.queue = queue;
            SetFiles({path});
            QBEX_INVOKE invoke = host.Invoke(role);
            CStderrCapture err;
            EXPECT_EQ(exporter.Invoke(invoke), int(queue.size()));
            EXPECT_EQ(err.Text(), QStringLiteral("GPX Export: %1 records written to export.gpx.\n")
                                      .arg(queue.size()));
        }
        CPluginLibrary importer(QB_GPX_IMPORT_PLUGIN);
        CFakeHost empty;
        QBEX_INVOKE invoke = empty.Invoke(QBEX_ROLE_IMPORT_RECORDS);
        CStderrCapture err;
        EXPECT_EQ(importer.Invoke(invoke), int(queue.size()));
        ASSERT_EQ(empty.added.size(), queue.size());
        for (size_t i = 0; i < queue.size(); ++i) {
            ExpectSameHostRecord(empty.added[i], queue[i]);
        }
    }
}

TEST(ShippedPlugins, ExportGoesOnPastUnreadableRecordsAndLeavesNoFileWhenItFails) {
    std::vector<CHostRecord> stored;
    for (const CGeoRecord& geo : SampleRecords()) {
        stored.push_back(Stored(geo));
    }
    QTemporaryDir dir;
    CPluginLibrary exporter(QB_GPX_EXPORT_PLUGIN);
    {
        CFakeHost host;
        host.queue = stored;
        host.unreadable = 1;
        SetFiles({dir.filePath(QStringLiteral("some.gpx"))});
        QBEX_INVOKE invoke = host.Invoke(QBEX_ROLE_EXPORT_RECORDS);
        CStderrCapture err;
        EXPECT_EQ(exporter.Invoke(invoke), 3);
        EXPECT_EQ(err.Text(), U("GPX Export: 3 records written to some.gpx.\n1 records could not "
                                "be read from the database.\n"));
    }
    {
        CFakeHost host;
        host.queue = stored;
        SetFiles({dir.filePath(QStringLiteral("missing/folder/x.gpx"))});
        QBEX_INVOKE invoke = host.Invoke(QBEX_ROLE_EXPORT_RECORDS);
        CStderrCapture err;
        EXPECT_EQ(exporter.Invoke(invoke), 0);
        EXPECT_TRUE(err.Text().startsWith(U("GPX Export: x.gpx cannot be written: ")));
        EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("missing/folder/x.gpx"))));
    }
}

TEST(ShippedPlugins, GpsBabelReadsTheExportedFile) {
    const QString gpsbabel = QStandardPaths::findExecutable(QStringLiteral("gpsbabel"));
    if (gpsbabel.isEmpty()) {
        GTEST_SKIP() << "gpsbabel is not installed";
    }
    std::vector<CHostRecord> stored;
    for (const CGeoRecord& geo : SampleRecords()) {
        stored.push_back(Stored(geo));
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("export.gpx"));
    {
        CPluginLibrary exporter(QB_GPX_EXPORT_PLUGIN);
        CFakeHost host;
        host.queue = stored;
        SetFiles({path});
        QBEX_INVOKE invoke = host.Invoke(QBEX_ROLE_EXPORT_RECORDS);
        CStderrCapture err;
        ASSERT_EQ(exporter.Invoke(invoke), int(stored.size()));
    }
    const QString csv = dir.filePath(QStringLiteral("out.csv"));
    QProcess babel;
    babel.start(gpsbabel,
                {QStringLiteral("-i"), QStringLiteral("gpx"), QStringLiteral("-f"), path,
                 QStringLiteral("-o"), QStringLiteral("unicsv"), QStringLiteral("-F"), csv});
    ASSERT_TRUE(babel.waitForFinished(30000));
    ASSERT_EQ(babel.exitCode(), 0) << babel.readAllStandardError().toStdString();
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), int(stored.size()) + 1);
    const QStringList header = CsvFields(lines[0].trimmed());
    const qsizetype lat = header.indexOf(U("Latitude"));
    const qsizetype lon = header.indexOf(U("Longitude"));
    const qsizetype name = header.indexOf(U("Name"));
    const qsizetype hint = header.indexOf(U("Hint"));
    ASSERT_TRUE(lat >= 0 && lon >= 0 && name >= 0 && hint >= 0) << lines[0].toStdString();
    for (size_t i = 0; i < stored.size(); ++i) {
        SCOPED_TRACE(stored[i].wpt.toStdString());
        const QStringList fields = CsvFields(lines[qsizetype(i) + 1].trimmed());
        ASSERT_GT(fields.size(), std::max({lat, lon, name, hint}));
        EXPECT_EQ(fields[name], stored[i].wpt);
        EXPECT_NEAR(fields[lat].toDouble(), stored[i].lat, 1e-6);
        EXPECT_NEAR(fields[lon].toDouble(), stored[i].lon, 1e-6);
        EXPECT_EQ(fields[hint], qbgeo::Rot13(stored[i].hints));
    }
}

TEST(ShippedPlugins, FieldNotesAreWrittenAsTheSiteTakesThem) {
    // 100-nanosecond ticks since 1601 of a UTC time.
    const auto ticks = [](int y, int mo, int d, int h, int mi, int s) {
        const QDateTime t(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
        return uint64_t(t.toMSecsSinceEpoch()) * 10000 + 116444736000000000ULL;
    };
    const struct {
        const char* wpt;
        int logType;
        uint64_t start, end;
        const char* notes;
    } logs[] = {
        {"GC1A2B3", 2, ticks(2024, 5, 1, 9, 0, 0), ticks(2024, 5, 1, 14, 32, 59),
         "Schön, \"danke\"!\r\nTFTC"},
        {"GC2B3C4", 3, ticks(2024, 5, 2, 7, 5, 0), 0, "Nichts gefunden"},
        {"GC3C4D5", 1, 0, ticks(2024, 12, 31, 23, 59, 0), ""},
        {"GC4D5E6", 0, ticks(2024, 5, 1, 9, 0, 0), 0, "no log"},
        {"GC5E6F7", 2, 0, 0, "found, but no time"},
    };
    CFakeHost host;
    for (const auto& l : logs) {
        CHostRecord r;
        r.wpt = U(l.wpt);
        r.lat = 1;
        r.lon = 2;
        r.log_type = l.logType;
        r.log_start = l.start;
        r.log_end = l.end;
        r.log_notes = U(l.notes);
        host.queue.push_back(r);
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("geocache_visits.txt"));
    SetFiles({path});
    CPluginLibrary library(QB_FIELDNOTES_PLUGIN);
    QBEX_INVOKE invoke = host.Invoke(QBEX_ROLE_EXPORT_RECORDS);
    CStderrCapture err;
    EXPECT_EQ(library.Invoke(invoke), 3);
    EXPECT_EQ(err.Text(), U("Field Notes Export: 3 logs written to geocache_visits.txt.\n1 logs "
                            "without a start or end time were left out.\n"));
    const char16_t expected[] =
        u"\uFEFF"
        u"GC1A2B3,2024-05-01T14:32Z,Found it,\"Schön, 'danke'!\r\nTFTC\"\r\n"
        u"GC2B3C4,2024-05-02T07:05Z,Didn't find it,\"Nichts gefunden\"\r\n"
        u"GC3C4D5,2024-12-31T23:59Z,Write note,\"\"\r\n";
    QByteArray bytes;
    for (const char16_t* p = expected; *p; ++p) {
        bytes += char(*p & 0xFF);
        bytes += char(*p >> 8);
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toHex(' ').toStdString(), bytes.toHex(' ').toStdString());
}
