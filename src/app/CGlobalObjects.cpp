#include "app/CGlobalObjects.h"

#include "app/CAppSettings.h"
#include "app/CMainApp.h"
#include "app/COptionList.h"
#include "db/CCacheDbManager.h"
#include "plugins/CPluginMgr.h"
#include "travelbugs/CBugInventory.h"
#include "ui/CQtPluginDialogs.h"
#include "util/CVoiceNotes.h"

CGlobalObjects::CGlobalObjects() {
    m_dbManager = std::make_unique<CCacheDbManager>();
    CCacheDbManager::SetGlobal(m_dbManager.get());
    m_app = std::make_unique<CMainApp>();
    CMainApp::SetGlobal(m_app.get());
    // The option lists are configured (file, title, help topic, fallback, defaults) as they are
    // made; start-up loads the cache types once so that a first start writes its file.
    m_cacheTypes = std::make_unique<COptionList>(COptionList::MakeCacheTypes());
    m_siteUserIds = std::make_unique<COptionList>(COptionList::MakeSiteUserIds());
    m_containerTypes = std::make_unique<COptionList>(COptionList::MakeContainerTypes());
    COptionList::SetGlobals(m_cacheTypes.get(), m_containerTypes.get(), m_siteUserIds.get());
    m_pluginDialogs = std::make_unique<CQtPluginDialogs>();
    m_pluginMgr = std::make_unique<CPluginMgr>();
    m_pluginMgr->SetDialogs(m_pluginDialogs.get());
    CPluginMgr::SetGlobal(m_pluginMgr.get());
    m_settings = std::make_unique<CAppSettings>();
    CAppSettings::SetGlobal(m_settings.get());
    m_bugInventory = std::make_unique<CBugInventory>();
    CBugInventory::SetGlobal(m_bugInventory.get());
    m_voiceNotes = std::make_unique<CVoiceNotes>();
    CVoiceNotes::SetGlobal(m_voiceNotes.get());
}

CGlobalObjects::~CGlobalObjects() {
    CVoiceNotes::SetGlobal(nullptr);
    m_voiceNotes.reset();
    CBugInventory::SetGlobal(nullptr);
    m_bugInventory.reset();
    CAppSettings::SetGlobal(nullptr);
    m_settings.reset();
    CPluginMgr::SetGlobal(nullptr);
    m_pluginMgr.reset();
    m_pluginDialogs.reset();
    COptionList::SetGlobals(nullptr, nullptr, nullptr);
    m_containerTypes.reset();
    m_siteUserIds.reset();
    m_cacheTypes.reset();
    CMainApp::SetGlobal(nullptr);
    m_app.reset();
    CCacheDbManager::SetGlobal(nullptr);
    m_dbManager.reset();
}
