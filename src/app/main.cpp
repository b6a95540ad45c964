#include "ui/CMainFrame.h"
#include "util/HomeFolder.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quarrybook"));
    HomeFolder();
    CMainFrame frame;
    frame.show();
    return app.exec();
}
