#include "ui/plugins/CImportOptionPage.h"

#include "db/CCacheDbManager.h"
#include "ui/plugins/CImportRecsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

CImportOptionPage::CImportOptionPage(CImportRecsDlg& sheet, QWidget* parent)
    : CPropertyPageEx(QStringLiteral("Options"), parent), m_sheet(sheet),
      m_plugins(new QComboBox(this)), m_databases(new QComboBox(this)),
      m_override(new QCheckBox(QStringLiteral("Override existing item category"), this)),
      m_merge(new QCheckBox(QStringLiteral("Merge records by waypoint ID"), this)),
      m_remember(new QCheckBox(QStringLiteral("Remember database selection"), this)) {
    m_plugins->addItems(sheet.PluginNames());
    m_databases->addItems(sheet.DatabaseNames());

    auto* pluginLabel = new QLabel(QStringLiteral("Import Plugin:"), this);
    pluginLabel->setBuddy(m_plugins);
    auto* databaseLabel = new QLabel(QStringLiteral("Database:"), this);
    databaseLabel->setBuddy(m_databases);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pluginLabel);
    layout->addWidget(m_plugins);
    layout->addWidget(databaseLabel);
    layout->addWidget(m_databases);
    layout->addSpacing(8);
    layout->addWidget(m_override);
    layout->addWidget(m_merge);
    layout->addWidget(m_remember);
    layout->addStretch(1);

    connect(m_databases, &QComboBox::activated, this, &CImportOptionPage::OnDatabasePicked);
}

void CImportOptionPage::OnInitPage() {
    const CImportChoices& choices = m_sheet.Choices();
    const int plugin = m_plugins->findText(choices.m_plugin, Qt::MatchFixedString);
    m_plugins->setCurrentIndex(plugin >= 0 ? plugin : (m_plugins->count() > 0 ? 0 : -1));
    // Database names compare without regard to letter case.
    m_databases->setCurrentIndex(m_databases->findText(choices.m_database, Qt::MatchFixedString));
    m_override->setChecked(choices.m_overrideCategory);
    m_merge->setChecked(choices.m_merge);
    m_remember->setChecked(choices.m_rememberDatabase);
}

bool CImportOptionPage::OnKillActive() {
    CImportChoices& choices = m_sheet.Choices();
    choices.m_plugin = m_plugins->currentText();
    // A pick that could not be selected is still the target: the import reports what fails.
    if (m_databases->currentIndex() >= 0)
        choices.m_database = m_databases->currentText();
    choices.m_overrideCategory = m_override->isChecked();
    choices.m_merge = m_merge->isChecked();
    choices.m_rememberDatabase = m_remember->isChecked();
    return true;
}

void CImportOptionPage::OnDatabasePicked(int index) {
    m_sheet.Choices().SelectDatabase(m_databases->itemText(index), CCacheDbManager::Global());
}
