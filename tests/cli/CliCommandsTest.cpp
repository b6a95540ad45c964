// The tool's commands on databases, the record list and record pages, run as a separate process.

#include "CCliTestHome.h"

#include "db/CCacheDb.h"
#include "db/CCacheRecord.h"
#include "recordview/CRecPageGenerator.h"

#include <QDir>
#include <QFile>

namespace {

// Every line of a text.
QStringList Lines(const QString& text) {
    return text.split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

class CliCommandsTest : public CCliTestHome {};

TEST_F(CliCommandsTest, ExitCodesAndMessages) {
    MakeWalksDb();
    struct Case {
        QStringList args;
        int code;
        const char* err; // a part of standard error
    };
    const Case cases[] = {
        {{}, 2, "Usage: quarrybook-cli COMMAND"},
        {{"frobnicate"}, 2, "unknown command \"frobnicate\""},
        {{"count"}, 2, "the option --db is required"},
        {{"count", "--db", "Walks", "--bogus"}, 2, "Unknown option 'bogus'"},
        {{"count", "--db", "Walks", "extra"}, 2, "unexpected argument \"extra\""},
        {{"count", "--db", "Nope"}, 1, "no database named \"Nope\""},
        {{"create", "--db", "walks"}, 1, "a database named \"Walks\" exists already"},
        {{"create", "--db", "./-"}, 2, "is no database name"},
        {{"list", "--db", "Walks", "--sort", "Z"}, 2, "unknown column \"Z\""},
        {{"list", "--db", "Walks", "--units", "yd"}, 2, "unknown distance unit \"yd\""},
        {{"list", "--db", "Walks", "--min-diff", "easy"}, 2, "--min-diff needs a number"},
        {{"list", "--db", "Walks", "--columns", "CX"}, 2, "--columns takes letters A to S"},
        {{"list", "--db", "Walks", "--center", "north"}, 2, "invalid centre point"},
        {{"list", "--db", "Walks", "--bearing", "N,UP"}, 2, "unknown compass sector"},
        {{"list", "--db", "Walks", "--category", "Caves"}, 1, "has no category \"Caves\""},
        {{"show", "--db", "Walks"}, 2, "missing argument"},
        {{"show", "--db", "Walks", "GC999"}, 1, "no record \"GC999\""},
        {{"import", "--db", "Walks"}, 2, "missing argument"},
        {{"import", "--db", "Walks", "/no/such/file.gpx"}, 1, "cannot read the file"},
        {{"import", "--db", "Nope", QB_CLI_TEST_DATA "/two_caches.gpx"}, 1, "no database"},
        {{"export", "--db", "Walks", "--max", "x", "out.gpx"}, 2, "--max needs a count"},
        {{"export", "--db", "Walks", "--plugin", "Nope", "out.gpx"}, 1, "export plug-in"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const Result r = Run(c.args);
        EXPECT_EQ(r.code, c.code);
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.err))) << r.err.toStdString();
    }
    // No failed command left a database behind.
    QStringList dbs = QDir(Path(QStringLiteral("DB_Files"))).entryList(QDir::Files);
    EXPECT_EQ(dbs, QStringList{QStringLiteral("Walks")});
}

TEST_F(CliCommandsTest, HelpForEveryCommand) {
    const Result overview = Run({QStringLiteral("--help")});
    EXPECT_EQ(overview.code, 0);
    for (const char* command : {"dbs", "count", "create", "list", "show", "import", "export"}) {
        SCOPED_TRACE(command);
        const QString name = QString::fromUtf8(command);
        EXPECT_TRUE(overview.out.contains(QStringLiteral("  ") + name + u' '));
        const Result help = Run({name, QStringLiteral("--help")});
        EXPECT_EQ(help.code, 0);
        EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: quarrybook-cli ") + name))
            << help.out.toStdString();
        EXPECT_TRUE(help.out.contains(QStringLiteral("--yes")));
        EXPECT_EQ(name == QLatin1String("dbs"), !help.out.contains(QStringLiteral("--db")));
        EXPECT_EQ(Run({QStringLiteral("help"), name}).out, help.out);
    }
    // Help needs no home folder contents and creates none.
    EXPECT_TRUE(QDir(Home()).isEmpty());
}

TEST_F(CliCommandsTest, DatabasesAndCounts) {
    MakeWalksDb();
    EXPECT_EQ(Run({"create", "--db", "Empty.One"}).out, QStringLiteral("EmptyOne\n"));
    const Result dbs = Run({"dbs"});
    EXPECT_EQ(dbs.code, 0);
    EXPECT_EQ(dbs.out, QStringLiteral("EmptyOne\nWalks\n"));
    EXPECT_EQ(Run({"count", "--db", "Walks"}).out, QStringLiteral("4\n"));
    EXPECT_EQ(Run({"count", "--db", "emptyone"}).out, QStringLiteral("0\n"));
}

