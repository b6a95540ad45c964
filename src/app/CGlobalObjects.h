#pragma once

#include <memory>

class CAppSettings;
class CBugInventory;
class CCacheDbManager;
class CMainApp;
class COptionList;
class CPluginMgr;
class CQtPluginDialogs;
class CVoiceNotes;

// The nine objects that live for the whole process, constructed in this order and each installed
// with its SetGlobal at once: the database manager, the application, the cache-type list, the
// website-user-ID list, the container-type list, the plug-in manager, the settings, the travel
// bug inventory and the voice-note recorder. They are uninstalled and destroyed in the reverse
// order, so the database manager goes last and closes whatever is still open.
//
// The plug-in manager asks the user through the program's plug-in dialogs (CQtPluginDialogs),
// which are made and installed with it and go after it.
//
// The process creates one after the single-instance hand-over; GUI tests create one per test.
class CGlobalObjects {
public:
    CGlobalObjects();
    ~CGlobalObjects();
    CGlobalObjects(const CGlobalObjects&) = delete;
    CGlobalObjects& operator=(const CGlobalObjects&) = delete;

    CMainApp& App() { return *m_app; }

private:
    std::unique_ptr<CCacheDbManager> m_dbManager;
    std::unique_ptr<CMainApp> m_app;
    std::unique_ptr<COptionList> m_cacheTypes;
    std::unique_ptr<COptionList> m_siteUserIds;
    std::unique_ptr<COptionList> m_containerTypes;
    std::unique_ptr<CQtPluginDialogs> m_pluginDialogs;
    std::unique_ptr<CPluginMgr> m_pluginMgr;
    std::unique_ptr<CAppSettings> m_settings;
    std::unique_ptr<CBugInventory> m_bugInventory;
    std::unique_ptr<CVoiceNotes> m_voiceNotes;
};
