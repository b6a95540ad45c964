// Write units and write batches of CCacheDb.
//
// Every write operation runs inside a savepoint. Outside a batch the savepoint is the whole
// transaction, so releasing it commits the operation and rolling it back undoes it. Inside a
// batch the savepoints nest in the batch's transaction: a failing operation is undone alone, and
// the transaction is committed between operations after kBatchOperations of them or
// kBatchMilliseconds, and when the outermost batch ends.

#include "db/CCacheDb.h"
#include "db/CWriteBatch.h"
#include "util/CClock.h"
#include "util/TextHelpers.h"

#include <sqlite3.h>

namespace {

constexpr int kBatchOperations = 500;
constexpr qint64 kBatchMilliseconds = 1000;

} // namespace

bool CCacheDb::BeginOperation() {
    if (!m_db)
        return false;
    if (m_batchDepth > 0 && m_operationDepth == 0 && !m_inBatchTransaction) {
        if (!ExecuteUtf8("begin"))
            return false;
        m_inBatchTransaction = true;
        m_batchOperations = 0;
        m_batchStartMs = CClock::Get().NowMs();
    }
    if (!ExecuteKept(m_savepoint, "savepoint op"))
        return false;
    ++m_operationDepth;
    return true;
}

bool CCacheDb::EndOperation(bool ok) {
    --m_operationDepth;
    const bool outermost = m_operationDepth == 0;

    if (sqlite3_get_autocommit(m_db)) {
        // The library ended the transaction itself after a severe error: everything since the
        // last commit is gone, including this operation.
        m_operationDepth = 0;
        if (m_inBatchTransaction)
            m_batchLost = true;
        m_inBatchTransaction = false;
        DropAfterCommit();
        return false;
    }

    if (ok) {
        // Outside a batch the outermost release is the commit, which may fail (locked, full).
        ok = ExecuteKept(m_release, "release op");
        if (!ok && outermost && !m_inBatchTransaction) {
            ExecuteUtf8("rollback", false);
        }
    } else {
        ExecuteKept(m_rollbackTo, "rollback to op", false);
        ExecuteKept(m_release, "release op", false);
    }

    if (outermost) {
        if (m_inBatchTransaction) {
            ++m_batchOperations;
            if (m_batchOperations >= kBatchOperations ||
                CClock::Get().NowMs() - m_batchStartMs >= kBatchMilliseconds)
                CommitBatch(false);
        } else if (ok) {
            RunAfterCommit();
        } else {
            DropAfterCommit();
        }
    }
    return ok;
}

bool CCacheDb::ExecuteKept(CDbStatement& kept, const char* sql, bool report) {
    if (!m_db)
        return false;
    if (!kept.IsValid()) {
        sqlite3_stmt* prepared = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &prepared, nullptr) != SQLITE_OK) {
            sqlite3_finalize(prepared);
            return report ? ReportDbError(FromUtf8(sqlite3_errmsg(m_db))) : false;
        }
        kept.Adopt(prepared);
    }
    // Next resets the statement at the end of its (no) rows, so it never stays active.
    kept.Reset();
    if (kept.Next() != CDbStatement::Step::Error)
        return true;
    return report ? ReportDbError(FromUtf8(sqlite3_errmsg(m_db))) : false;
}

void CCacheDb::FinalizeKept() {
    m_savepoint.Finalize();
    m_release.Finalize();
    m_rollbackTo.Finalize();
}

void CCacheDb::BeginBatch() {
    if (m_batchDepth++ == 0)
        m_batchLost = false;
}

bool CCacheDb::EndBatch() {
    if (m_batchDepth <= 0 || --m_batchDepth > 0)
        return true;
    const bool committed = CommitBatch(true);
    const bool whole = committed && !m_batchLost;
    m_batchLost = false;
    return whole;
}

bool CCacheDb::CommitBatch(bool final) {
    if (!m_inBatchTransaction || !m_db)
        return true;
    if (ExecuteUtf8("commit")) {
        m_inBatchTransaction = false;
        RunAfterCommit();
        return true;
    }
    if (sqlite3_get_autocommit(m_db) || final) {
        // Lost, or nothing more to wait for: end the transaction so that later statements are
        // not held in it. The batch's owner learns of it when the batch ends.
        if (!sqlite3_get_autocommit(m_db))
            ExecuteUtf8("rollback", false);
        m_inBatchTransaction = false;
        m_batchLost = true;
        DropAfterCommit();
        return false;
    }
    // Try again after the next run of operations.
    m_batchOperations = 0;
    m_batchStartMs = CClock::Get().NowMs();
    return false;
}

CWriteBatch::CWriteBatch(CCacheDb& db) : m_db(db) {
    m_db.BeginBatch();
}

CWriteBatch::~CWriteBatch() {
    Commit();
}

bool CWriteBatch::Commit() {
    if (m_ended)
        return m_committed;
    m_ended = true;
    m_committed = m_db.EndBatch();
    return m_committed;
}