TEST_F(CliCommandsTest, ListPrintsTheVisibleListAsTheModelComputesIt) {
    MakeWalksDb();
    const QStringList center = {"--center", "N47 36.000 W122 20.000"};
    struct Case {
        const char* what;
        QStringList args;
        QStringList lines;
    };
    const Case cases[] = {
        {"stored columns and sort order, icon words",
         {},
         {"Bug\tNotes\tFound\tWpt\tName", "bug\tfound\towned\tGC100\tAlpha",
          "\tnot-found\tfound\tGC200\tbeta", "\t\t\tWP1\tDelta", "\tnote\t\tGC300\tGamma x"}},
        {"every column",
         {"--columns", "abcdefghijklmnopqrs", "--match", "GC1"},
         {"Type\tContainer\tBug\tNotes\tFound\tBookmark\tName\tWpt\tDiff\tTerr\tDistance\tBearing"
          "\tOwner\tHunt End\tDisabled\tCustom1\tCustom2\tCustom3\tFind %",
          "T\tS\tbug\tfound\towned\tbookmark\tAlpha\tGC100\t1.5\t2\t\t\tAnn\t\t\t\t\t\t"}},
        {"distances in km, sorted by distance",
         center + QStringList{"--columns", "HKL", "--sort", "K", "--show-units"},
         {"Wpt\tDistance\tBearing", "GC300\t\t", "GC200\t44 m\tN", "GC100\t1.9 km\tN",
          "WP1\t111.3 km\tN"}},
        {"statute miles, descending, without units",
         center +
             QStringList{"--columns", "HK", "--sort", "k", "--desc", "--units", "mi", "--no-units"},
         {"Wpt\tDistance", "WP1\t69.2", "GC100\t1.2", "GC200\t146", "GC300\t"}},
        {"maximum distance keeps records without coordinates",
         center + QStringList{"--columns", "H", "--max-distance", "2", "--sort", "H"},
         {"Wpt", "GC100", "GC200", "GC300"}},
        {"category", {"--columns", "H", "--category", "Hikes"}, {"Wpt", "GC100"}},
        {"unfiled category",
         {"--columns", "H", "--category", "Unfiled", "--sort", "H"},
         {"Wpt", "GC200", "GC300", "WP1"}},
        {"found and active", {"--columns", "H", "--found"}, {"Wpt", "GC200"}},
        {"found and not found", {"--columns", "H", "--found", "--not-found"}, {"Wpt"}},
        {"type and difficulty",
         {"--columns", "H", "--type", "Multi-cache", "--min-diff", "2"},
         {"Wpt", "GC200"}},
        {"exact match in any case",
         {"--columns", "H", "--match", "wp1", "--exact"},
         {"Wpt", "WP1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Result r = Run(QStringList{"list", "--db", "Walks"} + c.args);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_EQ(Lines(r.out), c.lines) << r.out.toStdString();
    }
}

TEST_F(CliCommandsTest, ListStartsFromTheStoredViewAndLeavesItStored) {
    MakeWalksDb();
    const QByteArray stored = "[ListView]\nFoundOnly=1\nColumns=HG\nSortColumn=7\nSortAscend=0\n";
    WriteFile(QStringLiteral("Quarrybook.ini"), stored);

    EXPECT_EQ(Lines(Run({"list", "--db", "Walks"}).out), (QStringList{"Wpt\tName", "GC200\tbeta"}));
    EXPECT_EQ(
        Lines(Run({"list", "--db", "Walks", "--clear-filters", "--units", "nm"}).out),
        (QStringList{"Wpt\tName", "WP1\tDelta", "GC300\tGamma x", "GC200\tbeta", "GC100\tAlpha"}));
    EXPECT_EQ(ReadFile(QStringLiteral("Quarrybook.ini")), stored);
}

TEST_F(CliCommandsTest, ShowPrintsTheRecordPage) {
    MakeWalksDb();
    // GC100 has a voice note.
    WriteFile(QStringLiteral("VoiceNotes/Walks/vn%1.snd").arg(walksIds[0]), QByteArray(8, '\x80'));

    CCacheDb db;
    ASSERT_TRUE(db.Open(Path(QStringLiteral("DB_Files/Walks")), QStringLiteral("Walks")));
    struct Case {
        const char* wpt;
        const char* page; // null: the default page
        quint32 id;
        bool voiceNote;
    };
    const Case cases[] = {
        {"GC100", nullptr, walksIds[0], true},
        {"gc200", "main", walksIds[1], false},
        {"GC200", "hints", walksIds[1], false},
        {"WP1", "log0#logs", walksIds[3], false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wpt);
        QStringList args = {"show", "--db", "Walks", QString::fromUtf8(c.wpt)};
        if (c.page)
            args << QStringLiteral("--page") << QString::fromUtf8(c.page);
        const Result r = Run(args);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();

        // The same page as the record view builds it.
        CCacheRecord record;
        ASSERT_TRUE(db.LoadRecord(c.id, record));
        CRecPageGenerator generator(record, &db);
        const bool voiceNote = c.voiceNote;
        generator.SetVoiceNoteQuery([voiceNote] { return voiceNote; });
        generator.PrepareRelatedSection();
        const QString expected =
            generator.PageHtml(c.page ? QString::fromUtf8(c.page) : QStringLiteral("main"));
        EXPECT_EQ(r.out, expected);
        EXPECT_EQ(r.out.contains(QStringLiteral("Voice Notes Recorded")), c.voiceNote);
    }
    // The decoded hints page.
    EXPECT_TRUE(Run({"show", "--db", "Walks", "--page", "hints", "GC100"})
                    .out.contains(QStringLiteral("Under the rock")));
}
