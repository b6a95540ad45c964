#pragma once

#include "CGeoRecord.h"
#include "CXmlStream.h"

#include <QString>

#include <functional>
#include <string>

class QIODevice;

// Reads one GPX stream (GPX 1.0 or 1.1, with or without the cache extension of the geocaching
// site in any of its versions, pocket queries, their "-wpts" companion files, exports of cache
// database programs) and hands each waypoint to the sink as soon as its element is complete, so
// memory stays flat whatever the file size. On a fault, the waypoints before it have been
// delivered and ErrorString names the file, the line and what is wrong.
class CGpxReader : private IXmlHandler {
public:
    // Receives each waypoint; returning false stops the reading (Cancelled).
    using Sink = std::function<bool(CGeoRecord&)>;

    bool Read(QIODevice& input, const QString& fileName, const Sink& sink);

    QString ErrorString() const { return m_error; }
    long ErrorLine() const { return m_errorLine; }
    bool Cancelled() const { return m_cancelled; }

    // What the file held: caches, additional waypoints of caches, plain waypoints.
    int Caches() const { return m_caches; }
    int Children() const { return m_children; }
    int Waypoints() const { return m_waypoints; }
    int DroppedCharacters() const { return m_dropped; }

private:
    // The texts of the waypoint being read, as UTF-8 from the parser; kept between waypoints so
    // that their buffers are reused.
    struct Raw {
        std::string lat, lon, name, cmt, desc, url, urlname, sym, type;
        std::string gsName, placedBy, owner, gsType, container, difficulty, terrain;
        std::string shortDesc, longDesc, shortHtml, longHtml, hints;
        std::string available, archived;
        std::string user1, user2, user3, parent, findRate;
        std::string logDate, logType, logFinder, logText, logEncoded;
        std::string bugRef, bugName;
        bool hasCache = false;
        bool hasLink = false;
    };

    void OnStart(EXmlNs ns, std::string_view local, const char** attrs) override;
    void OnEnd(EXmlNs ns, std::string_view local) override;
    void OnText(const char* text, int length) override;

    void StartInWaypoint(EXmlNs ns, std::string_view local, const char** attrs);
    void StartInCache(std::string_view local, const char** attrs);
    void Capture(std::string& field);
    void BeginWaypoint(const char** attrs);
    void EndLog();
    void EndBug();
    void EndWaypoint();
    QString Description(const std::string& text, const std::string& htmlFlag,
                        QStringList& images) const;

    CXmlStream m_stream;
    const Sink* m_sink = nullptr;
    Raw m_raw;
    CGeoRecord m_record;
    std::string* m_capture = nullptr;
    int m_captureDepth = 0;
    int m_depth = 0;
    int m_wptDepth = 0;
    int m_cacheDepth = 0;
    int m_logDepth = 0;
    int m_bugDepth = 0;
    int m_linkDepth = 0;
    EXmlNs m_rootNs = EXmlNs::None;
    QString m_rootName; // set when the root element is not <gpx>
    QString m_error;
    long m_errorLine = 0;
    bool m_cancelled = false;
    int m_caches = 0;
    int m_children = 0;
    int m_waypoints = 0;
    int m_dropped = 0;
};
