// The import and export commands with real plug-ins, and the plug-ins that come with the program.

#include "CCliTestHome.h"

#include "plugins/BundledPlugins.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kTwoCaches = QStringLiteral(QB_CLI_TEST_DATA "/two_caches.gpx");

QStringList Lines(const QString& text) {
    return text.split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

class CliPluginCommandsTest : public CCliTestHome {};

TEST_F(CliPluginCommandsTest, ImportChoicesLastForTheRunOnly) {
    MakeWalksDb();
    InstallPlugin(QStringLiteral(QB_EXAMPLE_PLUGIN));
    // Stored choices that differ from what the runs ask for.
    const QByteArray stored = "[Plugins]\nRole7=Other Import\nImpMerge=0\nImpForceCateg=1\n"
                              "ImpCateg=Nowhere\nImpDatabase=Default\n";
    WriteFile(QStringLiteral("Quarrybook.ini"), stored);
    const QStringList import = {"import", "--db", "walks", "--plugin", "Minimal Import"};

    struct Step {
        const char* what;
        QStringList options;
        const char* summary;
        QStringList hikes; // the waypoints in the category "Hikes" afterwards
        bool routingNote;  // the stored default category "Nowhere" is missing
    };
    const Step steps[] = {
        {"new records into the given category",
         {"--category", "Hikes"},
         "\"Walks\" with \"Minimal Import\": 4 records before, 6 after (2 new).",
         {"GC100", "QB0001", "QB0002"},
         false},
        {"merged records keep their category",
         {},
         "6 records before, 6 after (0 new).",
         {"GC100", "QB0001", "QB0002"},
         true},
        {"merged records are routed again",
         {"--override-category"},
         "6 records before, 6 after (0 new).",
         {"GC100"},
         true},
        {"every record is new",
         {"--no-merge", "--category", "Hikes"},
         "6 records before, 8 after (2 new).",
         {"GC100", "QB0001", "QB0002"},
         false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        const Result r = Run(import + step.options + QStringList{kTwoCaches});
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(QString::fromUtf8(step.summary))) << r.out.toStdString();
        EXPECT_EQ(r.err.contains(QStringLiteral("no category \"Nowhere\"")), step.routingNote)
            << r.err.toStdString();
        const Result hikes =
            Run({"list", "--db", "Walks", "--category", "Hikes", "--columns", "H", "--sort", "H"});
        EXPECT_EQ(Lines(hikes.out), QStringList{"Wpt"} + step.hikes);
    }
    EXPECT_EQ(ReadFile(QStringLiteral("Quarrybook.ini")), stored);

    // Without --plugin the choice falls to the only import plug-in, unless more are installed.
    const QStringList plain = {"import", "--db", "Walks", kTwoCaches};
    const bool onlyOne = !QFileInfo::exists(Path(QStringLiteral("Plugins/gpx_import.so")));
    EXPECT_EQ(Run(plain).code, onlyOne ? 0 : 1);
}

TEST_F(CliPluginCommandsTest, ImportsAPocketQueryWithTheGpxPlugin) {
#ifndef QB_GPX_IMPORT_PLUGIN
    GTEST_SKIP() << "the GPX import plug-in is not built";
#else
    ASSERT_EQ(Run({"create", "--db", "PQ"}).code, 0);
    const QStringList import = {"import", "--db", "PQ", "--plugin", "GPX Import", kTwoCaches};
    const QStringList list = {"list", "--db", "PQ", "--columns", "HGABIJMO", "--sort", "H"};
    const QStringList expected = {
        "Wpt\tName\tType\tContainer\tDiff\tTerr\tOwner\tDisabled",
        "GC7QX01\tRidge View\tT\tS\t2\t3.5\tAnn\t",
        "GC7QX02\tOld Mill\tM\tR\t3\t1.5\tBob\tdisabled",
    };
    for (const char* summary :
         {"0 records before, 2 after (2 new)", "2 records before, 2 after (0 new)"}) {
        SCOPED_TRACE(summary);
        const Result r = Run(import);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(QString::fromUtf8(summary))) << r.out.toStdString();
        EXPECT_EQ(Lines(Run(list).out), expected);
    }
    const Result page = Run({"show", "--db", "PQ", "--page", "hints", "GC7QX01"});
    EXPECT_TRUE(page.out.contains(QStringLiteral("Under the log"))) << page.out.toStdString();
#endif
}

