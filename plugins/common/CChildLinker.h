#pragma once

#include "CGeoRecord.h"

#include <functional>
#include <optional>

// Passes waypoints on, holding back the last cache until the waypoints after it are known. The
// record page links a cache's additional waypoints by their IDs when these differ from the
// cache's "GC..." ID only in the first two characters; waypoints it cannot find that way (other
// prefixes, children a file ties to their cache with a parent element) are listed at the end of
// the cache's description under an "Additional Waypoints" heading, one "ID - name" line each,
// which the page turns into links. Only one cache is held at a time.
class CChildLinker {
public:
    using Sink = std::function<bool(CGeoRecord&)>;

    explicit CChildLinker(Sink sink) : m_sink(std::move(sink)) {}

    // Takes the next waypoint; false when the sink refused one.
    bool Add(CGeoRecord& record);
    // Passes on the cache held back; call at the end of each file.
    bool Flush();

    // True when the record page finds `child` among the related waypoints of `cache` by itself.
    static bool PageFindsByCode(const QString& cache, const QString& child);
    // True when `description` has a line the record page takes for the heading of such a list.
    static bool HasWaypointHeading(const QString& description);

private:
    bool Belongs(const CGeoRecord& child) const;

    Sink m_sink;
    std::optional<CGeoRecord> m_cache;
    QStringList m_lines;
    bool m_needList = false;
};
