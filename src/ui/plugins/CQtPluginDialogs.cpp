#include "ui/plugins/CQtPluginDialogs.h"

#include "db/CCacheDbManager.h"
#include "plugins/CPluginMgr.h"
#include "ui/framework/CModalRunner.h"
#include "ui/plugins/CImportRecsDlg.h"
#include "ui/plugins/CSelectPluginDlg.h"

#include <QApplication>

bool CQtPluginDialogs::RunImportDialog() {
    QStringList plugins;
    CPluginMgr::Global().GetRoleNames(kRoleImportRecords, plugins);
    QStringList databases;
    CCacheDbManager::Global().ListDbs(databases);
    CImportRecsDlg dialog(plugins, databases, QApplication::activeWindow());
    return dialog.Run();
}

bool CQtPluginDialogs::RunSelectPluginDialog(int role) {
    QStringList plugins;
    CPluginMgr::Global().GetRoleNames(role, plugins);
    CSelectPluginDlg dialog(role, plugins, QApplication::activeWindow());
    return CModalRunner::Run(dialog) == QDialog::Accepted;
}
