#pragma once

#include "ui/framework/CPropertySheetEx.h"
#include "ui/framework/about/CAboutVerPage.h"

class CAboutInfoPage;

// The about box "About Quarrybook": the "Info" page with the program's version and the maker's
// links, and the "Version" page listing the program and the installed plug-ins with their
// versions. Help opens the topic "Main_Contents".
class CAboutDlg : public CPropertySheetEx {
    Q_OBJECT
public:
    // `plugins`: the name and version text of every installed plug-in.
    explicit CAboutDlg(CAboutVerPage::ModuleVersions plugins = {}, QWidget* parent = nullptr);

    // Shows the about box modally.
    static void Run(CAboutVerPage::ModuleVersions plugins, QWidget* parent = nullptr);

    CAboutInfoPage* InfoPage() const { return m_infoPage; }
    CAboutVerPage* VerPage() const { return m_verPage; }

private:
    CAboutInfoPage* m_infoPage;
    CAboutVerPage* m_verPage;
};