TEST_F(CliPluginCommandsTest, ExportsTheRecordsInViewWithCoordinates) {
#ifndef QB_GPX_EXPORT_PLUGIN
    GTEST_SKIP() << "the GPX export plug-in is not built";
#else
    MakeWalksDb();
    struct Case {
        QStringList options;
        const char* summary;
        QStringList written;
        QStringList notWritten;
    };
    const Case cases[] = {
        {{"--match", "gc"},
         "Exported 2 of 3 records in view",
         {"GC100", "GC200"},
         {"GC300", "WP1"}},
        {{"--max", "1"}, "Exported 1 of 4 records in view", {"GC100"}, {"GC200", "WP1"}},
        {{"--category", "Hikes"}, "Exported 1 of 1 records in view", {"GC100"}, {"GC200"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.summary);
        const QString file = Path(QStringLiteral("out.gpx"));
        QFile::remove(file);
        const Result r = Run(QStringList{"export", "--db", "Walks", "--plugin", "GPX Export"} +
                             c.options + QStringList{file});
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(QString::fromUtf8(c.summary))) << r.out.toStdString();
        const QString written = QString::fromUtf8(ReadFile(QStringLiteral("out.gpx")));
        for (const QString& wpt : c.written)
            EXPECT_TRUE(written.contains(wpt)) << wpt.toStdString();
        for (const QString& wpt : c.notWritten)
            EXPECT_FALSE(written.contains(wpt)) << wpt.toStdString();
    }
    // Nothing in view has coordinates.
    const Result none = Run({"export", "--db", "Walks", "--plugin", "GPX Export", "--match",
                             "gc300", Path(QStringLiteral("none.gpx"))});
    EXPECT_EQ(none.code, 1);
    EXPECT_TRUE(none.err.contains(
        QStringLiteral("At least one record with valid coordinates is required.")));
#endif
}

TEST_F(CliPluginCommandsTest, BundledPluginsAreCopiedIntoTheHomeFolder) {
    ASSERT_EQ(Run({"dbs"}).code, 0);
    const QFileInfoList bundled =
        QDir(QStringLiteral(QB_BUNDLED_DIR)).entryInfoList({QStringLiteral("*.so")}, QDir::Files);
    for (const QFileInfo& source : bundled) {
        SCOPED_TRACE(source.fileName().toStdString());
        const QFileInfo copy(Path(QStringLiteral("Plugins/") + source.fileName()));
        EXPECT_TRUE(copy.exists());
        EXPECT_EQ(copy.size(), source.size());
        EXPECT_EQ(copy.lastModified(), source.lastModified());
    }
}

TEST_F(CliPluginCommandsTest, CopyBundledPluginsReplacesMissingAndOlderFiles) {
    const QString from = Path(QStringLiteral("from"));
    const QString to = Path(QStringLiteral("to"));
    QDir().mkpath(from);
    QDir().mkpath(to);
    const QDateTime now = QDateTime::currentDateTime().addSecs(-100);
    struct Case {
        const char* file;
        int targetAge; // seconds the target is older than the source; no target when absent
        bool hasTarget;
        bool copied;
    };
    const Case cases[] = {
        {"missing.so", 0, false, true}, {"older.so", 10, true, true},   {"same.so", 0, true, false},
        {"newer.so", -10, true, false}, {"notes.txt", 0, false, false},
    };
    auto write = [](const QString& path, const QByteArray& bytes, const QDateTime& time) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.flush();
        ASSERT_TRUE(f.setFileTime(time, QFileDevice::FileModificationTime));
    };
    for (const Case& c : cases) {
        const QString name = QString::fromUtf8(c.file);
        write(from + u'/' + name, "new", now);
        if (c.hasTarget)
            write(to + u'/' + name, "old", now.addSecs(-c.targetAge));
    }
    EXPECT_EQ(CopyBundledPlugins(from, to), 2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        QFile target(to + u'/' + QString::fromUtf8(c.file));
        const QByteArray expected = c.copied ? "new" : c.hasTarget ? "old" : "";
        EXPECT_EQ(target.open(QIODevice::ReadOnly) ? target.readAll() : QByteArray(), expected);
        EXPECT_FALSE(QFile::exists(target.fileName() + QStringLiteral(".part")));
    }
    // A second start copies nothing.
    EXPECT_EQ(CopyBundledPlugins(from, to), 0);
}
