#pragma once

#include "util/CConsoleUserInterface.h"

#include <memory>

class CAppSettings;
class CBugInventory;
class CCacheDbManager;
class COptionList;
class CPluginMgr;
class CTemporarySettings;
class CVoiceNotes;

// One run of a command: the program's global objects, over the home folder the program uses, with
// the console user interface. Construction follows the program's start-up: the global objects in
// the program's order, each installed at once (database manager, cache types, website user IDs,
// container types, plug-in manager, settings, travel bug inventory, voice notes); the database
// and plug-in folders, the bundled plug-ins brought up to date; the settings loaded. Destruction
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
    std::unique_ptr<CCacheDbManager> m_dbManager;
    std::unique_ptr<COptionList> m_cacheTypes;
    std::unique_ptr<COptionList> m_siteUserIds;
    std::unique_ptr<COptionList> m_containerTypes;
    std::unique_ptr<CPluginMgr> m_pluginMgr;
    std::unique_ptr<CAppSettings> m_settings;
    std::unique_ptr<CBugInventory> m_bugInventory;
    std::unique_ptr<CVoiceNotes> m_voiceNotes;
    std::unique_ptr<CTemporarySettings> m_temporary;
};
