#include "CLocReader.h"

#include "GeoText.h"

#include <QIODevice>

using namespace qbgeo;

namespace {

QString Text(const std::string& utf8) {
    return CleanFieldText(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}

void Assign(std::string& field, const char* value) {
    if (value) {
        field.assign(value);
    } else {
        field.clear();
    }
}

// The container names behind the numbers of LOC files.
QString ContainerName(const QString& number) {
    static const char16_t* const names[] = {nullptr,    u"Not chosen", u"Micro",
                                            u"Regular", u"Large",      u"Virtual",
                                            u"Other",   nullptr,       u"Small"};
    bool ok = false;
    const int n = number.toInt(&ok);
    if (ok && n >= 0 && n < int(std::size(names)) && names[n]) {
        return QString::fromUtf16(names[n]);
    }
    return number;
}

} // namespace

bool CLocReader::Read(QIODevice& input, const QString& fileName, const Sink& sink) {
    m_sink = &sink;
    const bool ok = m_stream.Parse(input, fileName, *this);
    m_dropped = m_stream.DroppedCharacters();
    m_sink = nullptr;
    if (!m_rootName.isEmpty()) {
        m_error =
            QStringLiteral("%1: not a LOC file (it starts with <%2>)").arg(fileName, m_rootName);
        return false;
    }
    if (!ok && !m_cancelled) {
        m_error = m_stream.ErrorString();
        m_errorLine = m_stream.ErrorLine();
    }
    return ok;
}

void CLocReader::OnStart(EXmlNs, std::string_view local, const char** attrs) {
    ++m_depth;
    if (m_depth == 1) {
        if (local != "loc") {
            m_rootName = QString::fromUtf8(local.data(), qsizetype(local.size()));
            m_stream.Stop();
        }
        return;
    }
    if (m_wptDepth == 0) {
        if (m_depth == 2 && local == "waypoint") {
            m_wptDepth = m_depth;
            for (std::string* s : {&m_id, &m_name, &m_lat, &m_lon, &m_type, &m_link, &m_difficulty,
                                   &m_terrain, &m_container}) {
                s->clear();
            }
        }
        return;
    }
    if (m_depth != m_wptDepth + 1 || m_capture) {
        return;
    }
    if (local == "name") {
        Assign(m_id, XmlAttr(attrs, "id"));
        m_capture = &m_name;
    } else if (local == "coord") {
        Assign(m_lat, XmlAttr(attrs, "lat"));
        Assign(m_lon, XmlAttr(attrs, "lon"));
    } else if (local == "type") {
        m_capture = &m_type;
    } else if (local == "link") {
        m_capture = &m_link;
    } else if (local == "difficulty") {
        m_capture = &m_difficulty;
    } else if (local == "terrain") {
        m_capture = &m_terrain;
    } else if (local == "container") {
        m_capture = &m_container;
    }
}

void CLocReader::OnText(const char* text, int length) {
    if (m_capture) {
        AppendCapped(*m_capture, text, length);
    }
}

void CLocReader::OnEnd(EXmlNs, std::string_view) {
    if (m_capture && m_depth == m_wptDepth + 1) {
        m_capture = nullptr;
    }
    if (m_depth == m_wptDepth) {
        m_wptDepth = 0;
        EndWaypoint();
    }
    --m_depth;
}

void CLocReader::EndWaypoint() {
    CGeoRecord rec;
    const QString name = Text(m_name);
    rec.code = Text(m_id);
    rec.lat = ParseCoordinate(m_lat.c_str(), 90.0);
    rec.lon = ParseCoordinate(m_lon.c_str(), 180.0);
    if (!rec.HasCoordinates()) {
        rec.lat = rec.lon = 200.0;
    }
    const QString type = Text(m_type);
    rec.url = Text(m_link);
    rec.difficulty = Text(m_difficulty);
    rec.terrain = Text(m_terrain);
    rec.container = ContainerName(Text(m_container));
    if (type.compare(u"Geocache", Qt::CaseInsensitive) == 0) {
        rec.kind = EGeoKind::Cache;
        rec.type = QStringLiteral("Geocache");
        const qsizetype by = name.lastIndexOf(u" by ");
        rec.name = by > 0 ? name.left(by).trimmed() : name;
        rec.owner = by > 0 ? name.mid(by + 4).trimmed() : QString();
        ++m_caches;
    } else {
        rec.kind = EGeoKind::Waypoint;
        rec.type = QStringLiteral("Waypoint");
        rec.name = name;
        ++m_waypoints;
    }
    if (rec.code.isEmpty()) {
        rec.code = rec.name;
    }
    if (rec.name.isEmpty()) {
        rec.name = rec.code;
    }
    if (m_sink && !(*m_sink)(rec)) {
        m_cancelled = true;
        m_stream.Stop();
    }
}
