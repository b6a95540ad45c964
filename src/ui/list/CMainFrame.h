#pragma once

#include "ui/list/CommandIds.h"

#include <QMainWindow>
#include <QString>

#include <map>

class CRecListView;
class QAction;
class QMenu;
class QToolBar;
class QToolButton;

// The program's main window "Quarrybook": the menu bar ("List" and "Options"), the command bar
// with the record buttons, the filter bar with the "Edit Filters" button and the category
// button, and the record list window that fills the rest.
//
// Every command goes to the list window first; only what the list does not handle reaches the
// main window. The main window also holds the pending command text: a record link handed in by
// the program's own command line or by a second start, which the list window serves from its
// timer. The list window's request lock guards it.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    CRecListView* ListView() const { return m_listView; }

    // The pending command text; touched only under the list window's request lock.
    QString& PendingCommand() { return m_pendingCommand; }
    void SetPendingCommand(const QString& text);

    // The category button shows the list's current category.
    void SetCategoryText(const QString& name);
    QToolButton* CategoryButton() const { return m_categoryButton; }
    QToolBar* CommandBar() const { return m_commandBar; }
    QToolBar* FilterBar() const { return m_filterBar; }

    // The action of a command (menu item or button).
    QAction* Action(CommandId id) const;
    // Runs a command as if the user chose it: offered to the list window first.
    void RunCommand(CommandId id);
    // Brings the enabled state of every menu item and button up to date.
    void UpdateCommandStates();

public slots:
    // A second start asks this window to come to the front.
    void BringToFront();
    // A second start hands over its command line: stored as the pending request.
    void OnCopyData(const QString& text);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildCommandBar();
    void BuildFilterBar();
    QAction* AddAction(QMenu* menu, CommandId id, const QString& caption);
    QAction* MakeAction(CommandId id, const QString& caption);
    bool HandleCommand(CommandId id);
    bool CommandState(CommandId id, bool& enabled) const;

    CRecListView* m_listView = nullptr;
    QToolBar* m_commandBar = nullptr;
    QToolBar* m_filterBar = nullptr;
    QToolButton* m_categoryButton = nullptr;
    std::map<CommandId, QAction*> m_actions;
    QString m_pendingCommand;
};
