#pragma once

#include "list/CListColumns.h"
#include "list/CRecordList.h"
#include "ui/framework/CIconSet.h"
#include "ui/list/CommandIds.h"

#include <QPixmap>
#include <QRecursiveMutex>
#include <QString>
#include <QTableView>
#include <QTimer>

#include <array>

class CCacheDb;
class CCacheRecord;
class CMainFrame;
class CRecListModel;
class CRecordSummary;
class QMenu;

// The record list window: the visible records of the open database, one row per record and the
// columns the user chose. It holds the record list and the open database, keeps the current
// category, draws the status icons, answers taps, keys and typed characters, runs a 250 ms timer
// that saves column widths, ends the type-ahead search and serves record requests from outside,
// and gives up its records when asked to free memory.
//
// The table asks the model for each cell it draws; no texts are copied into the control.
class CRecListView : public QTableView {
    Q_OBJECT
public:
    static constexpr int kTimerIntervalMs = 250;
    static constexpr qint64 kTypeAheadResetMs = 2000;
    // Only "All" and this many further items of the category menu can be chosen.
    static constexpr int kMaxCategoryItems = 40;

    explicit CRecListView(CMainFrame* frame);
    ~CRecListView() override;

    // --- Commands ------------------------------------------------------------------------------

    // Runs a command the list handles; false for the commands of the main window.
    bool HandleCommand(CommandId id);
    // Whether the list decides the command's enabled state, and that state.
    bool CommandState(CommandId id, bool& enabled);

    // --- State used by the commands --------------------------------------------------------------

    CRecordList& List() { return m_list; }
    CRecListModel* Model() const { return m_model; }
    CCacheDb* Database() const { return m_db; }
    bool IsSuspended() const { return m_suspended; }
    bool StartupDone() const { return m_startupDone; }
    const QString& ColumnLetters() const { return m_columns.Letters(); }
    // The summary of the row at the selection mark, or null; optionally clears the selection.
    CRecordSummary* SelectedSummary(bool clearSelection = false);
    // The row at the selection mark, or -1.
    int SelectedRow() const;
    // Selects the row of the record, puts the selection mark on it and scrolls it into view;
    // only deselects when the record is not visible.
    void SelectRecord(quint32 id);
    // Reloads every summary from the database and filters them.
    void Reload();
    // Opens the record view of a loaded record, then updates the list as after an edit; a record
    // that is not loaded does nothing.
    void ViewRecord(quint32 id);
    // The show-record request of a plug-in that stored a record: the queue is reset and the
    // record's view opens.
    void ShowRecord(quint32 id);
    // Filters and sorts again and selects the record that was selected.
    void Refilter();

    // --- Start-up, requests, memory --------------------------------------------------------------

    // Opens the database named by the setting "Database" (falling back to "Default"), resolves
    // the current category in it and loads the list.
    void OpenCurrentDatabase();
    // Called by the main window with a text from another program: stored as the pending request
    // under the request lock; it is served by the timer once the main window is in front.
    void OnRequest(const QString& text);
    // Serves a request text: a waypoint ID, optionally after "qbook:" and slashes.
    void ServeRequest(const QString& text);
    // One run of the periodic timer.
    void OnTimer();
    // Gives up the records (not the database) to free memory; not while a command runs.
    void Suspend();
    // Loads the records again after Suspend.
    void Resume();

    // --- Menus and search
    // --------------------------------------------------------------------------

    // Fills the category menu: "All", the categories sorted, "Unfiled"; the current one checked.
    void FillCategoryMenu(QMenu& menu);
    // Makes the category menu's item `index` (0 = "All") the current category.
    void ChooseCategory(int index, const QString& name);
    // Fills the record menu for the selected record.
    void FillRecordMenu(QMenu& menu, const CRecordSummary& summary);
    // Appends typed characters to the type-ahead text and searches.
    void TypeAhead(const QString& characters);
    const QString& TypedText() const { return m_typedText; }
    // Sorts by a column as a tap on its header does.
    void SortByColumn(int column);

    const std::array<QPixmap, CIconSet::kStatusIconCount>& StatusIcons() const {
        return m_statusIcons;
    }
    bool SmallFontMode() const { return m_smallFontMode; }

signals:
    // The deferred start-up has run (the database is open and the list loaded, or none could be).
    void StartupFinished();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void keyboardSearch(const QString& search) override;

private:
    // Counts a command or notification in progress, so that the list is not suspended meanwhile.
    class BusyScope {
    public:
        explicit BusyScope(CRecListView& view) : m_view(view) { ++m_view.m_busyCount; }
        ~BusyScope() { --m_view.m_busyCount; }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        CRecListView& m_view;
    };

    // Creation (CRecListView.cpp).
    void ChooseFontAndIcons();
    void BuildColumns();
    void ApplyColumnWidths();
    void SaveColumnWidths();
    void OnSectionResized();
    void OnHeaderClicked(int column);
    // The header shows the sort column and direction, when the sort column is shown.
    void ShowSortIndicator();
    void SetRowCount(int count);
    void SelectRow(int row);
    void ShowCategoryMenu();
    void ShowRecordMenu(const QPoint& viewportPos, const QPoint& globalPos);
    void SetCurrentCategory(quint16 id, const QString& name);

    // Start-up, timer and requests (CRecListViewStartup.cpp).
    void OnStartup();
    void ShowVgaNotice();
    void CloseForegroundWindow();

    // Commands (CRecListViewCommands.cpp).
    void OnRecordCount();
    void OnDeleteRecord();
    void OnDeleteRecords();
    void OnPurgeInactive();
    void OnBookmarkRecord();
    void OnSetAsCenter();
    void OnCompactDatabase();
    void OnClearFilters();
    void OnClearBookmarks();
    void OnPluginListCommand(int role);
    // After the view or an editor closed: reload when a plug-in changed the database, else copy
    // the changed record into its summary and filter again; the record is selected again.
    void UpdateAfterEdit(quint32 id, const CCacheRecord& record, bool changed);
    // Refilter after the loaded list lost summaries: the rows are emptied first.
    void EmptyRowsAndRefilter();

    CMainFrame* m_frame;
    CRecordList m_list;
    CRecListModel* m_model = nullptr;
    CCacheDb* m_db = nullptr;
    CListColumns m_columns;
    std::array<QPixmap, CIconSet::kStatusIconCount> m_statusIcons;
    bool m_smallFontMode = false;
    bool m_applyingWidths = false;

    int m_busyCount = 0;
    bool m_suspended = false;
    int m_topRow = 0;
    bool m_startupDone = false;

    QString m_typedText;
    qint64 m_lastTypedMs = 0; // CClock time of the last typed character

    bool m_requestReady = false;
    QRecursiveMutex m_requestLock;
    QTimer m_timer;
};
