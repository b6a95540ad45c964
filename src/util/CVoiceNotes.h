#pragma once

#include <QString>
#include <QtGlobal>

// The voice-note recorder's files. Each record database has a voice folder "VoiceNotes/<name>" in
// the home folder; a record's note is "vn<record id>.snd" in it, raw 8 kHz 8-bit mono samples
// without a header, and "recording.snd" is the note being recorded.
//
// There is one recorder in the program, installed with SetGlobal and reached with Global(). It
// is bound to one record at a time (SetRecord); the note operations act on that record.
class CVoiceNotes {
public:
    // The recorder keeps its notes below the home folder as resolved at construction.
    CVoiceNotes();
    ~CVoiceNotes();
    CVoiceNotes(const CVoiceNotes&) = delete;
    CVoiceNotes& operator=(const CVoiceNotes&) = delete;

    // Binds the recorder to a record: creates "VoiceNotes" and the database's voice folder when
    // missing and sets the recording and note paths. `dbName` is the database's normalised name.
    void SetRecord(const QString& dbName, quint32 recordId);

    // True when the bound record has a note file that can be opened for reading.
    bool NoteExists() const;
    // Deletes the bound record's note file.
    void DeleteNote();
    // Deletes every file in the database's voice folder (the folder stays).
    void DeleteAllNotes(const QString& dbName);
    // Moves the voice folder of a database to its new name. An empty folder of the new name is
    // replaced; one holding files is not, and the notes then stay under the old name (a failure
    // is ignored).
    void RenameDbFolder(const QString& oldName, const QString& newName);
    // Deletes all notes of the database and then its voice folder, with the wait cursor.
    void DeleteDbFolder(const QString& dbName);

    // Writes the bound record's note as a WAV file (PCM, mono, 8,000 samples per second, 8 bits)
    // to `targetPath`, replacing any file there. False when the note cannot be read or the target
    // cannot be written in full; a partly written target is deleted.
    bool ExportAsWav(const QString& targetPath);

    // The home folder with a trailing "/", as the recorder was given it.
    const QString& ProgramFolder() const { return m_programFolder; }
    // The voice folder of a database (no trailing "/").
    QString DbFolder(const QString& dbName) const;
    // The bound record's note file and the file a recording is written to; empty before
    // SetRecord.
    const QString& NotePath() const { return m_notePath; }
    const QString& RecordingPath() const { return m_recordingPath; }

    // The program's recorder; asserts when none is installed.
    static CVoiceNotes& Global();
    // Installs the program's recorder (nullptr uninstalls). Ownership stays with the caller.
    static void SetGlobal(CVoiceNotes* notes);

private:
    QString m_programFolder;
    QString m_recordingPath;
    QString m_notePath;
};
