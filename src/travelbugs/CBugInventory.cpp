#include "travelbugs/CBugInventory.h"

#include "db/SqlQuote.h"
#include "db/SqliteLibrary.h"
#include "util/CUserInterface.h"
#include "util/TextHelpers.h"

#include <QDir>
#include <QFile>

#include <sqlite3.h>

#include <cassert>
#include <cstring>

namespace {
CBugInventory* g_inventory = nullptr;

constexpr int BusyTimeoutMs = 8000;

QString IdText(quint32 id) {
    return QString::number(id);
}
} // namespace

const char* const CBugInventory::CreateTableSql =
    "create table t_bugs (\nid integer primary key,\ninsert_ts text,\nname text,\ntb_num text,\n"
    "serial text,\nurl text,\nmission text\n)";

void CBugInventory::StatementDeleter::operator()(sqlite3_stmt* statement) const {
    sqlite3_finalize(statement);
}

CBugInventory::CBugInventory() = default;

CBugInventory::~CBugInventory() {
    Close();
    if (g_inventory == this)
        g_inventory = nullptr;
}

CBugInventory& CBugInventory::Global() {
    assert(g_inventory && "no travel bug inventory installed");
    return *g_inventory;
}

void CBugInventory::SetGlobal(CBugInventory* inventory) {
    g_inventory = inventory;
}

bool CBugInventory::Open(const QString& folder) {
    Close();
    const QDir dir(folder);
    m_dbPath = dir.filePath(QStringLiteral("TravelBugs.db"));
    m_logPath = dir.filePath(QStringLiteral("TravelBugs.txt"));

    const bool existed = QFile::exists(m_dbPath);
    ConfigureSqliteLibrary();
    const int rc = sqlite3_open_v2(QFile::encodeName(m_dbPath).constData(), &m_db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        ReportDbError(m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc));
        Close();
        return false;
    }
    if (!existed)
        QFile::setPermissions(m_dbPath, QFile::ReadOwner | QFile::WriteOwner);
    sqlite3_busy_timeout(m_db, BusyTimeoutMs);

    // Look for the table in the catalogue; an existing table is used as it is.
    bool hasBugs = false;
    bool hasTables = false;
    {
        Statement catalogue =
            Prepare(QStringLiteral("select name,type,tbl_name from sqlite_master"));
        if (!catalogue) {
            Close();
            return false;
        }
        int step;
        while ((step = sqlite3_step(catalogue.get())) == SQLITE_ROW) {
            const auto* type =
                reinterpret_cast<const char*>(sqlite3_column_text(catalogue.get(), 1));
            const auto* name =
                reinterpret_cast<const char*>(sqlite3_column_text(catalogue.get(), 0));
            if (type && std::strcmp(type, "table") == 0) {
                hasTables = true;
                if (name && std::strcmp(name, "t_bugs") == 0)
                    hasBugs = true;
            }
        }
        if (step != SQLITE_DONE) {
            ReportDbError(sqlite3_errmsg(m_db));
            catalogue.reset();
            Close();
            return false;
        }
    }
    if (!hasBugs && !Execute(QString::fromLatin1(CreateTableSql))) {
        Close();
        // A file made just now is removed again; one that already held other tables is kept.
        if (!hasTables)
            QFile::remove(m_dbPath);
        return false;
    }
    return true;
}

void CBugInventory::Close() {
    m_list.reset();
    if (m_db) {
        sqlite3_close(m_db);
        m_db = nullptr;
    }
}

bool CBugInventory::ReportDbError(const char* message) {
    ShowError(QStringLiteral("Database error:\n") + FromUtf8(message));
    return false;
}

bool CBugInventory::Execute(const QString& sql) {
    if (!m_db)
        return false;
    char* error = nullptr;
    if (sqlite3_exec(m_db, ToUtf8(sql).constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        ReportDbError(error ? error : sqlite3_errmsg(m_db));
        sqlite3_free(error);
        return false;
    }
    return true;
}

CBugInventory::Statement CBugInventory::Prepare(const QString& sql) {
    if (!m_db)
        return {};
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_db, ToUtf8(sql).constData(), -1, &statement, nullptr) != SQLITE_OK) {
        ReportDbError(sqlite3_errmsg(m_db));
        sqlite3_finalize(statement);
        return {};
    }
    return Statement(statement);
}

