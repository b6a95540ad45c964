#pragma once

#include <QString>

#include <memory>

class CMainFrame;
class CSingleInstance;

// The application: runs the start-up sequence that brings up the data folders, the global
// objects' files and settings and the main window, and the shut-down sequence that closes the
// travel bug inventory and saves the settings. It owns the main window.
class CMainApp {
public:
    CMainApp();
    ~CMainApp();
    CMainApp(const CMainApp&) = delete;
    CMainApp& operator=(const CMainApp&) = delete;

    // The application of the process; asserts when none is installed.
    static CMainApp& Global();
    static void SetGlobal(CMainApp* app);

    // The start-up sequence; `commandLine` becomes the main window's pending command text (a
    // record link handed to the program). False when start-up failed; the process then destroys
    // the main window (DestroyMainFrame) and still runs ExitInstance.
    bool InitInstance(const QString& commandLine);
    // The shut-down sequence: closes the travel bug inventory, then saves all settings.
    void ExitInstance();
    // Destroys the main window, if there is one (the list window stores its category then).
    void DestroyMainFrame();

    const QString& ProgramPath() const { return m_programPath; }
    // The home folder with a trailing "/": every data file and folder lives below it.
    const QString& ProgramFolder() const { return m_programFolder; }
    const QString& VersionText() const { return m_versionText; }
    CMainFrame* MainFrame() const { return m_mainFrame.get(); }
    CSingleInstance* SingleInstance() const { return m_singleInstance.get(); }

private:
    QString m_programPath;
    QString m_programFolder;
    QString m_versionText;
    std::unique_ptr<CSingleInstance> m_singleInstance;
    std::unique_ptr<CMainFrame> m_mainFrame;
};
