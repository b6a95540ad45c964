#pragma once

#include "db/CWriteBatch.h"
#include "util/CUserInterface.h"

#include <QtGlobal>

#include <memory>
#include <optional>
#include <vector>

class CCacheDb;

// Moves records from one database to a category of another (or of the same) database, one call
// of Move per record, with the wait cursor shown once for the whole run and the writes of each
// database grouped in one write batch.
//
// Within one database a move only sets the record's category. Into another database a move
// copies the record (as a new record there), its travel bug rows and its voice note; Finish then
// commits the copies and only afterwards deletes the originals, so that no failure on the way
// loses a record: at worst it stays in both databases.
class CRecordMover {
public:
    // `showWait` false leaves the wait cursor to the caller.
    CRecordMover(CCacheDb& source, CCacheDb& target, quint16 targetCid, bool showWait = true);
    // Finishes a run that was not finished.
    ~CRecordMover();
    CRecordMover(const CRecordMover&) = delete;
    CRecordMover& operator=(const CRecordMover&) = delete;

    // Moves the record `id`, whose category is `currentCid`. False when a step failed; the record
    // then stays where it was, unchanged.
    bool Move(quint32 id, quint16 currentCid);
    // Completes the run: commits the copies, deletes the originals of those that arrived. False
    // when an original could not be deleted (it then stays in both databases) or a copy was lost.
    bool Finish();
    // After Finish: the records that left the source database (another target), or whose
    // category changed (the same database), in the order of their moves.
    const std::vector<quint32>& Moved() const { return m_moved; }

    // Whether the two databases are one and the same.
    bool SameDatabase() const { return &m_source == &m_target; }

private:
    struct Copy {
        quint32 sourceId;
        quint32 targetId;
        bool note; // a voice note was copied
    };

    bool CopyRecord(quint32 id, Copy& copy);
    bool CopyBugs(quint32 sourceId, quint32 targetId);
    bool CopyNote(quint32 sourceId, quint32 targetId, bool& copied);
    void DiscardNote(quint32 targetId);

    CCacheDb& m_source;
    CCacheDb& m_target;
    quint16 m_targetCid;
    CWaitCursor m_wait;
    std::optional<CWriteBatch> m_targetBatch;
    int m_targetCountBefore = 0;
    std::vector<Copy> m_copies;
    std::vector<quint32> m_moved;
    bool m_finished = false;
};
