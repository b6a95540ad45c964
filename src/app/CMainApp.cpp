#include "app/CMainApp.h"

#include "db/CCacheDbManager.h"
#include "editors/LogTemplate.h"
#include "plugins/BundledPlugins.h"
#include "plugins/CPluginMgr.h"
#include "settings/CAppSettings.h"
#include "settings/COptionList.h"
#include "travelbugs/CBugInventory.h"
#include "ui/framework/CSingleInstance.h"
#include "ui/framework/ScreenDensity.h"
#include "ui/list/CMainFrame.h"
#include "util/FileHelpers.h"
#include "util/HomeFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cassert>
#include <cstdio>

namespace {

CMainApp* g_app = nullptr;

} // namespace

CMainApp::CMainApp() = default;

CMainApp::~CMainApp() = default;

CMainApp& CMainApp::Global() {
    assert(g_app && "no application installed");
    return *g_app;
}

void CMainApp::SetGlobal(CMainApp* app) {
    g_app = app;
}

bool CMainApp::InitInstance(const QString& commandLine) {
    // 1. The screen's pixel density, unless it is known already.
    ReadScreenDpi();

    // 2. Make the main window findable by a second start. A program that cannot be found still
    //    works, so a socket that cannot be created does not stop it.
    m_singleInstance = std::make_unique<CSingleInstance>();
    m_singleInstance->Listen();

    // 3, 4. The record view's HTML viewer and the date and time pickers are ordinary widgets
    //       here and need no initialisation of their own.

    // 5, 6. Program path, version text and the folder every data file lives in.
    m_programPath = QCoreApplication::applicationFilePath();
    m_versionText = ProgramVersionText();
    m_programFolder = HomeFolderSlash();

    // 7. The travel bug inventory; without it the program does not start.
    if (!CBugInventory::Global().Open(m_programFolder))
        return false;

    // 8. The database folder (a failure shows later, when a database cannot be opened).
    QDir().mkpath(CCacheDbManager::Global().Folder());

    // 9. The plug-in folder, with the plug-ins that come with the program brought up to date.
    const QString pluginFolder = CPluginMgr::Global().PluginFolder();
    QDir().mkpath(pluginFolder);
    const QString bundled = BundledPluginFolder();
    if (!bundled.isEmpty())
        CopyBundledPlugins(bundled, pluginFolder);

    // 10. The voice-note recorder took the home folder when it was constructed.

    // 11. Load the cache types once and let them go, so that a first start writes their file.
    COptionList::CacheTypes().Load();
    COptionList::CacheTypes().Unload();

    // 12. The log template: a missing or empty file is written with the default template.
    ExpandLogTemplate(false);

    // 13, 14. The settings.
    CAppSettings::Global().LoadSettings();

    // 15. The main window. Creating it creates the list window, which queues its deferred
    //     start-up (opening the current database) to run once the event loop runs.
    m_mainFrame = std::make_unique<CMainFrame>();
    QObject::connect(m_singleInstance.get(), &CSingleInstance::ForegroundRequested,
                     m_mainFrame.get(), &CMainFrame::BringToFront);
    QObject::connect(m_singleInstance.get(), &CSingleInstance::TextReceived, m_mainFrame.get(),
                     &CMainFrame::OnCopyData);
    m_mainFrame->SetPendingCommand(commandLine);
    m_mainFrame->show();
    m_mainFrame->repaint();
    return true;
}

void CMainApp::ExitInstance() {
    CBugInventory::Global().Close();
    CAppSettings::Global().SaveSettings();
    m_singleInstance.reset();
}

void CMainApp::DestroyMainFrame() {
    m_mainFrame.reset();
}
