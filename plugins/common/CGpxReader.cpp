#include "CGpxReader.h"

#include <QIODevice>

namespace {

bool IsBase(EXmlNs ns, EXmlNs rootNs) {
    return ns == EXmlNs::None || ns == EXmlNs::Gpx || ns == rootNs;
}

void Assign(std::string& field, const char* value) {
    if (value) {
        field.assign(value);
    } else {
        field.clear();
    }
}

} // namespace

bool CGpxReader::Read(QIODevice& input, const QString& fileName, const Sink& sink) {
    m_sink = &sink;
    const bool ok = m_stream.Parse(input, fileName, *this);
    m_dropped = m_stream.DroppedCharacters();
    m_sink = nullptr;
    if (!m_rootName.isEmpty()) {
        m_error =
            QStringLiteral("%1: not a GPX file (it starts with <%2>)").arg(fileName, m_rootName);
        m_errorLine = 0;
        return false;
    }
    if (!ok && !m_cancelled) {
        m_error = m_stream.ErrorString();
        m_errorLine = m_stream.ErrorLine();
    }
    return ok;
}

void CGpxReader::Capture(std::string& field) {
    if (!m_capture) {
        field.clear();
        m_capture = &field;
        m_captureDepth = m_depth;
    }
}

void CGpxReader::OnStart(EXmlNs ns, std::string_view local, const char** attrs) {
    ++m_depth;
    if (m_depth == 1) {
        m_rootNs = ns;
        if (local != "gpx") {
            m_rootName = QString::fromUtf8(local.data(), qsizetype(local.size()));
            m_stream.Stop();
        }
        return;
    }
    if (m_wptDepth == 0) {
        if (m_depth == 2 && local == "wpt" && IsBase(ns, m_rootNs)) {
            BeginWaypoint(attrs);
        }
        return;
    }
    StartInWaypoint(ns, local, attrs);
}

void CGpxReader::BeginWaypoint(const char** attrs) {
    m_wptDepth = m_depth;
    m_cacheDepth = m_logDepth = m_bugDepth = m_linkDepth = 0;
    Raw& r = m_raw;
    for (std::string* s :
         {&r.name,       &r.cmt,       &r.desc,      &r.url,      &r.urlname,   &r.sym,
          &r.type,       &r.gsName,    &r.placedBy,  &r.owner,    &r.gsType,    &r.container,
          &r.difficulty, &r.terrain,   &r.shortDesc, &r.longDesc, &r.shortHtml, &r.longHtml,
          &r.hints,      &r.available, &r.archived,  &r.user1,    &r.user2,     &r.user3,
          &r.parent,     &r.findRate}) {
        s->clear();
    }
    r.hasCache = false;
    r.hasLink = false;
    Assign(r.lat, XmlAttr(attrs, "lat"));
    Assign(r.lon, XmlAttr(attrs, "lon"));
    m_record = CGeoRecord();
}