void CBugInventory::ReadRow(sqlite3_stmt* statement, CBugRecord& bug) {
    const int columns = sqlite3_column_count(statement);
    for (int i = 0; i < columns; ++i) {
        const char* column = sqlite3_column_name(statement, i);
        const auto* value = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
        if (!column)
            continue;
        if (std::strcmp(column, "id") == 0)
            bug.id = value ? static_cast<quint32>(std::strtoul(value, nullptr, 10)) : 0;
        else if (std::strcmp(column, "insert_ts") == 0)
            bug.insert_ts = ParseTimestamp(FromUtf8(value));
        else if (std::strcmp(column, "name") == 0)
            bug.name = FromUtf8(value);
        else if (std::strcmp(column, "tb_num") == 0)
            bug.tb_num = FromUtf8(value);
        else if (std::strcmp(column, "serial") == 0)
            bug.serial = FromUtf8(value);
        else if (std::strcmp(column, "url") == 0)
            bug.url = FromUtf8(value);
        else if (std::strcmp(column, "mission") == 0)
            bug.mission = FromUtf8(value);
    }
}

bool CBugInventory::Compact() {
    CWaitCursor wait;
    return Execute(QStringLiteral("vacuum"));
}

bool CBugInventory::SaveBug(CBugRecord& bug) {
    if (!m_db)
        return false;
    if (bug.id == 0) {
        bug.insert_ts = CurrentTimestamp();
        const QString sql =
            QStringLiteral("insert into t_bugs(insert_ts,tb_num,name,serial,url,mission) "
                           "values(%1,%2,%3,%4,%5,%6)")
                .arg(QuoteTimestamp(bug.insert_ts), QuoteText(bug.tb_num), QuoteText(bug.name),
                     QuoteText(bug.serial), QuoteText(bug.url), QuoteText(bug.mission));
        CWaitCursor wait;
        if (!Execute(sql))
            return false;
        bug.id = static_cast<quint32>(sqlite3_last_insert_rowid(m_db));
        return true;
    }
    const QString sql =
        QStringLiteral("update t_bugs set insert_ts=%1, tb_num=%2, name=%3, "
                       "serial=%4, url=%5, mission=%6 where id=%7")
            .arg(QuoteTimestamp(bug.insert_ts), QuoteText(bug.tb_num), QuoteText(bug.name),
                 QuoteText(bug.serial), QuoteText(bug.url), QuoteText(bug.mission), IdText(bug.id));
    CWaitCursor wait;
    return Execute(sql);
}

bool CBugInventory::LoadBug(quint32 id, CBugRecord& bug) {
    Statement statement = Prepare(QStringLiteral("select * from t_bugs where id=%1").arg(id));
    if (!statement || sqlite3_step(statement.get()) != SQLITE_ROW)
        return false;
    bug.Reset();
    ReadRow(statement.get(), bug);
    return true;
}

bool CBugInventory::DeleteBug(quint32 id) {
    CWaitCursor wait;
    return Execute(QStringLiteral("delete from t_bugs where id=%1").arg(id));
}

int CBugInventory::CountBugs() {
    Statement statement = Prepare(QStringLiteral("select count(id) from t_bugs"));
    if (!statement || sqlite3_step(statement.get()) != SQLITE_ROW)
        return 0;
    return sqlite3_column_int(statement.get(), 0);
}

bool CBugInventory::BeginList(bool full) {
    EndList();
    m_list = Prepare(full ? QStringLiteral("select id,tb_num,name,serial,insert_ts from t_bugs")
                          : QStringLiteral("select insert_ts from t_bugs"));
    return m_list != nullptr;
}

bool CBugInventory::NextBug(CBugRecord& bug) {
    if (!m_list || sqlite3_step(m_list.get()) != SQLITE_ROW)
        return false;
    bug.Reset();
    ReadRow(m_list.get(), bug);
    return true;
}

void CBugInventory::EndList() {
    m_list.reset();
}
