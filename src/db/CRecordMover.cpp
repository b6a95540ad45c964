#include "db/CRecordMover.h"

#include "db/CCacheDb.h"
#include "db/CCacheRecord.h"
#include "db/CWaypointBug.h"
#include "util/CVoiceNotes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

CRecordMover::CRecordMover(CCacheDb& source, CCacheDb& target, quint16 targetCid, bool showWait)
    : m_source(source), m_target(target), m_targetCid(targetCid), m_wait(showWait) {}

CRecordMover::~CRecordMover() {
    Finish();
}

bool CRecordMover::Move(quint32 id, quint16 currentCid) {
    if (m_finished)
        return false;
    if (!m_targetBatch) {
        if (!SameDatabase())
            m_targetCountBefore = m_target.CountRecords();
        m_targetBatch.emplace(m_target);
    }
    if (SameDatabase()) {
        if (currentCid == m_targetCid)
            return true;
        if (!m_source.SetRecordCategory(id, m_targetCid, true))
            return false;
        m_moved.push_back(id);
        return true;
    }
    Copy copy{id, 0, false};
    if (!CopyRecord(id, copy))
        return false;
    m_copies.push_back(copy);
    return true;
}

bool CRecordMover::CopyRecord(quint32 id, Copy& copy) {
    CCacheRecord record;
    if (!m_source.LoadRecord(id, record))
        return false;
    record.cid = m_targetCid;
    record.id = 0;
    if (!m_target.SaveRecord(record, true))
        return false;
    copy.targetId = record.id;
    if (CopyBugs(id, record.id) && CopyNote(id, record.id, copy.note))
        return true;
    // Take the half-made copy away again; the original stays untouched.
    m_target.DeleteRecord(record.id, true);
    return false;
}

bool CRecordMover::CopyBugs(quint32 sourceId, quint32 targetId) {
    std::vector<quint32> bugIds;
    if (!m_source.BeginBugScan(sourceId))
        return false;
    CWaypointBug bug;
    while (m_source.NextBug(bug))
        bugIds.push_back(bug.id);
    // Bugs that could not be read would be lost with the original.
    const bool complete = !m_source.ScanFailed();
    m_source.EndScan();
    if (!complete)
        return false;
    for (const quint32 bugId : bugIds) {
        if (!m_source.LoadBug(bugId, bug))
            return false;
        bug.id = 0;
        bug.wpt_id = targetId;
        if (!m_target.SaveBug(bug, true))
            return false;
    }
    return true;
}

bool CRecordMover::CopyNote(quint32 sourceId, quint32 targetId, bool& copied) {
    CVoiceNotes& notes = CVoiceNotes::Global();
    notes.SetRecord(m_source.GetName(), sourceId);
    const QString from = notes.NotePath();
    if (!QFileInfo(from).isFile())
        return true;
    notes.SetRecord(m_target.GetName(), targetId);
    const QString to = notes.NotePath();
    // A file under the new id belongs to no record: the id was only now given out.
    QFile::remove(to);
    copied = QFile::copy(from, to);
    return copied;
}

void CRecordMover::DiscardNote(quint32 targetId) {
    CVoiceNotes& notes = CVoiceNotes::Global();
    notes.SetRecord(m_target.GetName(), targetId);
    notes.DeleteNote();
}

bool CRecordMover::Finish() {
    if (m_finished)
        return true;
    m_finished = true;
    m_targetBatch.reset();
    if (SameDatabase() || m_copies.empty())
        return true;

    bool ok = true;
    // Only copies that are committed in the target let their originals go.
    if (m_target.CountRecords() - m_targetCountBefore != int(m_copies.size())) {
        std::vector<Copy> arrived;
        CCacheRecord probe;
        for (const Copy& copy : m_copies) {
            if (m_target.LoadRecord(copy.targetId, probe)) {
                arrived.push_back(copy);
            } else {
                ok = false;
                if (copy.note)
                    DiscardNote(copy.targetId);
            }
        }
        m_copies.swap(arrived);
    }

    const int sourceCountBefore = m_source.CountRecords();
    std::vector<quint32> deleted;
    {
        CWriteBatch batch(m_source);
        for (const Copy& copy : m_copies) {
            if (m_source.DeleteRecord(copy.sourceId, true))
                deleted.push_back(copy.sourceId);
            else
                ok = false;
        }
    }
    if (sourceCountBefore - m_source.CountRecords() != int(deleted.size())) {
        // Some deletions did not reach the file: those records are still in both databases.
        CCacheRecord probe;
        for (const quint32 id : deleted) {
            if (m_source.LoadRecord(id, probe))
                ok = false;
            else
                m_moved.push_back(id);
        }
    } else {
        m_moved = std::move(deleted);
    }
    return ok;
}
