#pragma once

#include "plugins/CCoreObjects.h"

#include <memory>

class CMainApp;
class CQtPluginDialogs;

// The nine objects that live for the whole process, constructed in this order and each installed
// with its SetGlobal at once: the database manager, the application, the cache-type list, the
// website-user-ID list, the container-type list, the plug-in manager, the settings, the travel
// bug inventory and the voice-note recorder. They are uninstalled and destroyed in the reverse
// order, so the database manager goes last and closes whatever is still open. All but the
// application are the core's (CCoreObjects).
//
// The plug-in manager asks the user through the program's plug-in dialogs (CQtPluginDialogs),
// which are made before it and go after it.
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
    // Declared before the core objects: made before them and destroyed after them.
    std::unique_ptr<CQtPluginDialogs> m_pluginDialogs;
    std::unique_ptr<CMainApp> m_app;
    std::unique_ptr<CCoreObjects> m_core;
};
