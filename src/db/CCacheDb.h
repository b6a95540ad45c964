#pragma once

#include "db/CDbStatement.h"
#include "util/Timestamps.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <vector>

struct sqlite3;
class CCacheRecord;
class CSummarySink;
class CWaypointBug;

// Category names with a meaning of their own.
inline const QString kUnfiledCategory = QStringLiteral("Unfiled"); // id 0, never stored
inline const QString kAllCategory = QStringLiteral("All");         // the list's filter only
inline const QString kNextCategory = QStringLiteral("_Next");      // hidden: next id to try
constexpr quint16 kAllCategoryId = 0xFFFF;
// The category map holds at most this many entries, "_Next" included.
constexpr int kMaxCategoryEntries = 32;
// The search for a free category id wraps to 1 when it passes this id.
constexpr int kCategoryIdWrap = 30000;

// One open record database file: its schema, records, travel bug rows and categories.
//
// Every failing statement shows "Database error:\n" and the library's text; the operation then
// fails and its caller adds its own message. Write operations take a quiet argument that
// suppresses the wait cursor, so that a loop can show it once around the whole loop.
//
// Each write operation runs its statements as one unit: a record is saved or deleted whole or not
// at all. Outside a CWriteBatch every operation commits on its own; inside one, operations are
// committed together (see CWriteBatch).
class CCacheDb {
public:
    CCacheDb();
    virtual ~CCacheDb();
    CCacheDb(const CCacheDb&) = delete;
    CCacheDb& operator=(const CCacheDb&) = delete;

    // --- Connection -------------------------------------------------------------------------

    // Opens the file at `path` (created when missing), completes its tables and loads the
    // categories; `name` is the database name it is known by (its key is the name in lower case).
    // A file this call created is deleted again when the open fails; an existing file is never
    // deleted or overwritten, whatever it holds.
    bool Open(const QString& path, const QString& name);
    // Commits an open write batch, finalises every statement and closes the file.
    void Close();
    bool IsOpen() const { return m_open; }

    const QString& GetName() const { return m_name; }
    const QString& GetKey() const { return m_key; }
    const QString& GetPath() const { return m_path; }

    // The count of holders, kept for the database manager; starts at 1.
    int AddRef() { return ++m_refCount; }
    int ReleaseRef() { return --m_refCount; }
    int RefCount() const { return m_refCount; }

    // Runs one statement that returns no rows.
    bool Execute(const QString& sql);
    // Prepares one statement for stepping into `stmt`.
    bool Execute(const QString& sql, CDbStatement& stmt);
    // Shows "Database error:\n" + text with the stop icon; returns false.
    static bool ReportDbError(const QString& text);

    // --- Records ----------------------------------------------------------------------------

    // Reads a record and its extra fields; fails without a message when the id is not stored.
    bool LoadRecord(quint32 id, CCacheRecord& record);
    // Inserts a new record (id 0; it takes its new id) or updates a stored one, with its extra
    // fields. An empty waypoint ID of a new record, an empty type and an empty container are
    // filled in first. When the save fails nothing of it stays in the file and the id is
    // unchanged.
    bool SaveRecord(CCacheRecord& record, bool quiet = false);
    // Deletes the record, its travel bug rows, its extra fields and its voice note.
    bool DeleteRecord(quint32 id, bool quiet = false);
    // Deletes every record, bug row and extra-field row, and every voice note of this database.
    // All or nothing: when a delete fails (its database error is shown) nothing is deleted and
    // the result is false.
    bool DeleteAllRecords();
    bool SetRecordCategory(quint32 id, quint16 cid, bool quiet = false);
    bool SetRecordFlags(quint32 id, quint32 flags, bool quiet = false);
    // The id of the first record whose waypoint ID equals `wpt` exactly; 0 when none.
    quint32 FindRecordByWaypoint(const QString& wpt);
    int CountRecords();
    // The record list cursor: one row per record with the list's columns and its extra fields.
    // Starting a scan ends any other scan of this database.
    // A scan that meets a database error on the way shows it and ends early; ScanFailed then
    // tells that apart from the end of the rows, until the next scan begins.
    bool ScanFailed() const { return m_scanFailed; }
    bool BeginSummaryScan();
    bool NextSummary(CSummarySink& sink);
    // Ends a running scan (records or bugs).
    void EndScan();
    // For a waypoint ID beginning with "GC" (any letter case): the links to the records whose
    // waypoint ID differs only in its first two characters, as record page HTML. False (and
    // `out` untouched) for other IDs; false with `out` empty when there are none.
    bool GetAdditionalWaypoints(const QString& wpt, QString& out);
    // Rebuilds the file to free unused space.
    bool Compact();
    // Sets or clears the travel-bug flag of the record by its bug rows (not saved); returns the
    // number of its bugs.
    int RefreshBugFlag(CCacheRecord& record);

