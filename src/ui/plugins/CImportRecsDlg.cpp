#include "ui/plugins/CImportRecsDlg.h"

#include "db/CCacheDbManager.h"
#include "settings/CAppSettings.h"
#include "ui/plugins/CImportOptionPage.h"
#include "ui/plugins/CImportRoutingPage.h"

#include <QDialogButtonBox>
#include <QPushButton>

namespace {

// The drop-down lists are sorted without regard to letter case.
QStringList Sorted(QStringList names) {
    names.sort(Qt::CaseInsensitive);
    return names;
}

} // namespace

CImportRecsDlg::CImportRecsDlg(const QStringList& pluginNames, const QStringList& databaseNames,
                               QWidget* parent)
    : CPropertySheetEx(QStringLiteral("Import Records"), parent),
      m_pluginNames(Sorted(pluginNames)), m_databaseNames(Sorted(databaseNames)),
      m_optionPage(new CImportOptionPage(*this)), m_routingPage(new CImportRoutingPage(*this)) {
    AddPage(m_optionPage);
    AddPage(m_routingPage);
    SetHelpTopic(QStringLiteral("importing_records"));
    resize(360, 400);
}

bool CImportRecsDlg::Prepare() {
    if (m_databaseNames.isEmpty())
        return false;
    const CAppSettings& settings = CAppSettings::Global();
    m_choices.Load(settings);
    if (!m_choices.SelectInitialDatabase(m_databaseNames, settings, CCacheDbManager::Global()))
        return false;
    if (!m_startButton) {
        m_startButton = AddCommandButton(kStartCommand, QStringLiteral("Start"));
        m_startButton->setDefault(true);
    }
    // Start takes the place of OK: the dialog either starts the import or is cancelled. Hidden
    // after the Start button was added, because adding a button shows every button of the bar.
    CommandBar()->button(QDialogButtonBox::Ok)->setVisible(false);
    return true;
}

bool CImportRecsDlg::Run() {
    return Prepare() && DoModal() == kStart;
}

void CImportRecsDlg::OnStart() {
    if (!UpdateActivePage())
        return;
    if (m_choices.m_plugin.isEmpty()) {
        EndSheet(QDialog::Rejected);
        return;
    }
    m_choices.Store(CAppSettings::Global());
    EndSheet(kStart);
}

void CImportRecsDlg::accept() {
    OnStart();
}

void CImportRecsDlg::OnCommand(int command) {
    if (command == kStartCommand)
        OnStart();
}
