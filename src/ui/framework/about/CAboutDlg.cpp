#include "ui/framework/about/CAboutDlg.h"

#include "ui/framework/about/CAboutInfoPage.h"

CAboutDlg::CAboutDlg(CAboutVerPage::ModuleVersions plugins, QWidget* parent)
    : CPropertySheetEx(QStringLiteral("About Quarrybook"), parent), m_infoPage(new CAboutInfoPage),
      m_verPage(new CAboutVerPage(std::move(plugins))) {
    AddPage(m_infoPage);
    AddPage(m_verPage);
    SetHelpTopic(QStringLiteral("Main_Contents"));
    // Nothing to confirm or undo: OK alone closes the box.
    SetCancelButtonVisible(false);
    resize(360, 400);
}

void CAboutDlg::Run(CAboutVerPage::ModuleVersions plugins, QWidget* parent) {
    CAboutDlg dialog(std::move(plugins), parent);
    dialog.DoModal();
}
