// The commands of the list window: their enabled states and what they do.
#include "ui/list/CRecListView.h"

#include "db/CCacheDb.h"
#include "db/CCacheDbManager.h"
#include "db/CCacheRecord.h"
#include "db/CWriteBatch.h"
#include "plugins/CPluginMgr.h"
#include "settings/CAppSettings.h"
#include "travelbugs/CBugInventory.h"
#include "ui/list/CRecListModel.h"
#include "ui/recordview/CRecViewWnd.h"
#include "util/CUserInterface.h"

#include <QSet>
#include <QTimer>

bool CRecListView::CommandState(CommandId id, bool& enabled) {
    const bool databaseReady = m_db && !m_suspended;
    switch (id) {
    case CommandId::DeleteRecords:
    case CommandId::PurgeInactive:
        enabled = databaseReady;
        return true;
    case CommandId::RecordCount:
    case CommandId::ClearBookmarks:
    case CommandId::CompactDatabase:
    case CommandId::ClearFilters:
    case CommandId::BugViewLog:
    case CommandId::BugClearLog:
    case CommandId::DeleteRecord:
    case CommandId::BookmarkRecord:
    case CommandId::CategoryMenu:
        enabled = true;
        return true;
    case CommandId::ViewRecord:
        enabled = databaseReady && SelectedSummary() != nullptr;
        return true;
    case CommandId::SetAsCenter: {
        const CRecordSummary* summary = SelectedSummary();
        enabled = summary && summary->HasCoordinates();
        return true;
    }
    // The plug-in commands let the user choose the plug-in in the import or Select Plugin
    // dialog, so they stay disabled until those dialogs are installed.
    case CommandId::ExportRecords:
        enabled = databaseReady && CPluginMgr::Global().HasDialogs() &&
                  CPluginMgr::Global().CountForRole(kRoleExportRecords) >= 1;
        return true;
    case CommandId::ImportRecords:
        enabled = databaseReady && CPluginMgr::Global().HasDialogs() &&
                  CPluginMgr::Global().CountForRole(kRoleImportRecords) >= 1;
        return true;
    case CommandId::Calculation:
        enabled = !m_suspended && CPluginMgr::Global().HasDialogs() &&
                  CPluginMgr::Global().CountForRole(kRoleListCalculation) >= 1;
        return true;
    // These open windows and dialogs that are not part of the program yet.
    case CommandId::MoveRecords:
    case CommandId::Bookmarks:
    case CommandId::SelectDatabase:
    case CommandId::EditFilters:
    case CommandId::EditCategories:
    case CommandId::EditColumns:
    case CommandId::BugInventory:
    case CommandId::Preferences:
    case CommandId::NewRecord:
    case CommandId::MarkWaypoint:
    case CommandId::EditRecord:
    case CommandId::LogFound:
    case CommandId::LogNotFound:
    case CommandId::EditLog:
    case CommandId::MoveRecord:
        enabled = false;
        return true;
    default:
        return false;
    }
}

bool CRecListView::HandleCommand(CommandId id) {
    bool enabled = false;
    if (!CommandState(id, enabled))
        return false;
    if (!enabled)
        return true;
    BusyScope busy(*this);
    switch (id) {
    case CommandId::RecordCount:
        OnRecordCount();
        break;
    case CommandId::ViewRecord:
        ViewRecord(SelectedSummary()->id);
        break;
    case CommandId::DeleteRecord:
        OnDeleteRecord();
        break;
    case CommandId::DeleteRecords:
        OnDeleteRecords();
        break;
    case CommandId::PurgeInactive:
        OnPurgeInactive();
        break;
    case CommandId::BookmarkRecord:
        OnBookmarkRecord();
        break;
    case CommandId::SetAsCenter:
        OnSetAsCenter();
        break;
    case CommandId::CompactDatabase:
        OnCompactDatabase();
        break;
    case CommandId::ClearFilters:
        OnClearFilters();
        break;
    case CommandId::ClearBookmarks:
        OnClearBookmarks();
        break;
    case CommandId::BugViewLog:
        CBugInventory::Global().ViewLog();
        break;
    case CommandId::BugClearLog:
        CBugInventory::Global().ClearLog();
        break;
    case CommandId::CategoryMenu:
        ShowCategoryMenu();
        break;
    case CommandId::ExportRecords:
        OnPluginListCommand(kRoleExportRecords);
        break;
    case CommandId::ImportRecords:
        OnPluginListCommand(kRoleImportRecords);
        break;
    case CommandId::Calculation:
        OnPluginListCommand(kRoleListCalculation);
        break;
    default:
        break;
    }
    return true;
}

