#include "ui/plugins/CImportRoutingPage.h"

#include "db/CCacheDb.h"
#include "db/CCacheDbManager.h"
#include "ui/plugins/CImportRecsDlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace {

// The lists top to bottom, as indexes of CImportChoices::Categories, with their captions.
struct ListRow {
    int category;
    const char* caption;
};
constexpr ListRow kRows[] = {{0, "Default:"}, {2, "Owned:"}, {1, "Found:"}, {3, "Extra:"}};

} // namespace

CImportRoutingPage::CImportRoutingPage(CImportRecsDlg& sheet, QWidget* parent)
    : CPropertyPageEx(QStringLiteral("Routing"), parent), m_sheet(sheet) {
    auto* group = new QGroupBox(QStringLiteral("Categories"), this);
    auto* form = new QFormLayout(group);
    for (const ListRow& row : kRows) {
        auto* list = new QComboBox(group);
        m_lists[row.category] = list;
        form->addRow(QString::fromLatin1(row.caption), list);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch(1);
}

QComboBox* CImportRoutingPage::CategoryList(int index) const {
    return index >= 0 && index < CImportChoices::kCategoryCount ? m_lists[index] : nullptr;
}

bool CImportRoutingPage::OnSetActive() {
    CImportChoices& choices = m_sheet.Choices();
    if (choices.m_categoriesNeedReload)
        ReloadCategories();
    for (int i = 0; i < CImportChoices::kCategoryCount; ++i)
        m_lists[i]->setCurrentIndex(m_lists[i]->findText(*choices.Categories(i)));
    return true;
}

bool CImportRoutingPage::OnKillActive() {
    CImportChoices& choices = m_sheet.Choices();
    for (int i = 0; i < CImportChoices::kCategoryCount; ++i) {
        if (m_lists[i]->currentIndex() >= 0)
            *choices.Categories(i) = m_lists[i]->currentText();
    }
    return true;
}

void CImportRoutingPage::ReloadCategories() {
    CImportChoices& choices = m_sheet.Choices();
    CCacheDbManager& databases = CCacheDbManager::Global();
    // A database that is missing now is not opened, which would create it; the lists stay.
    if (!databases.DbExists(choices.m_database))
        return;
    CCacheDb* db = databases.OpenDb(choices.m_database);
    if (!db)
        return;
    QStringList names;
    db->GetCategoryNames(names, false);
    databases.ReleaseDb(db);
    names.sort(Qt::CaseInsensitive);
    for (QComboBox* list : m_lists) {
        list->clear();
        list->addItems(names);
    }
    choices.m_categoriesNeedReload = false;
}
