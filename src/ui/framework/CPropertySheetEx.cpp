#include "ui/framework/CPropertySheetEx.h"

#include "settings/CSettingsStore.h"
#include "ui/framework/CModalRunner.h"
#include "ui/framework/CPropertyPageEx.h"
#include "util/CUserInterface.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
const QString kLastTabSection = QStringLiteral("LastTab");
}

CPropertySheetEx::CPropertySheetEx(const QString& caption, QWidget* parent)
    : QDialog(parent), m_tabs(new QTabWidget(this)), m_commandBar(new QDialogButtonBox(this)) {
    setWindowTitle(caption);
    m_commandBar->setStandardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(m_commandBar);

    connect(m_tabs, &QTabWidget::currentChanged, this, &CPropertySheetEx::OnTabChanged);
    connect(m_commandBar, &QDialogButtonBox::accepted, this, &CPropertySheetEx::accept);
    connect(m_commandBar, &QDialogButtonBox::rejected, this, &CPropertySheetEx::reject);
    connect(m_commandBar, &QDialogButtonBox::helpRequested, this, &CPropertySheetEx::ShowHelp);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &CPropertySheetEx::ShowHelp);
}

CPropertySheetEx::~CPropertySheetEx() = default;

void CPropertySheetEx::AddPage(CPropertyPageEx* page) {
    page->m_sheet = this;
    m_pages.append(page);
    m_captions.append(page->Caption());
    m_tabs->addTab(page, page->Caption());
    if (m_shownOnce)
        page->OnInitPage();
}

CPropertyPageEx* CPropertySheetEx::Page(int index) const {
    return index >= 0 && index < m_pages.size() ? m_pages[index] : nullptr;
}

bool CPropertySheetEx::SetActivePage(int index) {
    if (!Page(index))
        return false;
    if (!m_shownOnce) {
        m_lastPageIndex = index;
        return true;
    }
    return ActivatePage(index);
}

QString CPropertySheetEx::TabCaption(int index) const {
    return m_captions.value(index);
}

void CPropertySheetEx::SetTabCaption(int index, const QString& caption) {
    if (!Page(index))
        return;
    m_captions[index] = caption;
    m_tabs->setTabText(index, caption);
}

void CPropertySheetEx::SetHelpTopic(const QString& topic) {
    m_helpTopic = topic;
    if (!m_helpButton && !topic.isEmpty())
        m_helpButton = m_commandBar->addButton(QDialogButtonBox::Help);
    if (m_helpButton)
        m_helpButton->setVisible(!topic.isEmpty());
}

QPushButton* CPropertySheetEx::AddCommandButton(int command, const QString& caption) {
    QPushButton* button = m_commandBar->addButton(caption, QDialogButtonBox::ActionRole);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, command] { OnCommand(command); });
    return button;
}

void CPropertySheetEx::SetCancelButtonVisible(bool visible) {
    m_commandBar->button(QDialogButtonBox::Cancel)->setVisible(visible);
}

bool CPropertySheetEx::UpdateActivePage() {
    CPropertyPageEx* page = ActivePage();
    return !page || page->OnKillActive();
}

void CPropertySheetEx::EndSheet(int result) {
    QDialog::done(result);
}

int CPropertySheetEx::DoModal() {
    return CModalRunner::Run(*this);
}

void CPropertySheetEx::accept() {
    CPropertyPageEx* page = ActivePage();
    if (!page) {
        EndSheet(QDialog::Accepted);
        return;
    }
    if (page->OnKillActive())
        page->OnOK();
}

void CPropertySheetEx::reject() {
    if (CPropertyPageEx* page = ActivePage())
        page->OnCancel();
    else
        EndSheet(QDialog::Rejected);
}

void CPropertySheetEx::OnCommand(int) {}

void CPropertySheetEx::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    for (CPropertyPageEx* page : std::as_const(m_pages))
        page->OnInitPage();
    m_activeIndex = m_tabs->currentIndex();
    if (CPropertyPageEx* page = ActivePage())
        page->OnSetActive();
    // The remembered page is restored once every page exists and the first one is on display.
    QMetaObject::invokeMethod(this, &CPropertySheetEx::RestoreLastPage, Qt::QueuedConnection);
}

void CPropertySheetEx::OnTabChanged(int index) {
    if (!m_shownOnce) {
        m_activeIndex = index;
        return;
    }
    if (index == m_activeIndex)
        return;
    // Put the page being left back on display while it checks its data, then switch for real.
    {
        const QSignalBlocker blocker(m_tabs);
        m_tabs->setCurrentIndex(m_activeIndex);
    }
    ActivatePage(index);
}

bool CPropertySheetEx::ActivatePage(int index) {
    CPropertyPageEx* target = Page(index);
    if (!target)
        return false;
    if (index == m_activeIndex)
        return true;
    if (CPropertyPageEx* current = ActivePage(); current && !current->OnKillActive())
        return false;
    const int previous = m_activeIndex;
    const QSignalBlocker blocker(m_tabs);
    m_tabs->setCurrentIndex(index);
    m_activeIndex = index;
    if (!target->OnSetActive()) {
        m_tabs->setCurrentIndex(previous);
        m_activeIndex = previous;
        return false;
    }
    SaveLastPage();
    return true;
}

void CPropertySheetEx::RestoreLastPage() {
    if (!m_lastPageKey.isEmpty() && m_lastPageIndex == 0) {
        const QString caption = CSettingsStore().ReadText(kLastTabSection, m_lastPageKey);
        const int index = m_captions.indexOf(caption); // the lowest matching index
        if (index > 0)
            m_lastPageIndex = index;
        m_lastPageLoaded = true;
    }
    if (m_lastPageIndex != 0)
        ActivatePage(m_lastPageIndex);
}

void CPropertySheetEx::SaveLastPage() {
    if (m_lastPageKey.isEmpty() || !m_lastPageLoaded)
        return;
    CSettingsStore().WriteText(kLastTabSection, m_lastPageKey, TabCaption(m_activeIndex));
}

void CPropertySheetEx::ShowHelp() {
    if (!m_helpTopic.isEmpty())
        ShowHelpTopic(m_helpTopic);
}
