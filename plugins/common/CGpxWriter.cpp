#include "CGpxWriter.h"

#include "CXmlStream.h"
#include "GeoText.h"

#include <QIODevice>
#include <QRegularExpression>

using namespace qbgeo;

namespace {

constexpr qsizetype kFlushSize = 256 * 1024;

const char* Indent(int level) {
    static const char spaces[] = "                    ";
    return spaces + sizeof spaces - 1 - 2 * std::min(level, 10);
}

// A log date for the file: dates written as "YYYY-MM-DD" get a time of noon UTC, which stays on
// the same calendar day wherever a reader shows it.
QString LogDate(const QString& date) {
    static const QRegularExpression isoDate(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    return isoDate.match(date).hasMatch() ? date + QStringLiteral("T12:00:00Z") : date;
}

} // namespace

void CGpxWriter::Line(int indent, const char* text) {
    m_buffer += Indent(indent);
    m_buffer += text;
    m_buffer += '\n';
}

void CGpxWriter::AppendEscaped(const QString& text, bool attribute) {
    m_scratch.clear();
    m_scratch.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case u'&':
            m_scratch += u"&amp;";
            break;
        case u'<':
            m_scratch += u"&lt;";
            break;
        case u'>':
            m_scratch += u"&gt;";
            break;
        case u'"':
            m_scratch += attribute ? QStringView(u"&quot;") : QStringView(u"\"");
            break;
        case u'\r':
            if (i + 1 < text.size() && text[i + 1] == u'\n') {
                break; // "\r\n" is written as "\n"
            }
            m_scratch += attribute ? QStringView(u"&#10;") : QStringView(u"\n");
            break;
        case u'\n':
            m_scratch += attribute ? QStringView(u"&#10;") : QStringView(u"\n");
            break;
        case u'\t':
            m_scratch += attribute ? QStringView(u"&#9;") : QStringView(u"\t");
            break;
        case 0xFFFE:
        case 0xFFFF:
            break;
        default:
            if (c.unicode() >= 0x20) {
                m_scratch += c; // other control characters have no place in XML 1.0
            }
        }
    }
    m_buffer += m_scratch.toUtf8();
}

void CGpxWriter::Element(int indent, const char* name, const QString& text,
                         const char* attributes) {
    m_buffer += Indent(indent);
    m_buffer += '<';
    m_buffer += name;
    m_buffer += attributes;
    m_buffer += '>';
    AppendEscaped(text, false);
    m_buffer += "</";
    m_buffer += name;
    m_buffer += ">\n";
}

bool CGpxWriter::Flush(bool force) {
    if (!m_error.isEmpty()) {
        return false;
    }
    if (m_buffer.size() < kFlushSize && !force) {
        return true;
    }
    if (m_out.write(m_buffer) != m_buffer.size()) {
        m_error = m_out.errorString();
        return false;
    }
    m_buffer.clear();
    return true;
}

bool CGpxWriter::Begin(const QDateTime& time) {
    m_buffer.reserve(kFlushSize + 64 * 1024);
    m_buffer += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                "<gpx xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" version=\"1.0\" "
                "creator=\"Quarrybook\" xsi:schemaLocation=\"http://www.topografix.com/GPX/1/0 "
                "http://www.topografix.com/GPX/1/0/gpx.xsd http://www.groundspeak.com/cache/1/0/1 "
                "http://www.groundspeak.com/cache/1/0/1/cache.xsd\" "
                "xmlns=\"http://www.topografix.com/GPX/1/0\" "
                "xmlns:groundspeak=\"http://www.groundspeak.com/cache/1/0/1\" "
                "xmlns:gsak=\"http://www.gsak.net/xmlv1/6\" xmlns:qb=\"";
    m_buffer += kQuarrybookNs;
    m_buffer += "\">\n";
    Element(1, "name", QStringLiteral("Quarrybook export"));
    Element(1, "desc", QStringLiteral("Geocaches exported by Quarrybook"));
    Element(1, "author", QStringLiteral("Quarrybook"));
    Element(1, "time", time.toUTC().toString(Qt::ISODate));
    return Flush(false);
}

