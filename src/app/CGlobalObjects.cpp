#include "app/CGlobalObjects.h"

#include "app/CMainApp.h"
#include "ui/plugins/CQtPluginDialogs.h"

CGlobalObjects::CGlobalObjects() {
    m_pluginDialogs = std::make_unique<CQtPluginDialogs>();
    // The application comes second, right after the database manager, and goes at the mirror
    // place.
    m_core = std::make_unique<CCoreObjects>(
        m_pluginDialogs.get(),
        [this] {
            m_app = std::make_unique<CMainApp>();
            CMainApp::SetGlobal(m_app.get());
        },
        [this] {
            CMainApp::SetGlobal(nullptr);
            m_app.reset();
        });
}

CGlobalObjects::~CGlobalObjects() {
    m_core.reset();
    m_pluginDialogs.reset();
}
