#pragma once

#include "travelbugs/CBugRecord.h"

#include <QDateTime>
#include <QString>

#include <memory>

struct sqlite3;
struct sqlite3_stmt;
class CCacheRecord;

// The user's bag of travel bugs: the database "TravelBugs.db" with its one table t_bugs, and the
// travel bug log "TravelBugs.txt" with one line per movement of a bug. Both live in the home
// folder, apart from every record database, so that they survive switching, deleting or replacing
// databases. Failures are reported to the user where they happen; operations return the outcome.
class CBugInventory {
public:
    // The exact statement that creates the inventory table.
    static const char* const CreateTableSql;
    // Above this size the log asks to be cleared after every line written.
    static constexpr qint64 LogWarningSize = 30720;

    CBugInventory();
    ~CBugInventory();
    CBugInventory(const CBugInventory&) = delete;
    CBugInventory& operator=(const CBugInventory&) = delete;

    // The inventory of the process; asserts when none is installed.
    static CBugInventory& Global();
    static void SetGlobal(CBugInventory* inventory);

    // Opens (creating when missing) the inventory database in `folder` and sets the log path.
    bool Open(const QString& folder);
    // Ends any list in progress and closes the database.
    void Close();
    bool IsOpen() const { return m_db != nullptr; }
    QString DatabasePath() const { return m_dbPath; }
    QString LogPath() const { return m_logPath; }

    // Rebuilds the database file ("vacuum") with the wait cursor shown.
    bool Compact();

    // Inserts a new bug (id 0; its entry time becomes now and its new id is stored into `bug`)
    // or updates a stored one, writing its entry time back unchanged.
    bool SaveBug(CBugRecord& bug);
    // Fills `bug` from the row `id`; false when there is none or the query fails.
    bool LoadBug(quint32 id, CBugRecord& bug);
    bool DeleteBug(quint32 id);
    // Number of bugs carried; 0 when the query fails.
    int CountBugs();

    // Listing: BeginList ends any list in progress; the full list fills id, reference number, name,
    // serial and entry time, the short one only the entry time. NextBug resets `bug` first.
    bool BeginList(bool full);
    bool NextBug(CBugRecord& bug);
    void EndList();

    // Number of bugs carried for the setting "BugMaxDays" days or longer, as of now.
    int CountOverdue();
    // The same for a given limit and local time.
    int CountOverdue(int maxDays, const QDateTime& nowLocal);
    // Whether a bug that entered at `insertTs` is overdue at `nowLocal`: the local wall-clock
    // time since then is `maxDays` days or more. A bug without an entry time is never overdue.
    static bool IsOverdue(Timestamp insertTs, int maxDays, const QDateTime& nowLocal);

    // Notes a movement of `bug`: taken from `cache`, dropped into `cache` (taken false), or
    // grabbed by hand (taken with no cache). Appends the line to the log, warns when the log has
    // grown large, and appends the movement to the cache's log notes (not saved here).
    void LogTransfer(const CBugRecord& bug, CCacheRecord* cache, bool taken);
    // The log line for a movement at the local time `when`.
    static QString LogLine(const CBugRecord& bug, const CCacheRecord* cache, bool taken,
                           const QDateTime& when);
    // A local date and time in the user's default date-and-time format.
    static QString DateTimeText(const QDateTime& local);

    // Size of the log in bytes; -1 when it does not exist or cannot be read.
    qint64 GetLogSize() const;
    // Shows the log in the desktop's viewer, or says that it is empty.
    void ViewLog();
    // Deletes the log and says whether that worked.
    void ClearLog();

private:
    struct StatementDeleter {
        void operator()(sqlite3_stmt* statement) const;
    };
    using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

    bool Execute(const QString& sql);
    Statement Prepare(const QString& sql);
    bool ReportDbError(const char* message);
    static void ReadRow(sqlite3_stmt* statement, CBugRecord& bug);

    QString m_dbPath;
    QString m_logPath;
    sqlite3* m_db = nullptr;
    Statement m_list;
};
