#include "ui/recordview/CRecViewWnd.h"

#include "db/CCacheDb.h"
#include "db/CCacheRecord.h"
#include "plugins/CPluginMgr.h"
#include "recordview/CPageSink.h"
#include "settings/CAppSettings.h"
#include "ui/framework/CModalRunner.h"
#include "util/CUserInterface.h"
#include "util/CVoiceNotes.h"

#include <QAction>
#include <QKeyEvent>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString kHelpTopic = QStringLiteral("viewing_records");
const QString kActionPrefix = QStringLiteral("qbhva:");
const QString kPagePrefix = QStringLiteral("qbhv:");

// The addresses that may leave the program for the desktop: web pages and mail. Scripts, local
// files, data and anything unknown in a record's text stay here and do nothing.
bool IsDesktopAddress(const QString& target) {
    const QString scheme = QUrl(target).scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("ftp") || scheme == QLatin1String("mailto");
}

} // namespace

// Gathers a page and hands it to the display in one piece when it is complete.
class CRecViewWnd::CBrowserSink : public CPageSink {
public:
    explicit CBrowserSink(QTextBrowser& browser) : m_browser(browser) {}
    void Clear() override { m_html.clear(); }
    void SetImageShrink(bool) override {}
    void AppendHtml(const QString& html) override { m_html += html; }
    void EndOfSource() override { m_browser.setHtml(m_html); }
    void ScrollToAnchor(const QString& anchor) override { m_browser.scrollToAnchor(anchor); }

private:
    QTextBrowser& m_browser;
    QString m_html;
};

CRecViewWnd::CRecViewWnd(CCacheDb& db, CCacheRecord& record, QWidget* parent)
    : QDialog(parent), m_db(db), m_record(record), m_generator(record, &db),
      m_page(new QTextBrowser(this)), m_toolbar(new QToolBar(this)) {
    setWindowTitle(QStringLiteral("Record View"));
    resize(480, 640);

    // The page knows whether the record has a voice note from the recorder bound to it.
    CVoiceNotes::Global().SetRecord(db.GetName(), record.id);
    m_generator.SetVoiceNoteQuery([] { return CVoiceNotes::Global().NoteExists(); });

    m_page->setObjectName(QStringLiteral("PageDisplay"));
    m_page->setAccessibleName(QStringLiteral("Record Page"));
    m_page->setOpenLinks(false);
    m_page->setOpenExternalLinks(false);
    m_page->setContextMenuPolicy(Qt::NoContextMenu);
    connect(m_page, &QTextBrowser::anchorClicked, this, &CRecViewWnd::OnAnchorClicked);

    m_toolbar->setObjectName(QStringLiteral("RecordToolbar"));
    m_toolbar->setWindowTitle(QStringLiteral("Record Plugins"));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const char* captions[] = {"Mapping", "Navigation", "Export Record", "Calculation"};
    for (int i = 0; i < 4; ++i) {
        const int role = kToolbarRoles[i];
        QAction* action = m_toolbar->addAction(QString::fromLatin1(captions[i]));
        action->setToolTip(action->text());
        connect(action, &QAction::triggered, this, [this, role] { RunPlugin(role); });
        m_toolbarActions.append(action);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_page, 1);
    layout->addWidget(m_toolbar);

    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [] { ShowHelpTopic(kHelpTopic); });

    QStringList hyperlinks;
    CPluginMgr::Global().GetHyperlinks(record, hyperlinks);
    m_generator.SetHyperlinks(hyperlinks);
    m_generator.PrepareRelatedSection();
    UpdateToolbar();
    ShowPage(QStringLiteral("main"));
    setFocusProxy(m_page);
    m_page->setFocus();
}

CRecViewWnd::~CRecViewWnd() = default;

int CRecViewWnd::DoModal() {
    return CModalRunner::Run(*this);
}

