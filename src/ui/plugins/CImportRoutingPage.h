#pragma once

#include "plugins/CImportChoices.h"
#include "ui/framework/CPropertyPageEx.h"

class CImportRecsDlg;
class QComboBox;

// The "Routing" page of the import dialog: the categories of the target database that incoming
// records are filed into, in the group "Categories": "Default:", "Owned:", "Found:", "Extra:".
// The lists are filled with the database's categories whenever the page is shown after a database
// was selected.
class CImportRoutingPage : public CPropertyPageEx {
    Q_OBJECT
public:
    explicit CImportRoutingPage(CImportRecsDlg& sheet, QWidget* parent = nullptr);

    // Refills the lists when the selected database changed, then selects each category.
    bool OnSetActive() override;
    // Takes the selected categories; a list without a selection keeps its category.
    bool OnKillActive() override;

    // The list of a routing category, in the order of CImportChoices::Categories (default,
    // found, owned, extra).
    QComboBox* CategoryList(int index) const;

private:
    void ReloadCategories();

    CImportRecsDlg& m_sheet;
    QComboBox* m_lists[CImportChoices::kCategoryCount];
};
