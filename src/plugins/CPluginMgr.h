#pragma once

#include "plugins/CPluginInfo.h"
#include "qbex.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>
#include <vector>

class CCacheDb;
class CCacheRecord;
class CRecordSummary;
class IPluginDialogs;

// Role numbers of the plug-in interface.
constexpr int kRoleMapping = QBEX_ROLE_MAPPING;
constexpr int kRoleNavigation = QBEX_ROLE_NAVIGATION;
constexpr int kRoleExportRecord = QBEX_ROLE_EXPORT_RECORD;
constexpr int kRoleCalculation = QBEX_ROLE_CALCULATION;
constexpr int kRoleExportRecords = QBEX_ROLE_EXPORT_RECORDS;
constexpr int kRoleMarkWaypoint = QBEX_ROLE_MARK_WAYPOINT;
constexpr int kRoleImportRecords = QBEX_ROLE_IMPORT_RECORDS;
constexpr int kRoleConfiguration = QBEX_ROLE_CONFIGURATION;
constexpr int kRoleHyperlink = QBEX_ROLE_HYPERLINK;
constexpr int kRoleListCalculation = QBEX_ROLE_LIST_CALCULATION;

// Finds the plug-in libraries in the folder "Plugins" of the program folder, keeps the table of
// the roles they offer, and runs a plug-in for a role: it chooses the plug-in (asking the user
// through IPluginDialogs where it cannot choose itself), hands it the queued records, lets it add
// or merge records through the host callbacks, and keeps its results for the caller.
//
// Calling order for an invocation:
//   ResetQueue(); QueueSummary(...) / QueueRecord(...) for the records to hand over;
//   Invoke(role); then TakeChanged(), GetSavedRecordId() or GetCoordinates() as needed.
// Roles 6, 7, 8 and 15 queue nothing. The list window keeps SetListCategory up to date: records
// saved by plug-ins of every role but import are filed into the category the list shows.
//
// Libraries are loaded only for the moment they are used and unloaded right after.
class CPluginMgr {
public:
    // The message of a record that a plug-in handed in but could not be stored.
    static const QString kSaveErrorMessage;

    // `programFolder` with a trailing "/"; empty means the home folder (HomeFolderSlash()).
    explicit CPluginMgr(const QString& programFolder = QString());
    ~CPluginMgr();
    CPluginMgr(const CPluginMgr&) = delete;
    CPluginMgr& operator=(const CPluginMgr&) = delete;

    // The plug-in manager of the process; asserts when none is installed.
    static CPluginMgr& Global();
    static void SetGlobal(CPluginMgr* manager);

    // The dialogs Invoke asks the user with; null (the default) makes every invocation that
    // needs a choice end as if the user cancelled. Ownership stays with the caller.
    void SetDialogs(IPluginDialogs* dialogs) { m_dialogs = dialogs; }
    // Whether the import and Select Plugin dialogs are installed; without them every choice the
    // user would make ends as cancelled.
    bool HasDialogs() const { return m_dialogs != nullptr; }
    // The category the list shows (kAllCategoryId 0xFFFF for all categories, filed as 0).
    void SetListCategory(quint16 cid);

    const QString& ProgramFolder() const { return m_programFolder; }
    // The plug-in folder: the program folder followed by "Plugins".
    QString PluginFolder() const;

    // --- Queries; each scans the plug-in folder first unless it was scanned already ---------

    // Number of plug-ins offering the role.
    int CountForRole(int role);
    // The names of the role's plug-ins, each once, from the last registered to the first.
    void GetRoleNames(int role, QStringList& out);
    // For each Hyperlink plug-in, from the last registered to the first, whose QBEX_ShowHyperlink
    // accepts the record: its link caption and then its name (pairs at 2k and 2k+1).
    void GetHyperlinks(const CCacheRecord& record, QStringList& out);
    // Adds name -> version text for every plug-in whose name is not in the map yet, from the last
    // registered to the first.
    void GetVersions(QMap<QString, QString>& out);
    // The entry with that role and exactly that name; null when none.
    const CPluginInfo* FindEntry(int role, const QString& name);
    // Every entry, in the order registered.
    const std::vector<std::unique_ptr<CPluginInfo>>& Entries();

