#pragma once

#include "CGeoRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

class QIODevice;

// Writes waypoints as a GPX 1.0 file with the cache extension of the geocaching site (version
// 1.0.1), UTF-8, one record at a time. Caches carry name, owner, type, container, difficulty,
// terrain, description (plain text; image addresses as <img> tags of the short description),
// hints and past logs in plain text, and travel bugs; additional waypoints are written as
// "Waypoint|type" points. User data fields go into the GSAK extension, the find rate into
// Quarrybook's own namespace, so that nothing is lost when the file is read back.
class CGpxWriter {
public:
    explicit CGpxWriter(QIODevice& out) : m_out(out) {}

    bool Begin(const QDateTime& time = QDateTime::currentDateTimeUtc());
    // Records without coordinates cannot be GPX waypoints; they are refused (false, no output).
    bool Write(const CGeoRecord& record);
    bool End();

    QString ErrorString() const { return m_error; }

private:
    void Line(int indent, const char* text);
    void Element(int indent, const char* name, const QString& text, const char* attributes = "");
    void AppendEscaped(const QString& text, bool attribute);
    void WriteCache(const CGeoRecord& record);
    bool Flush(bool force);

    QIODevice& m_out;
    QByteArray m_buffer;
    QString m_scratch;
    QString m_error;
};
