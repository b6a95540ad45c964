#pragma once

#include "CGeoRecord.h"
#include "CXmlStream.h"

#include <QString>

#include <functional>
#include <string>

class QIODevice;

// Reads one LOC file (the waypoint file the geocaching site offers per cache or per search) and
// hands each waypoint to the sink as soon as it is complete. The name text "Cache by Owner" is
// split into name and owner, the container number becomes its name. On a fault ErrorString
// names the file, the line and what is wrong.
class CLocReader : private IXmlHandler {
public:
    using Sink = std::function<bool(CGeoRecord&)>;

    bool Read(QIODevice& input, const QString& fileName, const Sink& sink);

    QString ErrorString() const { return m_error; }
    long ErrorLine() const { return m_errorLine; }
    bool Cancelled() const { return m_cancelled; }
    int Caches() const { return m_caches; }
    int Waypoints() const { return m_waypoints; }
    int DroppedCharacters() const { return m_dropped; }

private:
    void OnStart(EXmlNs ns, std::string_view local, const char** attrs) override;
    void OnEnd(EXmlNs ns, std::string_view local) override;
    void OnText(const char* text, int length) override;
    void EndWaypoint();

    CXmlStream m_stream;
    const Sink* m_sink = nullptr;
    std::string m_id, m_name, m_lat, m_lon, m_type, m_link, m_difficulty, m_terrain, m_container;
    std::string* m_capture = nullptr;
    int m_depth = 0;
    int m_wptDepth = 0;
    QString m_rootName;
    QString m_error;
    long m_errorLine = 0;
    bool m_cancelled = false;
    int m_caches = 0;
    int m_waypoints = 0;
    int m_dropped = 0;
};
