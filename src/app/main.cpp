#include "app/CGlobalObjects.h"
#include "app/CMainApp.h"
#include "ui/framework/ApplicationSetup.h"
#include "ui/framework/CQtUserInterface.h"
#include "ui/framework/CSingleInstance.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QStringList>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &byte, 1);
}

// A request to end the program (logout, shutdown, Ctrl+C in a terminal) closes the main window
// as the user would, so that the shut-down sequence closes the files and saves the settings.
void EndOnTerminationSignals(QApplication& app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [notifier] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(g_signalPipe[0], &byte, 1);
        notifier->setEnabled(false);
        QApplication::closeAllWindows();
        QApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}

} // namespace

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quarrybook"));
    QApplication::setDesktopFileName(QStringLiteral("quarrybook"));

    // The command line without the program's own name: a record link such as "qbook:GC12ABC".
    QStringList arguments = QApplication::arguments();
    if (!arguments.isEmpty())
        arguments.removeFirst();
    const QString commandLine = arguments.join(QLatin1Char(' '));

    // A running instance takes over the command line; this one ends without a window.
    if (CSingleInstance::HandOver(commandLine))
        return -1;

    EndOnTerminationSignals(qtApp);
    SetUpApplication();
    CQtUserInterface ui;
    CUserInterface::Install(&ui);

    int exitCode = 0;
    {
        CGlobalObjects globals;
        CMainApp& app = globals.App();
        if (app.InitInstance(commandLine))
            exitCode = QApplication::exec();
        else
            exitCode = 1;
        app.DestroyMainFrame();
        app.ExitInstance();
    }
    CUserInterface::Install(nullptr);
    return exitCode;
}
