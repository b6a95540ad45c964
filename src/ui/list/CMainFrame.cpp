#include "ui/list/CMainFrame.h"

#include "plugins/CPluginMgr.h"
#include "ui/framework/CIconSet.h"
#include "ui/framework/CQtUserInterface.h"
#include "ui/framework/ScreenDensity.h"
#include "ui/framework/about/CAboutDlg.h"
#include "ui/list/CRecListView.h"
#include "util/CUserInterface.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QSizePolicy>
#include <QToolBar>
#include <QToolButton>

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Quarrybook_MainWnd"));
    setWindowTitle(QStringLiteral("Quarrybook"));
    setWindowIcon(CIconSet::ProgramIcon());
    resize(560, 640);

    // The list window first: creating it queues its deferred start-up.
    m_listView = new CRecListView(this);
    setCentralWidget(m_listView);
    setFocusProxy(m_listView);

    BuildMenus();
    BuildCommandBar();
    BuildFilterBar();
    SetCategoryText(QStringLiteral("Unfiled"));

    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this,
            [] { ShowHelpTopic(QStringLiteral("record_list_view")); });

    // Record links that the program itself opens (a link on a record page) are served like
    // links from outside.
    if (auto* qtUi = dynamic_cast<CQtUserInterface*>(&CUserInterface::Get()))
        qtUi->SetRecordLinkHandler([this](const QString& link) { OnCopyData(link); });

    UpdateCommandStates();
}

CMainFrame::~CMainFrame() {
    if (auto* qtUi = dynamic_cast<CQtUserInterface*>(&CUserInterface::Get()))
        qtUi->SetRecordLinkHandler(nullptr);
    // The list window stores its category and releases its database while the frame still
    // exists, because it reaches the frame for the category button.
    delete m_listView;
    m_listView = nullptr;
}

QAction* CMainFrame::MakeAction(CommandId id, const QString& caption) {
    auto* action = new QAction(caption, this);
    connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    m_actions[id] = action;
    return action;
}

QAction* CMainFrame::AddAction(QMenu* menu, CommandId id, const QString& caption) {
    QAction* action = MakeAction(id, caption);
    menu->addAction(action);
    return action;
}

void CMainFrame::BuildMenus() {
    QMenu* list = menuBar()->addMenu(QStringLiteral("List"));
    AddAction(list, CommandId::MoveRecords, QStringLiteral("Move Records"));
    AddAction(list, CommandId::DeleteRecords, QStringLiteral("Delete Records"));
    AddAction(list, CommandId::PurgeInactive, QStringLiteral("Purge Inactive"));
    AddAction(list, CommandId::RecordCount, QStringLiteral("Record Count"));
    list->addSeparator();
    AddAction(list, CommandId::Bookmarks, QStringLiteral("Bookmarks"));
    AddAction(list, CommandId::ClearBookmarks, QStringLiteral("Clear Bookmarks"));
    list->addSeparator();
    AddAction(list, CommandId::SelectDatabase, QStringLiteral("Select Database"));
    AddAction(list, CommandId::CompactDatabase, QStringLiteral("Compact Database"));
    list->addSeparator();
    AddAction(list, CommandId::ClearFilters, QStringLiteral("Clear Filters"));
    AddAction(list, CommandId::EditFilters, QStringLiteral("Edit Filters"));
    AddAction(list, CommandId::EditCategories, QStringLiteral("Edit Categories"));
    AddAction(list, CommandId::EditColumns, QStringLiteral("Edit Columns"));

    QMenu* options = menuBar()->addMenu(QStringLiteral("Options"));
    QMenu* bugs = options->addMenu(QStringLiteral("Travel Bugs"));
    AddAction(bugs, CommandId::BugInventory, QStringLiteral("Inventory"));
    AddAction(bugs, CommandId::BugViewLog, QStringLiteral("View Log"));
    AddAction(bugs, CommandId::BugClearLog, QStringLiteral("Clear Log"));
    options->addSeparator();
    AddAction(options, CommandId::EditCacheTypes, QStringLiteral("Edit Cache Types"));
    AddAction(options, CommandId::EditContainerTypes, QStringLiteral("Edit Container Types"));
    AddAction(options, CommandId::EditSiteUserIds, QStringLiteral("Edit Website User IDs"));
    AddAction(options, CommandId::Preferences, QStringLiteral("Preferences"));
    options->addSeparator();
    AddAction(options, CommandId::About, QStringLiteral("About Quarrybook..."));

    // The enabled states follow the list (database, plug-ins, suspension) at every opening.
    for (QMenu* menu : {list, options, bugs})
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
}