void CRecListView::ViewRecord(quint32 id) {
    if (!m_db || id == 0 || m_list.IndexInLoaded(id) < 0)
        return;
    BusyScope busy(*this);
    CCacheRecord record;
    if (!m_db->LoadRecord(id, record))
        return;
    bool modified = false;
    {
        CRecViewWnd view(*m_db, record, this);
        view.DoModal();
        modified = view.Modified();
    }
    UpdateAfterEdit(id, record, modified);
}

void CRecListView::UpdateAfterEdit(quint32 id, const CCacheRecord& record, bool changed) {
    CPluginMgr& plugins = CPluginMgr::Global();
    setUpdatesEnabled(false);
    if (plugins.TakeChanged()) {
        // A plug-in changed the database meanwhile: everything is read again, and a record it
        // asked to show is shown once this command has ended.
        Reload();
        if (const quint32 saved = plugins.GetSavedRecordId(); saved != 0)
            QTimer::singleShot(0, this, [this, saved] { ShowRecord(saved); });
    } else if (changed) {
        const int index = m_list.IndexInLoaded(id);
        if (index >= 0)
            m_list.UpdateFromRecord(*m_list.LoadedAt(index), record);
        m_list.ApplyFilters();
        SetRowCount(m_list.VisibleCount());
        if (m_list.VisibleCount() > 0)
            ApplyColumnWidths();
    }
    SelectRecord(id);
    setUpdatesEnabled(true);
    viewport()->update();
}

void CRecListView::ShowRecord(quint32 id) {
    CPluginMgr::Global().ResetQueue();
    ViewRecord(id);
}

void CRecListView::OnRecordCount() {
    const int n = m_list.VisibleCount();
    ShowInfo(QStringLiteral("%1 record%2 %3 currently in view.")
                 .arg(n)
                 .arg(n == 1 ? QString() : QStringLiteral("s"),
                      n == 1 ? QStringLiteral("is") : QStringLiteral("are")));
}

void CRecListView::OnDeleteRecord() {
    CRecordSummary* summary = SelectedSummary();
    if (!summary || !m_db)
        return;
    if (!AskYesNo(QStringLiteral("Delete the selected record?")))
        return;
    if (!m_db->DeleteRecord(summary->id)) {
        ShowError(QStringLiteral("Error deleting database record!"));
        return;
    }
    const int row = m_list.IndexInVisible(summary->id);
    if (row >= 0)
        m_model->BeginRemoveRow(row);
    m_list.DeleteSummary(summary);
    if (row >= 0)
        m_model->EndRemoveRow();
}

void CRecListView::EmptyRowsAndRefilter() {
    m_list.ClearVisible();
    SetRowCount(0);
    Refilter();
}

void CRecListView::OnDeleteRecords() {
    if (!m_db)
        return;
    if (!AskYesNo(QStringLiteral("Delete all records currently in view from database?")))
        return;
    SelectedSummary(true);

    if (m_list.VisibleCount() == m_list.LoadedCount()) {
        m_db->DeleteAllRecords();
        Reload();
    } else {
        CWaitCursor wait;
        SetRowCount(0);
        QSet<quint32> deleted;
        CWriteBatch batch(*m_db);
        for (int row = m_list.VisibleCount() - 1; row >= 0; --row) {
            const quint32 id = m_list.VisibleAt(row)->id;
            // A record that cannot be deleted stays; it shows again when the list is filtered.
            if (m_db->DeleteRecord(id, true))
                deleted.insert(id);
        }
        if (!batch.Commit()) {
            // Deletions were undone by a failed commit: the list shows what the file holds.
            Reload();
            return;
        }
        m_list.DeleteSummaries(
            [&deleted](const CRecordSummary& summary) { return deleted.contains(summary.id); });
    }
    EmptyRowsAndRefilter();
}

