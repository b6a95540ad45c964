// The main window with a 10,000-record database: the time from process start to a filled and
// painted list, and the repaint after a tap on a column header re-sorts it.
//
//   bench_mainwindow                           the benchmarks
//   bench_mainwindow --screenshot <file.png>   a picture of the main window with those records
//
// Each start-up sample runs this program again as a child ("--child") in the prepared home
// folder: the child starts Quarrybook exactly as the program does and writes one line once the
// list has been filled and painted; the parent times from starting the process to that line.

#include "BenchHome.h"

#include "app/CGlobalObjects.h"
#include "app/CMainApp.h"
#include "db/CCacheDb.h"
#include "settings/CAppSettings.h"
#include "settings/CSettingsStore.h"
#include "ui/framework/CQtUserInterface.h"
#include "ui/list/CMainFrame.h"
#include "ui/list/CRecListView.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QProcess>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr int kRecordCount = 10000;

int g_argc = 1;
char* g_argv[] = {const_cast<char*>("bench_mainwindow"), nullptr};
QString g_selfPath;

// The settings a user in the field would have: a centre point, sorted by distance, and columns
// with distance and bearing.
void ConfigureList(CAppSettings& settings) {
    settings.m_centerLat = 47.62;
    settings.m_centerLon = -122.35;
    settings.m_sortColumn = kKindDistance;
    settings.m_sortAscend = 1;
    settings.m_showDistUnits = 1;
    settings.SaveSettings();
    CSettingsStore().WriteText(QStringLiteral("ListView"), QStringLiteral("Columns"),
                               QStringLiteral("CDEFGHKLIJ"));
}

// A home folder with the records in the database "Default", for the whole program run; main
// removes it before the program's static objects go.
std::unique_ptr<BenchHome> g_home;

BenchHome& PreparedHome() {
    std::unique_ptr<BenchHome>& home = g_home;
    if (!home) {
        home = std::make_unique<BenchHome>();
        std::unique_ptr<CCacheDb> db = home->OpenDb(QStringLiteral("Default"));
        GenerateRecords(*db, kRecordCount);
        db.reset();
        ConfigureList(home->Settings());
    }
    return *home;
}

QApplication& App() {
    if (!qApp) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(g_argc, g_argv);
    }
    return *static_cast<QApplication*>(QApplication::instance());
}

// Starts Quarrybook in this process, as the program does, and waits for the filled list.
class RunningApp {
public:
    RunningApp() {
        CUserInterface::Install(&m_ui);
        m_globals = std::make_unique<CGlobalObjects>();
        m_globals->App().InitInstance(QString());
        while (!View()->StartupDone())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    ~RunningApp() {
        m_globals->App().DestroyMainFrame();
        m_globals->App().ExitInstance();
        m_globals.reset();
        CUserInterface::Install(nullptr);
    }
    CMainFrame* Frame() const { return m_globals->App().MainFrame(); }
    CRecListView* View() const { return Frame()->ListView(); }

private:
    CQtUserInterface m_ui;
    std::unique_ptr<CGlobalObjects> m_globals;
};

int RunChild(const char* screenshot) {
    App();
    {
        RunningApp app;
        app.Frame()->resize(720, 540);
        // Everything the window shows, drawn once.
        const QPixmap picture = app.Frame()->grab();
        std::printf("painted %d rows\n", app.View()->model()->rowCount());
        std::fflush(stdout);
        if (screenshot)
            picture.save(QString::fromLocal8Bit(screenshot));
    }
    return 0;
}

void BM_ProcessStartToPaintedList(benchmark::State& state) {
    PreparedHome();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    for (auto _ : state) {
        QProcess child;
        QElapsedTimer clock;
        clock.start();
        child.start(g_selfPath, {QStringLiteral("--child")});
        QByteArray line;
        while (!line.contains('\n') && child.waitForReadyRead(60000))
            line += child.readAllStandardOutput();
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        child.waitForFinished(60000);
        if (!line.startsWith("painted")) {
            state.SkipWithError("the child did not paint its list");
            break;
        }
    }
}
BENCHMARK(BM_ProcessStartToPaintedList)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

void BM_HeaderTapResortRepaint(benchmark::State& state) {
    PreparedHome();
    App();
    RunningApp app;
    app.Frame()->resize(720, 540);
    app.Frame()->grab();
    CRecListView* view = app.View();
    const QChar letter = QChar(char16_t(state.range(0)));
    const int column = int(view->ColumnLetters().indexOf(letter));
    for (auto _ : state) {
        view->SortByColumn(column);
        view->viewport()->repaint();
    }
    state.SetLabel(QStringLiteral("column %1, %2 rows")
                       .arg(letter)
                       .arg(view->model()->rowCount())
                       .toStdString());
}
BENCHMARK(BM_HeaderTapResortRepaint)
    ->Arg('G')
    ->Arg('K')
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

} // namespace

int main(int argc, char** argv) {
    g_selfPath = QString::fromLocal8Bit(argv[0]);
    if (argc >= 2 && std::strcmp(argv[1], "--child") == 0)
        return RunChild(nullptr);
    int result = 0;
    if (argc >= 3 && std::strcmp(argv[1], "--screenshot") == 0) {
        PreparedHome();
        result = RunChild(argv[2]);
    } else {
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    g_home.reset();
    return result;
}
