// Start-up in an empty home, screen densities, the fall-back to the default database and the
// hand-over from a second start.
#include "CAppTestHome.h"

#include "app/CMainApp.h"
#include "db/CCacheDb.h"
#include "list/CRecordList.h"
#include "plugins/BundledPlugins.h"
#include "settings/CSettingsStore.h"
#include "travelbugs/CBugInventory.h"
#include "ui/framework/CModalRunner.h"
#include "ui/framework/ScreenDensity.h"
#include "ui/list/CMainFrame.h"
#include "ui/list/CRecListView.h"
#include "ui/list/CVgaNoticeDlg.h"
#include "ui/recordview/CRecViewWnd.h"
#include "util/Timestamps.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

class StartupTest : public CAppTestHome {};

TEST_F(StartupTest, FirstStartCreatesFoldersFilesAndDefaultDatabaseWithoutDialogs) {
    Start();
    for (const char* path : {"DB_Files", "Plugins"})
        EXPECT_TRUE(QFileInfo(Path(QString::fromLatin1(path))).isDir()) << path;
    for (const char* path :
         {"DB_Files/Default", "CacheTypes.txt", "LogTemplate.txt", "TravelBugs.db"})
        EXPECT_TRUE(QFileInfo(Path(QString::fromLatin1(path))).isFile()) << path;

    ASSERT_NE(Db(), nullptr);
    EXPECT_EQ(Db()->GetName(), QStringLiteral("Default"));
    EXPECT_EQ(Db()->CountRecords(), 0);
    QStringList categories;
    Db()->GetCategoryNames(categories, true);
    EXPECT_FALSE(categories.isEmpty());
    EXPECT_EQ(View()->List().CategoryName(), QStringLiteral("Unfiled"));
    EXPECT_EQ(View()->model()->rowCount(), 0);
    EXPECT_TRUE(ui.messages.empty()) << ui.Texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Frame()->windowTitle(), QStringLiteral("Quarrybook"));
}

TEST_F(StartupTest, DensityChoosesImagesAndTheSelfClosingNotice) {
    struct Case {
        int dpi;
        bool notice;
        int buttonEdge;
        int statusEdge;
    };
    const Case cases[] = {{96, false, 16, 8}, {129, false, 16, 8}, {130, true, 32, 16}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        SetScreenDpi(c.dpi, c.dpi);
        qint64 shownFor = -1;
        if (c.notice) {
            CModalRunner::ScriptAs<CVgaNoticeDlg>([&shownFor](CVgaNoticeDlg& notice) {
                EXPECT_EQ(notice.windowTitle(), QStringLiteral("VGA Bug Workaround"));
                QElapsedTimer clock;
                clock.start();
                // Nobody presses anything: the notice goes by itself.
                EXPECT_TRUE(QTest::qWaitFor([&notice] { return !notice.isVisible(); }, 3000));
                shownFor = clock.elapsed();
            });
        }
        Start();
        EXPECT_EQ(CModalRunner::PendingSteps(), 0);
        if (c.notice) {
            EXPECT_GE(shownFor, 300);
        }
        EXPECT_EQ(Frame()->CommandBar()->iconSize(), QSize(c.buttonEdge, c.buttonEdge));
        EXPECT_EQ(View()->StatusIcons()[0].width(), c.statusEdge);
        EXPECT_TRUE(ui.messages.empty());
        Stop();
    }
}

TEST_F(StartupTest, UnopenableDatabaseFallsBackToDefaultOnce) {
    WriteFile(QStringLiteral("DB_Files/Broken"), QByteArray(4096, 'x'));
    CSettingsStore().WriteText(QStringLiteral("Config"), QStringLiteral("Database"),
                               QStringLiteral("Broken"));
    Start();

    const QString fallBack =
        QStringLiteral("Error opening database.  Attempting to use default database.");
    EXPECT_EQ(ui.Texts().count(fallBack), 1);
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().text, fallBack);
    EXPECT_EQ(ui.messages.back().icon, MsgIcon::Exclamation);
    ASSERT_NE(Db(), nullptr);
    EXPECT_EQ(Db()->GetName(), QStringLiteral("Default"));
    EXPECT_EQ(CSettingsStore().ReadText(QStringLiteral("Config"), QStringLiteral("Database")),
              QStringLiteral("Default"));
    // The file that is not a database is left as it was.
    EXPECT_EQ(ReadFile(QStringLiteral("DB_Files/Broken")), QByteArray(4096, 'x'));
}

TEST_F(StartupTest, OverdueTravelBugsAreRemindedOfAtStart) {
    {
        CBugInventory inventory;
        ASSERT_TRUE(inventory.Open(Home()));
        CBugRecord bug;
        bug.name = QStringLiteral("Old bug");
        ASSERT_TRUE(inventory.SaveBug(bug));
        bug.insert_ts = DateTimeToTimestamp(QDateTime::currentDateTimeUtc().addDays(-31));
        ASSERT_TRUE(inventory.SaveBug(bug));
        inventory.Close();
    }
    Start();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              QStringLiteral("You have one or more travel bugs in your inventory that need to be "
                             "dropped as soon as possible."));
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Information);
}

