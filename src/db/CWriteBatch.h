#pragma once

class CCacheDb;

// Groups the write operations of a loop (an import, a move, a purge) into few transactions.
// While a batch is open, operations run inside one transaction that is committed between two
// operations once 500 of them have accumulated or a second has passed since it began, and when
// the outermost batch ends; so a crash loses at most that much and never half a record. A failing
// operation is undone alone; what the operations before it did stays done. Nested batches join
// the outer one. The batch must end before its database is destroyed; closing the database commits
// it.
class CWriteBatch {
public:
    explicit CWriteBatch(CCacheDb& db);
    ~CWriteBatch();
    CWriteBatch(const CWriteBatch&) = delete;
    CWriteBatch& operator=(const CWriteBatch&) = delete;

private:
    CCacheDb& m_db;
};
