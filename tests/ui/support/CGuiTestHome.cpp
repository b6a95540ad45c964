#include "CGuiTestHome.h"

#include "ui/framework/CHelpViewer.h"
#include "ui/framework/CModalRunner.h"

void CGuiTestHome::SetUp() {
    CTestHome::SetUp();
    CModalRunner::ClearScript();
}

void CGuiTestHome::TearDown() {
    EXPECT_EQ(CModalRunner::PendingSteps(), 0) << "scripted dialog steps left over";
    CModalRunner::ClearScript();
    CHelpViewer::SetHelpFile(QString());
    CTestHome::TearDown();
}

void CGuiTestHome::UseQtUserInterface() {
    CUserInterface::Install(&qtUi);
}
