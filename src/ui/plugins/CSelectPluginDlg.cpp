#include "ui/plugins/CSelectPluginDlg.h"

#include "plugins/CPluginMgr.h"
#include "settings/CAppSettings.h"
#include "util/CUserInterface.h"

#include "ui/framework/edit/CMenuEdit.h"
#include <QDialogButtonBox>
#include <QLabel>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QVBoxLayout>

namespace {
const QString kHelpTopic = QStringLiteral("plugin_support");
}

CSelectPluginDlg::CSelectPluginDlg(int role, const QStringList& pluginNames, QWidget* parent)
    : QDialog(parent), m_role(role), m_maxCount(new CMenuEdit(this)),
      m_list(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("Select Plugin"));

    m_maxCount->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    m_maxCount->setEnabled(role == kRoleExportRecords);
    // Sorted as the handheld's list sorts: without regard to letter case.
    QStringList sorted = pluginNames;
    sorted.sort(Qt::CaseInsensitive);
    m_list->addItems(sorted);

    // The stored choice, compared without regard to letter case; otherwise the first plug-in.
    const QString stored = CAppSettings::Global().GetRolePlugin(role);
    QListWidgetItem* selected = m_list->count() > 0 ? m_list->item(0) : nullptr;
    for (int row = 0; row < m_list->count(); ++row) {
        if (m_list->item(row)->text().compare(stored, Qt::CaseInsensitive) == 0) {
            selected = m_list->item(row);
            break;
        }
    }
    if (selected)
        m_list->setCurrentItem(selected);

    auto* buttons = new QDialogButtonBox(this);
    m_start = buttons->addButton(QStringLiteral("Start"), QDialogButtonBox::AcceptRole);
    m_start->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    buttons->addButton(QDialogButtonBox::Help);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSelectPluginDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSelectPluginDlg::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [] { ShowHelpTopic(kHelpTopic); });
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [] { ShowHelpTopic(kHelpTopic); });
    connect(m_list, &QListWidget::itemActivated, this, &CSelectPluginDlg::accept);

    auto* countLabel = new QLabel(QStringLiteral("Max. record count:"), this);
    countLabel->setBuddy(m_maxCount);
    auto* listLabel = new QLabel(QStringLiteral("Select Plugin:"), this);
    listLabel->setBuddy(m_list);
    // Screen readers take a label's text only for fields; the list is given it as its name.
    m_list->setAccessibleName(listLabel->text());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(countLabel);
    layout->addWidget(m_maxCount);
    layout->addWidget(listLabel);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(300, 360);
}

void CSelectPluginDlg::OnStart() {
    QListWidgetItem* item = m_list->currentItem();
    if (!item || !item->isSelected()) {
        done(QDialog::Rejected);
        return;
    }
    CAppSettings& settings = CAppSettings::Global();
    settings.SetRolePlugin(m_role, item->text());
    settings.m_expMaxRec = m_maxCount->text();
    settings.SaveSettings();
    done(QDialog::Accepted);
}

void CSelectPluginDlg::accept() {
    OnStart();
}

void CSelectPluginDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The chosen plug-in is brought to the top of the list once the list has its size.
    if (!m_scrolled && m_list->currentItem()) {
        m_scrolled = true;
        m_list->scrollToItem(m_list->currentItem(), QAbstractItemView::PositionAtTop);
    }
}
