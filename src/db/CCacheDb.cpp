#include "db/CCacheDb.h"
#include "db/SqliteLibrary.h"

#include "db/COperationScope.h"
#include "util/CUserInterface.h"
#include "util/TextHelpers.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cstring>

namespace {

// A statement that finds the file locked waits this long before it fails.
constexpr int kBusyTimeoutMs = 8000;

const char kCreateCategories[] = "create table t_categ (\ncid integer not null,\nname text not "
                                 "null)";
const char kCreateMain[] =
    "create table t_main (\nid integer primary key,\ncid integer not null default 0,\nflags "
    "integer not null default 0,\nname text,\nlat double not null default 200,\nlon double not "
    "null default 200,\nrtype text,\nwpt text,\ndiff text,\nterr text,\nowner text,\ncont "
    "text,\ndescr text,\nhints text,\npast_log text,\nurl text,\nimg_urls text,\nlog_type "
    "integer not null default 0,\nlog_notes text,\nlog_end text,\nlog_start text\n)";
const char kCreateMainIndex[] = "create index main_wpt on t_main(wpt)";
const char kCreateBugs[] = "create table t_bugs (\nid integer primary key,\nwpt_id integer not "
                           "null default 0,\nname text,\ntb_num text,\nserial text,\nurl "
                           "text,\nmission text\n)";
const char kCreateBugsIndex[] = "create index bugs_wpt on t_bugs(wpt_id)";
const char kCreateExtra[] = "create table t_extra (\nid integer primary key,\ninfo text\n)";

} // namespace

CCacheDb::CCacheDb() = default;

CCacheDb::~CCacheDb() {
    Close();
}

bool CCacheDb::Open(const QString& path, const QString& name) {
    Close();
    m_path = path;
    m_name = name;
    m_key = name.toLower();

    // Only a file this open creates may be removed again when the open fails.
    const bool existed = QFileInfo::exists(path);
    auto removeCreated = [&]() {
        if (!existed) {
            QFile::remove(path);
            QFile::remove(path + QStringLiteral("-journal"));
        }
    };

    // A connection is only ever used by the thread that opened it: no per-call locking.
    ConfigureSqliteLibrary();
    sqlite3* db = nullptr;
    const int rc =
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString error = FromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        removeCreated();
        return ReportDbError(error);
    }
    m_db = db;
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    // Pages are read through a read-only memory map of the file instead of being copied one by
    // one: loading the record list reads every row, and this halves its time. Writes still go
    // through the journal. Without the map (the library may refuse it) reads work as before.
    sqlite3_exec(m_db, "PRAGMA mmap_size=1073741824", nullptr, nullptr, nullptr);

    if (!CompleteSchema()) {
        Close();
        removeCreated();
        return false;
    }
    m_open = true;
    LoadCategories();
    return true;
}

bool CCacheDb::CompleteSchema() {
    bool hasCategories = false, hasMain = false, hasBugs = false, hasExtra = false;
    {
        CDbStatement catalogue;
        if (!Execute(QStringLiteral("select name,type,tbl_name from sqlite_master"), catalogue))
            return false;
        for (;;) {
            const CDbStatement::Step step = catalogue.Next();
            if (step == CDbStatement::Step::Done)
                break;
            if (step == CDbStatement::Step::Error)
                return false;
            QString name, type;
            for (int c = 0; c < catalogue.ColumnCount(); ++c) {
                if (std::strcmp(catalogue.ColumnName(c), "name") == 0)
                    name = catalogue.Text(c);
                else if (std::strcmp(catalogue.ColumnName(c), "type") == 0)
                    type = catalogue.Text(c);
            }
            if (type != QLatin1String("table"))
                continue;
            hasCategories |= name == QLatin1String("t_categ");
            hasMain |= name == QLatin1String("t_main");
            hasBugs |= name == QLatin1String("t_bugs");
            hasExtra |= name == QLatin1String("t_extra");
        }
    }
    if (hasCategories && hasMain && hasBugs && hasExtra)
        return true;

    // The missing tables are created together: a file gets all of them or none.
    COperationScope op(*this);
    if (!op.Begin())
        return false;
    bool ok = true;
    if (ok && !hasCategories)
        ok = ExecuteUtf8(kCreateCategories);
    if (ok && !hasMain)
        ok = ExecuteUtf8(kCreateMain) && ExecuteUtf8(kCreateMainIndex);
    if (ok && !hasBugs)
        ok = ExecuteUtf8(kCreateBugs) && ExecuteUtf8(kCreateBugsIndex);
    if (ok && !hasExtra)
        ok = ExecuteUtf8(kCreateExtra);
    return op.Finish(ok);
}

void CCacheDb::Close() {
    if (!m_db)
        return;
    CommitBatch(true);
    m_scan.Finalize();
    m_scanColumns.clear();
    m_extraLookup.Finalize();
    FinalizeKept();
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_open = false;
}

bool CCacheDb::Execute(const QString& sql) {
    return ExecuteUtf8(ToUtf8(sql));
}

bool CCacheDb::ExecuteUtf8(const QByteArray& sql, bool report) {
    if (!m_db)
        return false;
    char* error = nullptr;
    const int rc = sqlite3_exec(m_db, sql.constData(), nullptr, nullptr, &error);
    if (rc == SQLITE_OK)
        return true;
    const QString text = FromUtf8(error ? error : sqlite3_errmsg(m_db));
    sqlite3_free(error);
    return report ? ReportDbError(text) : false;
}

bool CCacheDb::Execute(const QString& sql, CDbStatement& stmt) {
    stmt.Finalize();
    if (!m_db)
        return false;
    const QByteArray utf8 = ToUtf8(sql);
    sqlite3_stmt* prepared = nullptr;
    const int rc =
        sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()) + 1, &prepared, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(prepared);
        return ReportDbError(FromUtf8(sqlite3_errmsg(m_db)));
    }
    stmt.Adopt(prepared);
    return true;
}

bool CCacheDb::ReportDbError(const QString& text) {
    ShowError(QStringLiteral("Database error:\n") + text);
    return false;
}
