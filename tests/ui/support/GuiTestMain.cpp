#include "ui/framework/ApplicationSetup.h"
#include "ui/framework/CModalRunner.h"

#include <gtest/gtest.h>

#include <QApplication>

namespace {

QtMessageHandler g_defaultHandler = nullptr;

// The offscreen platform warns about every window feature it lacks ("This plugin does not
// support raise()"); those lines would bury the test output.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    g_defaultHandler(type, context, message);
}

} // namespace

// GUI tests run with a QApplication on the offscreen platform, and every modal dialog runs from
// the test's script: a dialog without a scripted step fails the running test instead of waiting
// for a user.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    g_defaultHandler = qInstallMessageHandler(QuietHandler);
    QApplication app(argc, argv);
    SetUpApplication();
    ::testing::InitGoogleTest(&argc, argv);
    CModalRunner::SetScripted(true);
    CModalRunner::SetFailureHandler(
        [](const QString& message) { ADD_FAILURE() << message.toStdString(); });
    return RUN_ALL_TESTS();
}