bool CGpxWriter::Write(const CGeoRecord& r) {
    if (!r.HasCoordinates()) {
        return false;
    }
    const bool child = r.kind == EGeoKind::Child;
    m_buffer += Indent(1);
    m_buffer += "<wpt lat=\"";
    m_buffer += FormatCoordinate(r.lat).toLatin1();
    m_buffer += "\" lon=\"";
    m_buffer += FormatCoordinate(r.lon).toLatin1();
    m_buffer += "\">\n";
    Element(2, "name", r.code);
    // An additional waypoint keeps its note in <cmt>, where other programs look for it.
    const bool cacheData =
        !child || !r.owner.isEmpty() || !r.difficulty.isEmpty() || !r.terrain.isEmpty() ||
        !r.hints.isEmpty() || !r.logs.empty() || !r.bugs.empty() || !r.images.isEmpty() ||
        (!r.container.isEmpty() && r.container != u"Not chosen") || r.name.isEmpty() || r.disabled;
    if (child && !cacheData && !r.description.isEmpty()) {
        Element(2, "cmt", r.description);
    }
    Element(2, "desc", r.name);
    if (!r.url.isEmpty()) {
        Element(2, "url", r.url);
    }
    if (!r.name.isEmpty()) {
        Element(2, "urlname", r.name);
    }
    if (child) {
        Element(2, "sym", r.type);
        Element(2, "type", QStringLiteral("Waypoint|") + r.type);
    } else {
        Element(2, "sym", r.found ? QStringLiteral("Geocache Found") : QStringLiteral("Geocache"));
        Element(2, "type", QStringLiteral("Geocache|") + r.type);
    }
    if (cacheData) {
        WriteCache(r);
    }
    if (!r.user1.isEmpty() || !r.user2.isEmpty() || !r.user3.isEmpty()) {
        Line(2, "<gsak:wptExtension>");
        const char* names[] = {"gsak:UserData", "gsak:User2", "gsak:User3"};
        const QString* values[] = {&r.user1, &r.user2, &r.user3};
        for (int i = 0; i < 3; ++i) {
            if (!values[i]->isEmpty()) {
                Element(3, names[i], *values[i]);
            }
        }
        Line(2, "</gsak:wptExtension>");
    }
    if (!r.findRate.isEmpty()) {
        Element(2, "qb:find_rate", r.findRate);
    }
    Line(1, "</wpt>");
    return Flush(false);
}

void CGpxWriter::WriteCache(const CGeoRecord& r) {
    Line(2, r.disabled ? "<groundspeak:cache available=\"False\" archived=\"False\">"
                       : "<groundspeak:cache available=\"True\" archived=\"False\">");
    Element(3, "groundspeak:name", r.name);
    Element(3, "groundspeak:placed_by", r.owner);
    Element(3, "groundspeak:owner", r.owner);
    Element(3, "groundspeak:type", r.type);
    Element(3, "groundspeak:container", r.container);
    Element(3, "groundspeak:difficulty", r.difficulty);
    Element(3, "groundspeak:terrain", r.terrain);
    if (r.images.isEmpty()) {
        Element(3, "groundspeak:short_description", QString(), " html=\"False\"");
    } else {
        QString images;
        for (const QString& image : r.images) {
            images += QStringLiteral("<img src=\"") +
                      HtmlEscape(image).replace(u'"', QStringLiteral("&quot;")) +
                      QStringLiteral("\" />\n");
        }
        Element(3, "groundspeak:short_description", images, " html=\"True\"");
    }
    Element(3, "groundspeak:long_description", r.description, " html=\"False\"");
    Element(3, "groundspeak:encoded_hints", r.hints);
    if (!r.logs.empty()) {
        Line(3, "<groundspeak:logs>");
        for (const CGeoLog& log : r.logs) {
            Line(4, "<groundspeak:log>");
            Element(5, "groundspeak:date", LogDate(log.date));
            Element(5, "groundspeak:type", log.type);
            Element(5, "groundspeak:finder", log.finder);
            Element(5, "groundspeak:text", log.text, " encoded=\"False\"");
            Line(4, "</groundspeak:log>");
        }
        Line(3, "</groundspeak:logs>");
    }
    if (!r.bugs.empty()) {
        Line(3, "<groundspeak:travelbugs>");
        for (const CGeoBug& bug : r.bugs) {
            m_buffer += Indent(4);
            m_buffer += "<groundspeak:travelbug ref=\"";
            AppendEscaped(bug.ref, true);
            m_buffer += "\">\n";
            Element(5, "groundspeak:name", bug.name);
            Line(4, "</groundspeak:travelbug>");
        }
        Line(3, "</groundspeak:travelbugs>");
    }
    Line(2, "</groundspeak:cache>");
}

bool CGpxWriter::End() {
    m_buffer += "</gpx>\n";
    return Flush(true);
}
