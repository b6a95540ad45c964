#pragma once

#include "util/CConsoleUserInterface.h"

#include <memory>

class CCoreObjects;
class CTemporarySettings;

// One run of a command: the program's global objects (CCoreObjects, in the program's order),
// over the home folder the program uses, with the console user interface; the database and
// plug-in folders, the bundled plug-ins brought up to date; the settings loaded. Destruction
// undoes it in the reverse order. Settings the command changes last only for the run (see
// CTemporarySettings); the tool never saves the settings.
class CCliSession {
public:
    // `answerYes`: questions are answered Yes instead of No.
    explicit CCliSession(bool answerYes);
    ~CCliSession();
    CCliSession(const CCliSession&) = delete;
    CCliSession& operator=(const CCliSession&) = delete;

private:
    CConsoleUserInterface m_ui;
    std::unique_ptr<CCoreObjects> m_core;
    std::unique_ptr<CTemporarySettings> m_temporary;
};
