#pragma once

#include "db/CCacheDb.h"

// One write operation of a CCacheDb: its statements form one unit that is kept whole or undone
// whole. Begin() opens the unit; Finish(ok) keeps it (ok) or undoes it and returns the final
// result. A scope left without Finish undoes its unit.
class COperationScope {
public:
    explicit COperationScope(CCacheDb& db) : m_db(db) {}
    ~COperationScope() {
        if (m_begun)
            m_db.EndOperation(false);
    }
    COperationScope(const COperationScope&) = delete;
    COperationScope& operator=(const COperationScope&) = delete;

    bool Begin() {
        m_begun = m_db.BeginOperation();
        return m_begun;
    }

    bool Finish(bool ok) {
        if (!m_begun)
            return false;
        m_begun = false;
        return m_db.EndOperation(ok);
    }

private:
    CCacheDb& m_db;
    bool m_begun = false;
};