    // --- Travel bugs listed for a cache -------------------------------------------------------

    bool BeginBugScan(quint32 recordId);
    // Fills id and name of the next bug of the scan.
    bool NextBug(CWaypointBug& bug);
    bool LoadBug(quint32 bugId, CWaypointBug& bug);
    // Inserts (the bug takes its new id) or updates; fails without a message when wpt_id is 0.
    bool SaveBug(CWaypointBug& bug, bool quiet = false);
    bool DeleteBug(quint32 bugId, bool quiet = false);
    bool DeleteBugsOf(quint32 recordId, bool quiet = false);
    int CountBugsOf(quint32 recordId);
    // Replaces the record's bug rows by those of a bug list text: entries separated by U+0001,
    // fields by U+0002 (reference number, name, optional link), inserted from the last entry to
    // the first; entries with fewer than two fields are ignored.
    bool ReplaceBugsOf(quint32 recordId, const QString& bugList);

    // --- Categories -----------------------------------------------------------------------------

    // Reads t_categ into the map; a database without a "_Next" row gets the default categories.
    void LoadCategories();
    // Writes the whole map to t_categ; false when any statement failed.
    bool SaveCategories();
    // Number of map entries, "_Next" included.
    int CategoryCount() const { return int(m_categories.size()); }
    // Every name but "_Next", sorted by character code, then "Unfiled" unless `skipUnfiled`.
    void GetCategoryNames(QStringList& out, bool skipUnfiled) const;
    // 0 for "Unfiled", "_Next" and unknown names.
    quint16 CategoryIdOf(const QString& name) const;
    // "Unfiled" for 0; empty when no category has the id.
    QString CategoryNameOf(quint16 id) const;
    // These change the map only; SaveCategories writes it.
    bool AddCategory(const QString& name);
    bool RenameCategory(const QString& oldName, const QString& newName);
    void DeleteCategory(const QString& name);

private:
    friend class CWriteBatch;
    friend class COperationScope;

    bool CompleteSchema();
    // Runs a statement given as UTF-8; `report` false keeps a failure silent.
    bool ExecuteUtf8(const QByteArray& sql, bool report = true);
    // Runs one of the write-unit statements below, prepared on first use and kept: every write
    // operation opens and releases a savepoint, and parsing them each time was a large part of
    // the cost of small writes.
    bool ExecuteKept(CDbStatement& kept, const char* sql, bool report = true);
    void FinalizeKept();
    // A scan's step failed: marks the scan failed, shows the database error, returns false.
    bool ScanStepFailed();

    // Write units and batches (CCacheDbBatch.cpp).
    bool BeginOperation();
    bool EndOperation(bool ok);
    void BeginBatch();
    // Ends one batch scope; the outermost commits. False when this batch lost operations that
    // had succeeded (a commit failed, or the library ended the transaction).
    bool EndBatch();
    // Commits the batch transaction; `final` rolls it back when the commit fails, otherwise
    // the commit is tried again later.
    bool CommitBatch(bool final);
    // Deletes the voice notes of records whose deletion has been committed.
    void RunAfterCommit();
    void DropAfterCommit();

    bool SaveExtraFields(CCacheRecord& record);
    bool ReadExtraFields(CDbStatement& stmt, CCacheRecord& record);
    bool SingleNumber(const QString& sql, qint64& out);

    sqlite3* m_db = nullptr;
    bool m_open = false;
    QString m_name;
    QString m_key;
    QString m_path;
    int m_refCount = 1;

    // The one running scan (records or bugs) and the extra-field lookup of the record scan.
    CDbStatement m_scan;
    QStringList m_scanColumns;
    bool m_scanFailed = false; // the running or last scan ended on a database error
    CDbStatement m_extraLookup;
    // The kept write-unit statements.
    CDbStatement m_savepoint;
    CDbStatement m_release;
    CDbStatement m_rollbackTo;

    QMap<QString, quint16> m_categories;

    // Write batch state.
    int m_batchDepth = 0;     // nesting of CWriteBatch scopes
    int m_operationDepth = 0; // nesting of write operations
    bool m_inBatchTransaction = false;
    bool m_batchLost = false; // operations of the running batch were lost after succeeding
    int m_batchOperations = 0;
    qint64 m_batchStartMs = 0; // CClock time when the batch transaction began or last tried
    std::vector<quint32> m_notesToDelete; // voice notes of deleted records, after the commit
    bool m_deleteAllNotes = false;        // every voice note of the database, after the commit
};
