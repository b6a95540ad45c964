#pragma once

#include <QDateTime>
#include <QString>

class QIODevice;

// Writes a field notes file as GPS receivers keep it ("geocache_visits.txt") and the geocaching
// site takes it for upload: UTF-16LE with byte order mark, one visit per line ended by "\r\n":
//   GC12AB,2024-05-01T14:32Z,Found it,"notes"
// The time is UTC to the minute. Double quotes inside the notes become single quotes, which keeps
// the quoted field intact for every reader of the format.
class CFieldNotesWriter {
public:
    explicit CFieldNotesWriter(QIODevice& out) : m_out(out) {}

    bool Begin();
    // `logType`: 1 note, 2 found, 3 not found (the record's user log type).
    bool Write(const QString& code, const QDateTime& time, int logType, const QString& notes);

    QString ErrorString() const { return m_error; }

    // "Write note", "Found it", "Didn't find it"; empty for other types.
    static QString LogTypeText(int logType);

private:
    bool Put(const QString& text);

    QIODevice& m_out;
    QString m_error;
};