    // Empties the table (the next query scans the folder again) and resets the queue; does
    // nothing while a plug-in runs.
    void Release();

    // --- The record queue and the results of an invocation ------------------------------------

    // Coordinates := none, saved record id := 0, changed := false, queue emptied.
    void ResetQueue();
    // Queue the record of a list row / a full record when it has coordinates (and, for a full
    // record, an id); 1 when queued, else 0.
    int QueueSummary(const CRecordSummary& summary);
    int QueueRecord(const CCacheRecord& record);
    // Queues a record id as it is; used where only ids are at hand.
    void QueueId(quint32 id) { m_queue.push_back(id); }
    const std::vector<quint32>& Queue() const { return m_queue; }

    // Runs a plug-in of the role. Without `name` the plug-in is chosen: role 9 takes the setting
    // "Role9" (the clicked link's plug-in); role 7 runs the import dialog, which also picks the
    // target database (otherwise the current database, setting "Database", is the target); roles
    // 1, 2 and 6 with a single plug-in take it and remember it as "Role%d"; every other case runs
    // the Select Plugin dialog. The queue is then cut to "ExpMaxRec" records; an empty queue is
    // refused unless the plug-in's role byte has the no-records bit. The plug-in runs inside one
    // write batch of the target database. Returns the plug-in's result, or 0 when nothing ran
    // (no plug-in, cancelled, stale choice, refused, library not loadable) or it failed.
    qint32 Invoke(int role, const QString& name = QString());

    // The id of the record the plug-in saved last, when it asked for it to be shown; 0 otherwise.
    quint32 GetSavedRecordId() const { return m_savedRecordId; }
    // Whether a plug-in saved a record since the last call; clears the flag.
    bool TakeChanged();
    // The position returned by the last successful invocation; 200.0 each when none.
    void GetCoordinates(double& lat, double& lon) const;
    bool IsBusy() const { return m_busy; }

    // The running system's version as major * 256 + minor (each taken modulo 256).
    static quint16 HostOsVersion();

private:
    // Discovery (CPluginMgr.cpp).
    void EnsureScanned();
    void ScanLibrary(const QString& fileName, quint16 hostVersion);
    void Register(quint8 role, quint8 roleByte, const QString& name, const QString& file,
                  const QString& version, const QString& linkCaption);

    // Invocation (CPluginMgrInvoke.cpp).
    bool ChoosePlugin(int role, int count, QString& name, QString& dbName);
    void ApplyMaxRecordCount();
    void SetRoutingCategories(int role);

    // The host callbacks (CPluginMgrCallbacks.cpp). They reach the invoking manager through
    // s_invoking, which is set only while QBEX_Invoke runs.
    static void CbInitRecord(QBEX_RECORD* record, int32_t newId);
    static int32_t CbAddRecord(const QBEX_RECORD* record);
    static int32_t CbGetRecord(QBEX_RECORD* record);
    static void CbResetRecords();
    int32_t AddRecord(const QBEX_RECORD* record);
    int32_t GetRecord(QBEX_RECORD* record);
    static CPluginMgr* s_invoking;

    QString m_programFolder;
    IPluginDialogs* m_dialogs = nullptr;
    quint16 m_listCategory = 0;

    std::vector<std::unique_ptr<CPluginInfo>> m_entries;
    bool m_scanned = false;

    std::vector<quint32> m_queue;
    size_t m_cursor = 0;
    double m_lat = 200.0;
    double m_lon = 200.0;
    quint32 m_savedRecordId = 0;
    bool m_changed = false;
    int m_saveFailures = 0; // records of the running invocation that could not be stored
    bool m_busy = false;

    // State of the invocation in progress.
    CCacheDb* m_db = nullptr;
    int m_currentRole = 0;
    quint16 m_categDefault = 0;
    quint16 m_categFound = 0;
    quint16 m_categOwned = 0;
    quint16 m_categExtra = 0;
};
