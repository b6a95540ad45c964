#pragma once

class CCacheDb;

// Groups the write operations of a loop (an import, a move, a purge) into few transactions.
// While a batch is open, operations run inside one transaction that is committed between two
// operations once 500 of them have accumulated or a second has passed since it began, and when
// the outermost batch ends; so a crash loses at most that much and never half a record. A failing
// operation is undone alone; what the operations before it did stays done. Nested batches join
// the outer one. The batch must end before its database is destroyed; closing the database commits
// it.
//
// A commit that fails shows the database error and undoes what the batch did since its last
// commit, operations that had reported success among them. Commit ends the scope early and tells
// whether everything the batch's operations reported as done is kept; a caller that reports the
// outcome of its loop asks it instead of trusting the single results.
class CWriteBatch {
public:
    explicit CWriteBatch(CCacheDb& db);
    ~CWriteBatch();
    CWriteBatch(const CWriteBatch&) = delete;
    CWriteBatch& operator=(const CWriteBatch&) = delete;

    // Ends this scope (the outermost one commits) and returns whether nothing that succeeded was
    // lost; a nested scope answers true, its outer one decides. Later calls repeat the answer.
    bool Commit();

private:
    CCacheDb& m_db;
    bool m_ended = false;
    bool m_committed = true;
};
