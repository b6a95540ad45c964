#pragma once

#include "CGeoRecord.h"

#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;

// Reads the waypoints of one file the user picked: a GPX file, a LOC file, or a zip archive of
// them (a pocket query's zip holds the caches and their "-wpts" file; the caches are read first).
// The kind of a file is told by its content, not by its name. Faults of one file or member are
// collected with file and line, and reading goes on with the next member.
class CGeoFileReader {
public:
    using Sink = std::function<bool(CGeoRecord&)>;
    // Bytes of the file read so far and the file's size; returning false stops the reading.
    using Progress = std::function<bool(quint64 done, quint64 total)>;

    // False when a fault stopped a file or member (Errors) or the reading was stopped
    // (Cancelled). Waypoints delivered before a fault stay delivered.
    bool Read(const QString& path, const Sink& sink, const Progress& progress = {});

    // Faults ("file, line N: what") and notices for the user ("no cache data ...").
    const QStringList& Errors() const { return m_errors; }
    const QStringList& Notices() const { return m_notices; }
    bool Cancelled() const { return m_cancelled; }

    int Caches() const { return m_caches; }
    int Children() const { return m_children; }
    int Waypoints() const { return m_waypoints; }

private:
    enum class EFormat { Gpx, Loc };

    bool ReadStream(QIODevice& input, EFormat format, const QString& displayName,
                    const std::function<quint64()>& position, quint64 total);
    bool ReadZip(const QString& path, const QString& displayName, quint64 total);

    const Sink* m_sink = nullptr;
    const Progress* m_progress = nullptr;
    QStringList m_errors;
    QStringList m_notices;
    bool m_cancelled = false;
    int m_caches = 0;
    int m_children = 0;
    int m_waypoints = 0;
};