TEST_F(StartupTest, BundledPlugInsAreCopiedWhenMissingOrOlder) {
    const QDateTime built = QDateTime::currentDateTime().addDays(-1);
    auto write = [this](const QString& file, const QByteArray& bytes, const QDateTime& time) {
        WriteFile(file, bytes);
        QFile f(Path(file));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(time, QFileDevice::FileModificationTime));
    };
    write(QStringLiteral("bundle/new.so"), "new", built);
    write(QStringLiteral("bundle/updated.so"), "version 2", built);
    write(QStringLiteral("bundle/current.so"), "bundled", built);
    write(QStringLiteral("bundle/readme.txt"), "not a plug-in", built);
    write(QStringLiteral("Plugins/updated.so"), "version 1", built.addDays(-10));
    write(QStringLiteral("Plugins/current.so"), "installed", built.addSecs(60));

    CopyBundledPlugins(Path(QStringLiteral("bundle")), Path(QStringLiteral("Plugins")));
    EXPECT_EQ(ReadFile(QStringLiteral("Plugins/new.so")), "new");
    EXPECT_EQ(ReadFile(QStringLiteral("Plugins/updated.so")), "version 2");
    EXPECT_EQ(ReadFile(QStringLiteral("Plugins/current.so")), "installed");
    EXPECT_EQ(QDir(Path(QStringLiteral("Plugins"))).entryList(QDir::Files),
              QStringList({"current.so", "new.so", "updated.so"}));

    // Copies keep the bundled time, so the next start leaves them alone.
    write(QStringLiteral("Plugins/new.so"), "changed by hand", built);
    CopyBundledPlugins(Path(QStringLiteral("bundle")), Path(QStringLiteral("Plugins")));
    EXPECT_EQ(ReadFile(QStringLiteral("Plugins/new.so")), "changed by hand");
}

TEST_F(StartupTest, CategoryIsStoredAtCloseAndResolvedAtStart) {
    Start();
    AddCategory(QStringLiteral("Hikes"));
    Stop();
    CSettingsStore().WriteText(QStringLiteral("ListView"), QStringLiteral("Category"),
                               QStringLiteral("Hikes"));
    Start();
    EXPECT_EQ(View()->List().CategoryName(), QStringLiteral("Hikes"));
    EXPECT_EQ(Frame()->CategoryButton()->text(), QStringLiteral("Hikes"));
    Stop();
    // A name the database no longer knows starts the list on "Unfiled".
    CSettingsStore().WriteText(QStringLiteral("ListView"), QStringLiteral("Category"),
                               QStringLiteral("Gone"));
    Start();
    EXPECT_EQ(View()->List().CategoryName(), QStringLiteral("Unfiled"));
    Stop();
    EXPECT_EQ(CSettingsStore().ReadText(QStringLiteral("ListView"), QStringLiteral("Category")),
              QStringLiteral("Unfiled"));
}

TEST_F(StartupTest, SecondStartHandsOverItsCommandLineAndEnds) {
    Start();
    AddRecord({QStringLiteral("Other"), QStringLiteral("GC99XYZ")});
    const quint32 id = AddRecord({QStringLiteral("Wanted"), QStringLiteral("GC12ABC")});
    View()->Reload();

    for (const QString& link : {QStringLiteral("qbook://GC12ABC"), QStringLiteral("\\GC12abc")}) {
        SCOPED_TRACE(link.toStdString());
        View()->SelectRecord(0);
        ASSERT_EQ(View()->SelectedSummary(), nullptr);
        quint32 viewed = 0;
        CModalRunner::ScriptAs<CRecViewWnd>([&viewed](CRecViewWnd& view) {
            viewed = view.Record().id;
            view.reject();
        });

        QProcess second;
        second.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        second.start(QStringLiteral(QB_QUARRYBOOK_EXE), {link});
        ASSERT_TRUE(
            QTest::qWaitFor([&second] { return second.state() == QProcess::NotRunning; }, 20000));
        EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(qint8(second.exitCode()), -1);

        // The timer serves the request once the main window is in front: the record's view
        // opens, and the record is selected when it closes.
        ASSERT_TRUE(QTest::qWaitFor([&viewed] { return viewed != 0; }, 5000));
        EXPECT_EQ(viewed, id);
        ASSERT_NE(View()->SelectedSummary(), nullptr);
        EXPECT_EQ(View()->SelectedSummary()->id, id);
    }
    EXPECT_TRUE(ui.messages.empty());
}

} // namespace