void CGpxReader::StartInWaypoint(EXmlNs ns, std::string_view local, const char** attrs) {
    Raw& r = m_raw;
    switch (ns) {
    case EXmlNs::Groundspeak:
        if (m_cacheDepth == 0 && local == "cache") {
            m_cacheDepth = m_depth;
            r.hasCache = true;
            Assign(r.available, XmlAttr(attrs, "available"));
            Assign(r.archived, XmlAttr(attrs, "archived"));
        } else if (m_cacheDepth > 0) {
            StartInCache(local, attrs);
        }
        return;
    case EXmlNs::Gsak:
        if (local == "UserData") {
            Capture(r.user1);
        } else if (local == "User2") {
            Capture(r.user2);
        } else if (local == "User3") {
            Capture(r.user3);
        } else if (local == "Parent") {
            Capture(r.parent);
        }
        return;
    case EXmlNs::Quarrybook:
        if (local == "find_rate") {
            Capture(r.findRate);
        }
        return;
    default:
        break;
    }
    if (!IsBase(ns, m_rootNs)) {
        return;
    }
    if (m_depth == m_wptDepth + 1) {
        if (local == "name") {
            Capture(r.name);
        } else if (local == "cmt") {
            Capture(r.cmt);
        } else if (local == "desc") {
            Capture(r.desc);
        } else if (local == "url") {
            Capture(r.url);
        } else if (local == "urlname") {
            Capture(r.urlname);
        } else if (local == "sym") {
            Capture(r.sym);
        } else if (local == "type") {
            Capture(r.type);
        } else if (local == "link" && !r.hasLink) {
            // GPX 1.1: the first link is the cache page, its text the page title.
            r.hasLink = true;
            m_linkDepth = m_depth;
            if (r.url.empty()) {
                Assign(r.url, XmlAttr(attrs, "href"));
            }
        }
    } else if (m_linkDepth > 0 && m_depth == m_linkDepth + 1 && local == "text" &&
               r.urlname.empty()) {
        Capture(r.urlname);
    }
}

void CGpxReader::StartInCache(std::string_view local, const char** attrs) {
    Raw& r = m_raw;
    const int level = m_depth - m_cacheDepth;
    if (level == 1) {
        if (local == "name") {
            Capture(r.gsName);
        } else if (local == "placed_by") {
            Capture(r.placedBy);
        } else if (local == "owner") {
            Capture(r.owner);
        } else if (local == "type") {
            Capture(r.gsType);
        } else if (local == "container") {
            Capture(r.container);
        } else if (local == "difficulty") {
            Capture(r.difficulty);
        } else if (local == "terrain") {
            Capture(r.terrain);
        } else if (local == "short_description") {
            Assign(r.shortHtml, XmlAttr(attrs, "html"));
            Capture(r.shortDesc);
        } else if (local == "long_description") {
            Assign(r.longHtml, XmlAttr(attrs, "html"));
            Capture(r.longDesc);
        } else if (local == "encoded_hints") {
            Capture(r.hints);
        }
        return;
    }
    if (level == 2 && local == "log" && m_logDepth == 0) {
        m_logDepth = m_depth;
        for (std::string* s : {&r.logDate, &r.logType, &r.logFinder, &r.logText, &r.logEncoded}) {
            s->clear();
        }
    } else if (m_logDepth > 0 && m_depth == m_logDepth + 1) {
        if (local == "date") {
            Capture(r.logDate);
        } else if (local == "type") {
            Capture(r.logType);
        } else if (local == "finder") {
            Capture(r.logFinder);
        } else if (local == "text") {
            Assign(r.logEncoded, XmlAttr(attrs, "encoded"));
            Capture(r.logText);
        }
    } else if (level == 2 && local == "travelbug" && m_bugDepth == 0) {
        m_bugDepth = m_depth;
        r.bugName.clear();
        Assign(r.bugRef, XmlAttr(attrs, "ref"));
    } else if (m_bugDepth > 0 && m_depth == m_bugDepth + 1 && local == "name") {
        Capture(r.bugName);
    }
}

void CGpxReader::OnText(const char* text, int length) {
    if (m_capture) {
        AppendCapped(*m_capture, text, length);
    }
}

void CGpxReader::OnEnd(EXmlNs, std::string_view) {
    if (m_capture && m_depth == m_captureDepth) {
        m_capture = nullptr;
    }
    if (m_depth == m_logDepth) {
        EndLog();
        m_logDepth = 0;
    } else if (m_depth == m_bugDepth) {
        EndBug();
        m_bugDepth = 0;
    } else if (m_depth == m_linkDepth) {
        m_linkDepth = 0;
    } else if (m_depth == m_cacheDepth) {
        m_cacheDepth = 0;
    } else if (m_depth == m_wptDepth) {
        m_wptDepth = 0;
        EndWaypoint();
    }
    --m_depth;
}
