#include "plugins/CCoreObjects.h"

#include "db/CCacheDbManager.h"
#include "plugins/CPluginMgr.h"
#include "settings/CAppSettings.h"
#include "settings/COptionList.h"
#include "travelbugs/CBugInventory.h"
#include "util/CVoiceNotes.h"

CCoreObjects::CCoreObjects(IPluginDialogs* dialogs, Step makeApp, Step dropApp)
    : m_dropApp(std::move(dropApp)) {
    m_dbManager = std::make_unique<CCacheDbManager>();
    CCacheDbManager::SetGlobal(m_dbManager.get());
    if (makeApp)
        makeApp();
    // The option lists are configured (file, title, help topic, fallback, defaults) as they are
    // made.
    m_cacheTypes = std::make_unique<COptionList>(COptionList::MakeCacheTypes());
    m_siteUserIds = std::make_unique<COptionList>(COptionList::MakeSiteUserIds());
    m_containerTypes = std::make_unique<COptionList>(COptionList::MakeContainerTypes());
    COptionList::SetGlobals(m_cacheTypes.get(), m_containerTypes.get(), m_siteUserIds.get());
    m_pluginMgr = std::make_unique<CPluginMgr>();
    m_pluginMgr->SetDialogs(dialogs);
    CPluginMgr::SetGlobal(m_pluginMgr.get());
    m_settings = std::make_unique<CAppSettings>();
    CAppSettings::SetGlobal(m_settings.get());
    m_bugInventory = std::make_unique<CBugInventory>();
    CBugInventory::SetGlobal(m_bugInventory.get());
    m_voiceNotes = std::make_unique<CVoiceNotes>();
    CVoiceNotes::SetGlobal(m_voiceNotes.get());
}

CCoreObjects::~CCoreObjects() {
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
    if (m_dropApp)
        m_dropApp();
    CCacheDbManager::SetGlobal(nullptr);
    m_dbManager.reset();
}
