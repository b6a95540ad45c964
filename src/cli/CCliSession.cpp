#include "cli/CCliSession.h"

#include "app/CAppSettings.h"
#include "app/COptionList.h"
#include "cli/CTemporarySettings.h"
#include "db/CCacheDbManager.h"
#include "plugins/BundledPlugins.h"
#include "plugins/CPluginMgr.h"
#include "travelbugs/CBugInventory.h"
#include "util/CVoiceNotes.h"

#include <QDir>

CCliSession::CCliSession(bool answerYes) : m_ui(answerYes) {
    CUserInterface::Install(&m_ui);

    m_dbManager = std::make_unique<CCacheDbManager>();
    CCacheDbManager::SetGlobal(m_dbManager.get());
    m_cacheTypes = std::make_unique<COptionList>(COptionList::MakeCacheTypes());
    m_siteUserIds = std::make_unique<COptionList>(COptionList::MakeSiteUserIds());
    m_containerTypes = std::make_unique<COptionList>(COptionList::MakeContainerTypes());
    COptionList::SetGlobals(m_cacheTypes.get(), m_containerTypes.get(), m_siteUserIds.get());
    m_pluginMgr = std::make_unique<CPluginMgr>();
    CPluginMgr::SetGlobal(m_pluginMgr.get());
    m_settings = std::make_unique<CAppSettings>();
    CAppSettings::SetGlobal(m_settings.get());
    // The inventory is installed as the program installs it; no command of the tool opens it.
    m_bugInventory = std::make_unique<CBugInventory>();
    CBugInventory::SetGlobal(m_bugInventory.get());
    m_voiceNotes = std::make_unique<CVoiceNotes>();
    CVoiceNotes::SetGlobal(m_voiceNotes.get());

    // The database folder (the manager creates it) and the plug-in folder, with the plug-ins that
    // come with the program brought up to date.
    const QString pluginFolder = m_pluginMgr->PluginFolder();
    QDir().mkpath(pluginFolder);
    const QString bundled = BundledPluginFolder();
    if (!bundled.isEmpty())
        CopyBundledPlugins(bundled, pluginFolder);

    m_settings->LoadSettings();
    m_temporary = std::make_unique<CTemporarySettings>();
}

CCliSession::~CCliSession() {
    m_temporary.reset();

    CVoiceNotes::SetGlobal(nullptr);
    m_voiceNotes.reset();
    CBugInventory::SetGlobal(nullptr);
    m_bugInventory.reset();
    CAppSettings::SetGlobal(nullptr);
    m_settings.reset();
    CPluginMgr::SetGlobal(nullptr);
    m_pluginMgr.reset();
    COptionList::SetGlobals(nullptr, nullptr, nullptr);
    m_containerTypes.reset();
    m_siteUserIds.reset();
    m_cacheTypes.reset();
    CCacheDbManager::SetGlobal(nullptr);
    m_dbManager.reset();

    CUserInterface::Install(nullptr);
}