void CRecListView::OnPurgeInactive() {
    if (!m_db)
        return;
    if (!AskYesNo(QStringLiteral("Purge inactive records from current database?")))
        return;
    {
        CWaitCursor wait;
        QSet<quint32> deleted;
        CWriteBatch batch(*m_db);
        for (int i = m_list.LoadedCount() - 1; i >= 0; --i) {
            const CRecordSummary* summary = m_list.LoadedAt(i);
            if ((summary->flags & kFlagDisabled) && m_db->DeleteRecord(summary->id, true))
                deleted.insert(summary->id);
        }
        if (!batch.Commit()) {
            Reload();
            return;
        }
        SetRowCount(0);
        m_list.DeleteSummaries(
            [&deleted](const CRecordSummary& summary) { return deleted.contains(summary.id); });
    }
    EmptyRowsAndRefilter();
}

void CRecListView::OnBookmarkRecord() {
    CRecordSummary* summary = SelectedSummary();
    if (!summary || !m_db || (summary->flags & kFlagBookmarked))
        return;
    if (!m_db->SetRecordFlags(summary->id, summary->flags | kFlagBookmarked)) {
        ShowError(QStringLiteral("Error saving database record!"));
        return;
    }
    summary->flags |= kFlagBookmarked;
    Refilter();
}

void CRecListView::OnSetAsCenter() {
    const CRecordSummary* summary = SelectedSummary();
    if (!summary || !summary->HasCoordinates())
        return;
    CAppSettings& settings = CAppSettings::Global();
    settings.m_centerLat = summary->lat;
    settings.m_centerLon = summary->lon;
    settings.SaveSettings();
    m_list.ResetDistances();
    Refilter();
}

void CRecListView::OnCompactDatabase() {
    if (ShowMessage(QStringLiteral("To compact a database, there must be at least enough free "
                                   "space for another copy of it.  Continue?"),
                    MsgIcon::Exclamation, MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    // The inventory is compacted only when the record database was.
    const bool compacted =
        m_db && CCacheDbManager::Global().CompactDb(*m_db) && CBugInventory::Global().Compact();
    if (!compacted) {
        ShowError(QStringLiteral("Error compacting database."));
        return;
    }
    Reload();
    ShowInfo(QStringLiteral("Database compaction is complete."));
}

void CRecListView::OnClearFilters() {
    if (!AskYesNo(QStringLiteral("Clear current list filters?")))
        return;
    CAppSettings::Global().ClearFilters();
    m_list.ResetDistances();
    Refilter();
}

void CRecListView::OnClearBookmarks() {
    if (!AskYesNo(QStringLiteral("Clear all bookmarks in current database?")))
        return;
    if (!m_db)
        return;
    int cleared = 0;
    bool failed = false;
    {
        CWaitCursor wait;
        CWriteBatch batch(*m_db);
        for (int i = m_list.LoadedCount() - 1; i >= 0; --i) {
            CRecordSummary* summary = m_list.LoadedAt(i);
            if (!(summary->flags & kFlagBookmarked))
                continue;
            if (!m_db->SetRecordFlags(summary->id, summary->flags & ~kFlagBookmarked, true)) {
                failed = true;
                break;
            }
            summary->flags &= ~kFlagBookmarked;
            ++cleared;
        }
        if (!batch.Commit()) {
            // The cleared flags were undone: the list reads them back from the file.
            failed = true;
            cleared = 0;
            Reload();
        }
    }
    if (failed)
        ShowError(QStringLiteral("Error saving database record!"));
    // Bookmarks cleared before a failure stay cleared, and the list shows them so.
    if (cleared > 0)
        Refilter();
}

void CRecListView::OnPluginListCommand(int role) {
    const CRecordSummary* selected = SelectedSummary();
    const quint32 id = selected ? selected->id : 0;
    CPluginMgr& plugins = CPluginMgr::Global();
    plugins.ResetQueue();
    if (role == kRoleExportRecords) {
        for (const CRecordSummary* summary : m_list.Visible())
            plugins.QueueSummary(*summary);
    }
    plugins.Invoke(role);
    if (plugins.TakeChanged()) {
        setUpdatesEnabled(false);
        Reload();
        SelectRecord(id);
        setUpdatesEnabled(true);
    }
}
