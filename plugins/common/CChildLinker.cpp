#include "CChildLinker.h"

#include "GeoText.h"

using namespace qbgeo;

bool CChildLinker::PageFindsByCode(const QString& cache, const QString& child) {
    return cache.startsWith(u"gc", Qt::CaseInsensitive) && child.size() == cache.size() &&
           child != cache &&
           QStringView(child).mid(2).compare(QStringView(cache).mid(2), Qt::CaseInsensitive) == 0;
}

bool CChildLinker::HasWaypointHeading(const QString& description) {
    const QString text = HtmlEscape(description);
    qsizetype start = 0;
    qsizetype end;
    while ((end = text.indexOf(u"\r\n", start)) >= 0) {
        const QStringView line = QStringView(text).mid(start, end + 2 - start);
        const qsizetype additional = line.indexOf(u"Additional");
        if (additional >= 0 && line.indexOf(u"Waypoints") > additional && line.size() <= 39) {
            return true;
        }
        start = end + 2;
    }
    return false;
}

bool CChildLinker::Belongs(const CGeoRecord& child) const {
    if (!m_cache) {
        return false;
    }
    const QString& code = m_cache->code;
    if (!child.parent.isEmpty()) {
        return child.parent.compare(code, Qt::CaseInsensitive) == 0;
    }
    return code.size() > 2 && child.code.size() == code.size() &&
           QStringView(child.code).mid(2).compare(QStringView(code).mid(2), Qt::CaseInsensitive) ==
               0;
}

bool CChildLinker::Add(CGeoRecord& record) {
    if (record.kind == EGeoKind::Child && Belongs(record)) {
        QString name = record.name;
        name.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        // The page puts the ID of a line into a link address as it stands: an ID with quotes
        // (no real one has them) is listed without them, as plain text.
        QString code = record.code;
        code.remove(u'"').remove(u'\'');
        m_lines << code + QStringLiteral(" - ") + name;
        m_needList = m_needList || !PageFindsByCode(m_cache->code, record.code);
        return m_sink(record);
    }
    const bool ok = Flush();
    if (record.kind == EGeoKind::Cache) {
        m_cache = std::move(record);
        return ok;
    }
    return m_sink(record) && ok;
}

bool CChildLinker::Flush() {
    if (!m_cache) {
        return true;
    }
    if (m_needList) {
        QString& description = m_cache->description;
        if (HasWaypointHeading(description)) {
            description += QStringLiteral("\r\n") + m_lines.join(QStringLiteral("\r\n"));
        } else {
            if (!description.isEmpty()) {
                description += QStringLiteral("\r\n\r\n");
            }
            description +=
                QStringLiteral("Additional Waypoints\r\n") + m_lines.join(QStringLiteral("\r\n"));
        }
    }
    CGeoRecord cache = std::move(*m_cache);
    m_cache.reset();
    m_lines.clear();
    m_needList = false;
    return m_sink(cache);
}
