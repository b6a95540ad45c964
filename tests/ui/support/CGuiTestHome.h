#pragma once

#include "CTestHome.h"
#include "ui/framework/CQtUserInterface.h"

// Base fixture for widget tests: a fresh home folder and scripted user interface (CTestHome), an
// empty modal script that must be used up by the end of the test, and the program's own Qt user
// interface for tests that want message boxes to run as dialogs (UseQtUserInterface).
class CGuiTestHome : public CTestHome {
protected:
    void SetUp() override;
    void TearDown() override;

    // Installs qtUi in place of the scripted recorder for the rest of the test.
    void UseQtUserInterface();

    CQtUserInterface qtUi;
};
