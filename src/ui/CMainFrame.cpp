#include "ui/CMainFrame.h"

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Quarrybook"));
    resize(480, 640);
}
