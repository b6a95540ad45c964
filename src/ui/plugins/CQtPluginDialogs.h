#pragma once

#include "plugins/IPluginDialogs.h"

// The plug-in manager's questions to the user, asked with the program's dialogs: the import
// dialog (CImportRecsDlg) for Import Records and the Select Plugin dialog (CSelectPluginDlg) for
// the other roles. Each runs modally over the active window and stores its choices itself.
class CQtPluginDialogs : public IPluginDialogs {
public:
    // The import plug-ins and the record databases are listed as they are now.
    bool RunImportDialog() override;
    bool RunSelectPluginDialog(int role) override;
};