QAction* CRecViewWnd::ToolbarAction(int role) const {
    for (int i = 0; i < 4; ++i) {
        if (kToolbarRoles[i] == role)
            return m_toolbarActions[i];
    }
    return nullptr;
}

void CRecViewWnd::UpdateToolbar() {
    CPluginMgr& plugins = CPluginMgr::Global();
    for (int i = 0; i < 4; ++i)
        m_toolbarActions[i]->setEnabled(plugins.CountForRole(kToolbarRoles[i]) > 0);
}

void CRecViewWnd::ShowPage(const QString& pageName) {
    CBrowserSink sink(*m_page);
    m_generator.ShowPage(pageName, sink);
}

void CRecViewWnd::OnAnchorClicked(const QUrl& url) {
    ActivateLink(url.toString());
}

void CRecViewWnd::ActivateLink(const QString& target) {
    if (target.startsWith(QLatin1Char('#'))) {
        m_page->scrollToAnchor(target.mid(1));
    } else if (target.startsWith(kActionPrefix)) {
        OnAction(target.mid(kActionPrefix.size()));
    } else if (target.startsWith(kPagePrefix)) {
        ShowPage(target.mid(kPagePrefix.size()));
    } else if (IsDesktopAddress(target)) {
        ::ShellOpen(target);
    }
}

void CRecViewWnd::OnAction(const QString& action) {
    if (action == QLatin1String("view-online")) {
        ::ShellOpen(m_record.url);
        m_page->setFocus();
    } else if (action.startsWith(QLatin1String("goto-"))) {
        // The record stays bookmarked, so the user finds the way back; a failed update is not
        // reported and the link is followed anyway.
        m_record.flags |= kFlagBookmarked;
        m_db.SetRecordFlags(m_record.id, m_record.flags);
        m_modified = true;
        ::ShellOpen(QStringLiteral("qbook:") + action.mid(5));
    } else if (action == QLatin1String("edit-record") || action == QLatin1String("edit-log")) {
        const bool editRecord = action == QLatin1String("edit-record");
        QTimer::singleShot(0, this, [this, editRecord] { OnEditRequest(editRecord); });
    } else if (action.startsWith(QLatin1String("plugin-"))) {
        const int index = CRecPageGenerator::ReadNumber(QStringView(action).mid(7));
        QTimer::singleShot(0, this, [this, index] { OnPluginLink(index); });
    }
    // Any other action is swallowed.
}

void CRecViewWnd::OnEditRequest(bool) {}

void CRecViewWnd::OnPluginLink(int index) {
    if (index < 0 || index >= m_generator.HyperlinkCount())
        return;
    CAppSettings& settings = CAppSettings::Global();
    settings.SetRolePlugin(kRoleHyperlink, m_generator.Hyperlinks()[2 * index + 1]);
    RunPlugin(kRoleHyperlink);
}

void CRecViewWnd::RunPlugin(int role) {
    CPluginMgr& plugins = CPluginMgr::Global();
    plugins.ResetQueue();
    plugins.QueueRecord(m_record);
    plugins.Invoke(role);
    m_page->setFocus();
    // A plug-in that stored a record and asked to show it: the list shows that record.
    if (plugins.GetSavedRecordId() != 0)
        accept();
}

void CRecViewWnd::keyPressEvent(QKeyEvent* event) {
    // Arrow keys that reach the window scroll the page.
    QScrollBar* bar = nullptr;
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Up:
        bar = m_page->verticalScrollBar();
        step = -bar->singleStep();
        break;
    case Qt::Key_Down:
        bar = m_page->verticalScrollBar();
        step = bar->singleStep();
        break;
    case Qt::Key_Left:
        bar = m_page->horizontalScrollBar();
        step = -bar->singleStep();
        break;
    case Qt::Key_Right:
        bar = m_page->horizontalScrollBar();
        step = bar->singleStep();
        break;
    default:
        QDialog::keyPressEvent(event);
        return;
    }
    bar->setValue(bar->value() + step);
}
