// The voice notes of deleted records are removed once their deletion is committed, so that a
// deletion undone by a failure or a crash keeps its note.

#include "db/CCacheDb.h"

#include "util/CVoiceNotes.h"

void CCacheDb::RunAfterCommit() {
    if (m_deleteAllNotes) {
        CVoiceNotes::Global().DeleteAllNotes(m_name);
    } else {
        for (quint32 id : m_notesToDelete) {
            CVoiceNotes::Global().SetRecord(m_name, id);
            CVoiceNotes::Global().DeleteNote();
        }
    }
    DropAfterCommit();
}

void CCacheDb::DropAfterCommit() {
    m_notesToDelete.clear();
    m_deleteAllNotes = false;
}