void CMainFrame::BuildCommandBar() {
    const int edge = IsHighDensityScreen() ? 32 : 16;
    m_commandBar = addToolBar(QStringLiteral("Command Bar"));
    m_commandBar->setObjectName(QStringLiteral("CommandBar"));
    m_commandBar->setMovable(false);
    m_commandBar->setIconSize(QSize(edge, edge));

    struct Button {
        CommandId id;
        const char* caption;
        const char* image;
    };
    static const Button buttons[] = {
        {CommandId::NewRecord, "New Record", "new-record"},
        {CommandId::MarkWaypoint, "Mark Waypoint", "mark-waypoint"},
        {CommandId::ExportRecords, "Export Records", "export-records"},
        {CommandId::ImportRecords, "Import Records", "import-records"},
        {CommandId::Calculation, "Calculation", "calculation"},
    };
    for (const Button& button : buttons) {
        QAction* action = MakeAction(button.id, QString::fromLatin1(button.caption));
        action->setToolTip(action->text());
        action->setIcon(
            QIcon(CIconSet::Render(QString::fromLatin1(button.image), QSize(edge, edge))));
        m_commandBar->addAction(action);
    }
}

void CMainFrame::BuildFilterBar() {
    const bool large = IsHighDensityScreen();
    const QSize imageSize = large ? QSize(32, 31) : QSize(16, 15);
    m_filterBar = addToolBar(QStringLiteral("Filter Bar"));
    m_filterBar->setObjectName(QStringLiteral("FilterBar"));
    m_filterBar->setMovable(false);
    m_filterBar->setIconSize(imageSize);

    QAction* editFilters = m_actions.at(CommandId::EditFilters);
    editFilters->setToolTip(QStringLiteral("Edit Filters"));
    editFilters->setIcon(QIcon(CIconSet::Render(QStringLiteral("edit-filters"), imageSize)));
    m_filterBar->addAction(editFilters);

    // The space between takes all the width the two buttons leave.
    auto* stretch = new QWidget(m_filterBar);
    stretch->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_filterBar->addWidget(stretch);

    m_categoryButton = new QToolButton(m_filterBar);
    m_categoryButton->setObjectName(QStringLiteral("CategoryButton"));
    // The caption is the current category's name; the tooltip, also read out by screen readers,
    // says what the button chooses.
    m_categoryButton->setToolTip(QStringLiteral("Category"));
    m_categoryButton->setAccessibleDescription(QStringLiteral("Category"));
    m_categoryButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_categoryButton->setIcon(QIcon(CIconSet::Render(QStringLiteral("drop-down"), imageSize)));
    // The arrow after the text, as on a drop-down button.
    m_categoryButton->setLayoutDirection(Qt::RightToLeft);
    connect(m_categoryButton, &QToolButton::clicked, this,
            [this] { RunCommand(CommandId::CategoryMenu); });
    m_filterBar->addWidget(m_categoryButton);
}

void CMainFrame::SetPendingCommand(const QString& text) {
    m_pendingCommand = text;
}

void CMainFrame::SetCategoryText(const QString& name) {
    if (m_categoryButton)
        m_categoryButton->setText(name);
}

QAction* CMainFrame::Action(CommandId id) const {
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

void CMainFrame::RunCommand(CommandId id) {
    if (!m_listView->HandleCommand(id))
        HandleCommand(id);
    UpdateCommandStates();
}

bool CMainFrame::HandleCommand(CommandId id) {
    switch (id) {
    case CommandId::About: {
        QMap<QString, QString> versions;
        CPluginMgr::Global().GetVersions(versions);
        CAboutVerPage::ModuleVersions plugins;
        for (auto it = versions.cbegin(); it != versions.cend(); ++it)
            plugins.emplace_back(it.key(), it.value());
        CAboutDlg::Run(std::move(plugins), this);
        return true;
    }
    default:
        return false;
    }
}

bool CMainFrame::CommandState(CommandId id, bool& enabled) const {
    switch (id) {
    case CommandId::About:
        enabled = true;
        return true;
    case CommandId::EditCacheTypes:
    case CommandId::EditContainerTypes:
    case CommandId::EditSiteUserIds:
        // The option list editor is not part of the program yet.
        enabled = false;
        return true;
    default:
        return false;
    }
}

void CMainFrame::UpdateCommandStates() {
    for (const auto& [id, action] : m_actions) {
        bool enabled = false;
        if (!m_listView->CommandState(id, enabled))
            CommandState(id, enabled);
        action->setEnabled(enabled);
    }
}

void CMainFrame::BringToFront() {
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void CMainFrame::OnCopyData(const QString& text) {
    m_listView->OnRequest(text);
}

void CMainFrame::changeEvent(QEvent* event) {
    // Activation (by any means) lets a list that gave up its records load them again.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_listView)
        m_listView->Resume();
    QMainWindow::changeEvent(event);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    // Closing the main window ends the program, even while a help window is still open.
    if (event->isAccepted())
        QCoreApplication::quit();
}
