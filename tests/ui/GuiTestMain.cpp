#include "ui/CModalRunner.h"

#include <gtest/gtest.h>

#include <QApplication>

// GUI tests run with a QApplication on the offscreen platform, and every modal dialog runs from
// the test's script: a dialog without a scripted step fails the running test instead of waiting
// for a user.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    CModalRunner::SetScripted(true);
    CModalRunner::SetFailureHandler(
        [](const QString& message) { ADD_FAILURE() << message.toStdString(); });
    return RUN_ALL_TESTS();
}
