#pragma once

#include <functional>
#include <memory>

class CAppSettings;
class CBugInventory;
class CCacheDbManager;
class COptionList;
class CPluginMgr;
class CVoiceNotes;
class IPluginDialogs;

// The objects of the core that live for a whole run of the program or of the command-line tool,
// constructed in this order and each installed with its SetGlobal at once: the database manager,
// (the application object, made by the program through `makeApp`), the cache-type list, the
// website-user-ID list, the container-type list, the plug-in manager (with the plug-in dialogs
// it asks through, when given), the settings, the travel bug inventory and the voice-note
// recorder. They are uninstalled and destroyed in the reverse order (`dropApp` at the mirror
// place), so the database manager goes last and closes whatever is still open.
class CCoreObjects {
public:
    using Step = std::function<void()>;

    explicit CCoreObjects(IPluginDialogs* dialogs = nullptr, Step makeApp = {}, Step dropApp = {});
    ~CCoreObjects();
    CCoreObjects(const CCoreObjects&) = delete;
    CCoreObjects& operator=(const CCoreObjects&) = delete;

    CPluginMgr& Plugins() { return *m_pluginMgr; }
    CAppSettings& Settings() { return *m_settings; }

private:
    Step m_dropApp;
    std::unique_ptr<CCacheDbManager> m_dbManager;
    std::unique_ptr<COptionList> m_cacheTypes;
    std::unique_ptr<COptionList> m_siteUserIds;
    std::unique_ptr<COptionList> m_containerTypes;
    std::unique_ptr<CPluginMgr> m_pluginMgr;
    std::unique_ptr<CAppSettings> m_settings;
    std::unique_ptr<CBugInventory> m_bugInventory;
    std::unique_ptr<CVoiceNotes> m_voiceNotes;
};
