// Running a plug-in: choosing it, preparing the queue and the database, calling QBEX_Invoke.

#include "plugins/CPluginMgr.h"

#include "db/CCacheDb.h"
#include "db/CCacheDbManager.h"
#include "db/CWriteBatch.h"
#include "plugins/CPluginLibrary.h"
#include "plugins/IPluginDialogs.h"
#include "settings/CAppSettings.h"
#include "util/CUserInterface.h"

#include <optional>

namespace {

const QString kNeedsRecordsMessage =
    QStringLiteral("At least one record with valid coordinates is required.");
const QString kLoadErrorMessage = QStringLiteral("Error loading plugin!");

// The list's sort column kind of the waypoint ID.
constexpr int kWaypointSortColumn = 7;

// The leading decimal number of a text (0 when it starts with no digit), limited so that it
// cannot overflow.
size_t LeadingNumber(const QString& text) {
    size_t value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            break;
        value = value * 10 + size_t(c.unicode() - u'0');
        if (value > 0xFFFFFFFFu)
            return 0xFFFFFFFFu;
    }
    return value;
}

} // namespace

// Chooses the plug-in when the caller named none: the link the user clicked (role 9), the import
// dialog (role 7), the only plug-in of roles 1, 2 and 6, otherwise the Select Plugin dialog.
// False when the user cancelled.
bool CPluginMgr::ChoosePlugin(int role, int count, QString& name, QString& dbName) {
    CAppSettings& settings = CAppSettings::Global();
    if (role == kRoleHyperlink) {
        name = settings.GetRolePlugin(role);
        return true;
    }
    if (role == kRoleImportRecords) {
        const bool start = m_dialogs && m_dialogs->RunImportDialog();
        dbName = settings.m_impDatabase;
        if (!start)
            return false;
        name = settings.GetRolePlugin(role);
        return true;
    }
    if ((role == kRoleMapping || role == kRoleNavigation || role == kRoleMarkWaypoint) &&
        count == 1) {
        QStringList names;
        GetRoleNames(role, names);
        name = names.value(0);
        settings.SetRolePlugin(role, name);
        settings.SaveSettings();
        return true;
    }
    if (!m_dialogs || !m_dialogs->RunSelectPluginDialog(role))
        return false;
    name = settings.GetRolePlugin(role);
    return true;
}

void CPluginMgr::ApplyMaxRecordCount() {
    const QString& limit = CAppSettings::Global().m_expMaxRec;
    if (limit.isEmpty())
        return;
    const size_t max = LeadingNumber(limit);
    if (max < m_queue.size())
        m_queue.resize(max);
}

void CPluginMgr::SetRoutingCategories(int role) {
    if (role == kRoleImportRecords) {
        const CAppSettings& settings = CAppSettings::Global();
        m_categDefault = m_db->CategoryIdOf(settings.m_impCateg);
        m_categFound = m_db->CategoryIdOf(settings.m_impCategFound);
        m_categOwned = m_db->CategoryIdOf(settings.m_impCategOwned);
        m_categExtra = m_db->CategoryIdOf(settings.m_impCategExtra);
    } else {
        m_categDefault = m_categFound = m_categOwned = m_categExtra = m_listCategory;
    }
}

qint32 CPluginMgr::Invoke(int role, const QString& givenName) {
    const int count = CountForRole(role);
    if (count == 0)
        return 0;

    // Busy keeps Release from emptying the table while the user chooses and the plug-in runs.
    struct BusyScope {
        bool& busy;
        explicit BusyScope(bool& b) : busy(b) { busy = true; }
        ~BusyScope() { busy = false; }
    } busyScope(m_busy);

    CAppSettings& settings = CAppSettings::Global();
    QString name = givenName;
    QString dbName = settings.m_database;
    if (name.isEmpty() && !ChoosePlugin(role, count, name, dbName))
        return 0;

    const CPluginInfo* entry = FindEntry(role, name);
    if (!entry)
        return 0;

    ApplyMaxRecordCount();
    if (!(entry->roleByte & QBEX_ROLE_NO_RECORDS) && m_queue.empty()) {
        ShowError(kNeedsRecordsMessage);
        return 0;
    }

    CPluginLibrary library(PluginFolder() + u'/' + entry->file);
    const auto invoke = reinterpret_cast<qbex_invoke_fn>(library.Symbol(QBEX_INVOKE_SYMBOL));
    if (!invoke) {
        ShowError(kLoadErrorMessage);
        return 0;
    }

    // The database the callbacks work on. Without it the plug-in still runs: adding fails with a
    // message and fetching finds nothing. All its writes share one batch, so that a long import
    // commits in a few transactions while every record still succeeds or fails on its own.
    CCacheDbManager& databases = CCacheDbManager::Global();
    m_db = databases.OpenDb(dbName);
    std::optional<CWriteBatch> batch;
    if (m_db) {
        SetRoutingCategories(role);
        batch.emplace(*m_db);
    }
    m_currentRole = role;
    m_saveFailures = 0;

    const QString appFolder = m_programFolder;
    QBEX_INVOKE block{};
    block.role = role;
    block.sorted_by_wpt = settings.m_sortColumn == kWaypointSortColumn ? 1 : 0;
    block.record_count = qint32(m_queue.size());
    block.app_folder = reinterpret_cast<const qbex_char16*>(appFolder.utf16());
    block.gps_averaging = settings.m_gpsAveraging;
    block.show_saved = 0;
    block.lat = kNoCoordinate;
    block.lon = kNoCoordinate;
    block.init_record = &CPluginMgr::CbInitRecord;
    block.add_record = &CPluginMgr::CbAddRecord;
    block.get_record = &CPluginMgr::CbGetRecord;
    block.reset_records = &CPluginMgr::CbResetRecords;

    m_cursor = 0;
    CPluginMgr* const previous = s_invoking;
    s_invoking = this;
    const qint32 invoked = invoke(&block);
    s_invoking = previous;
    library.Unload();

    // Records the plug-in was told were stored are kept only if the batch's last commit holds;
    // otherwise the database error has been shown, this says what it means, and the
    // invocation fails.
    qint32 result = invoked;
    if (batch && !batch->Commit()) {
        ShowError(kSaveErrorMessage);
        result = 0;
        m_savedRecordId = 0;
    }
    if (result != 0) {
        m_lat = block.lat;
        m_lon = block.lon;
    }
    if (block.show_saved == 0)
        m_savedRecordId = 0;

    batch.reset();
    m_saveFailures = 0;
    if (m_db)
        databases.ReleaseDb(m_db);
    m_db = nullptr;
    m_currentRole = 0;
    return result;
}
