#include "cli/CCliSession.h"

#include "cli/CTemporarySettings.h"
#include "plugins/BundledPlugins.h"
#include "plugins/CCoreObjects.h"
#include "plugins/CPluginMgr.h"
#include "settings/CAppSettings.h"

#include <QDir>

CCliSession::CCliSession(bool answerYes) : m_ui(answerYes) {
    CUserInterface::Install(&m_ui);
    // The travel bug inventory is installed as the program installs it; no command opens it.
    m_core = std::make_unique<CCoreObjects>();

    // The database folder (the manager creates it) and the plug-in folder, with the plug-ins that
    // come with the program brought up to date.
    const QString pluginFolder = m_core->Plugins().PluginFolder();
    QDir().mkpath(pluginFolder);
    const QString bundled = BundledPluginFolder();
    if (!bundled.isEmpty())
        CopyBundledPlugins(bundled, pluginFolder);

    m_core->Settings().LoadSettings();
    m_temporary = std::make_unique<CTemporarySettings>();
}

CCliSession::~CCliSession() {
    m_temporary.reset();
    m_core.reset();
    CUserInterface::Install(nullptr);
}
