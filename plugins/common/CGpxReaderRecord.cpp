// Building a CGeoRecord from the texts of one <wpt> element.
#include "CGpxReader.h"

#include "CHtmlToText.h"
#include "GeoText.h"

#include <QRegularExpression>

#include <cctype>
#include <optional>
#include <string_view>

using namespace qbgeo;

namespace {

QString Text(const std::string& utf8) {
    return CleanFieldText(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}

// `value` is `word` in any letter case, blanks around it allowed.
bool Is(const std::string& value, std::string_view word) {
    size_t begin = value.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos) {
        return false;
    }
    const size_t end = value.find_last_not_of(" \t\r\n") + 1;
    if (end - begin != word.size()) {
        return false;
    }
    for (size_t i = 0; i < word.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(value[begin + i])) != word[i]) {
            return false;
        }
    }
    return true;
}

bool IsTrue(const std::string& value) {
    return Is(value, "true") || Is(value, "1");
}

bool IsFalse(const std::string& value) {
    return Is(value, "false") || Is(value, "0");
}

bool LooksLikeHtml(const QString& text) {
    static const QRegularExpression tag(QStringLiteral("<\\s*/?\\s*[A-Za-z][A-Za-z0-9]*[^<>]*>"));
    return text.contains(u'<') && tag.match(text).hasMatch();
}

const QString& FirstOf(std::initializer_list<const QString*> candidates) {
    for (const QString* c : candidates) {
        if (!c->isEmpty()) {
            return *c;
        }
    }
    return **candidates.begin();
}

// The part after "Prefix|" when `type` starts with it (any letter case).
std::optional<QString> AfterPrefix(const QString& type, QStringView prefix) {
    if (type.startsWith(prefix, Qt::CaseInsensitive) && type.size() > prefix.size() &&
        type[prefix.size()] == u'|') {
        return type.mid(prefix.size() + 1).trimmed();
    }
    return std::nullopt;
}

} // namespace

QString CGpxReader::Description(const std::string& text, const std::string& htmlFlag,
                                QStringList& images) const {
    if (text.empty()) {
        return QString();
    }
    const QString raw = QString::fromUtf8(text.data(), qsizetype(text.size()));
    const bool html = IsTrue(htmlFlag) || (!IsFalse(htmlFlag) && LooksLikeHtml(raw));
    if (!html) {
        return CleanFieldText(raw);
    }
    CHtmlToText converter;
    const QString plain = CleanFieldText(converter.Convert(raw));
    for (const QString& image : converter.Images()) {
        if (!images.contains(image)) {
            images.append(image);
        }
    }
    return plain;
}

void CGpxReader::EndLog() {
    const Raw& r = m_raw;
    CGeoLog log;
    log.type = Text(r.logType);
    log.finder = Text(r.logFinder);
    log.date = Text(r.logDate);
    log.text = Text(r.logText);
    if (IsTrue(r.logEncoded)) {
        log.text = Rot13(log.text); // the finder had it encoded; keep the plain text
    }
    if (!log.type.isEmpty() || !log.finder.isEmpty() || !log.text.isEmpty()) {
        m_record.logs.push_back(std::move(log));
    }
}

void CGpxReader::EndBug() {
    CGeoBug bug;
    bug.ref = Text(m_raw.bugRef);
    bug.name = Text(m_raw.bugName);
    if (!bug.ref.isEmpty() || !bug.name.isEmpty()) {
        m_record.bugs.push_back(std::move(bug));
    }
}

void CGpxReader::EndWaypoint() {
    const Raw& r = m_raw;
    CGeoRecord& rec = m_record;
    rec.code = Text(r.name);
    rec.lat = ParseCoordinate(r.lat.c_str(), 90.0);
    rec.lon = ParseCoordinate(r.lon.c_str(), 180.0);
    rec.parent = Text(r.parent);
    const QString type = Text(r.type);
    const QString sym = Text(r.sym);
    const std::optional<QString> childType = AfterPrefix(type, u"Waypoint");
    if (childType || !rec.parent.isEmpty()) {
        rec.kind = EGeoKind::Child;
        const QString subType = childType.value_or(QString());
        rec.type = FirstOf({&subType, &sym});
    } else if (r.hasCache || type.startsWith(u"Geocache", Qt::CaseInsensitive)) {
        rec.kind = EGeoKind::Cache;
        const QString gsType = Text(r.gsType);
        const QString cacheType = AfterPrefix(type, u"Geocache").value_or(QString());
        static const QString geocache = QStringLiteral("Geocache");
        rec.type = FirstOf({&gsType, &cacheType, &geocache});
    } else {
        rec.kind = EGeoKind::Waypoint;
        rec.type = QStringLiteral("Waypoint");
    }
    if (rec.type.isEmpty()) {
        rec.type = QStringLiteral("Waypoint");
    }

    const QString gsName = Text(r.gsName);
    const QString urlname = Text(r.urlname);
    const QString desc = Text(r.desc);
    const QString cmt = Text(r.cmt);
    if (rec.kind == EGeoKind::Cache) {
        rec.name = FirstOf({&gsName, &urlname, &desc, &rec.code});
    } else {
        rec.name = FirstOf({&gsName, &desc, &cmt, &urlname, &rec.code});
    }

    const QString shortText = Description(r.shortDesc, r.shortHtml, rec.images);
    const QString longText = Description(r.longDesc, r.longHtml, rec.images);
    if (!shortText.isEmpty() && !longText.isEmpty()) {
        rec.description = shortText + QStringLiteral("\r\n\r\n") + longText;
    } else {
        rec.description = shortText.isEmpty() ? longText : shortText;
    }
    if (rec.description.isEmpty() && !cmt.isEmpty() && cmt != rec.name) {
        rec.description = cmt;
    }

    rec.container = Text(r.container);
    rec.difficulty = Text(r.difficulty);
    rec.terrain = Text(r.terrain);
    const QString owner = Text(r.owner);
    const QString placedBy = Text(r.placedBy);
    rec.owner = FirstOf({&owner, &placedBy});
    rec.hints = Text(r.hints);
    rec.url = Text(r.url);
    rec.disabled = IsFalse(r.available) || IsTrue(r.archived);
    rec.found = sym.compare(u"Geocache Found", Qt::CaseInsensitive) == 0;
    rec.user1 = Text(r.user1);
    rec.user2 = Text(r.user2);
    rec.user3 = Text(r.user3);
    rec.findRate = Text(r.findRate);
    // Owners often leave additional waypoints at 0,0 instead of giving no position.
    if (rec.kind == EGeoKind::Child && rec.lat == 0.0 && rec.lon == 0.0) {
        rec.lat = rec.lon = 200.0;
    }
    if (!rec.HasCoordinates()) {
        rec.lat = rec.lon = 200.0;
    }

    switch (rec.kind) {
    case EGeoKind::Cache:
        ++m_caches;
        break;
    case EGeoKind::Child:
        ++m_children;
        break;
    case EGeoKind::Waypoint:
        ++m_waypoints;
        break;
    }
    if (m_sink && !(*m_sink)(rec)) {
        m_cancelled = true;
        m_stream.Stop();
    }
}
