// The export plug-in libraries, loaded and run against a stand-in host.
#include "PluginTestSupport.h"
#include "SampleRecords.h"
#include "TestFiles.h"

#include "GeoText.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString U(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

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
