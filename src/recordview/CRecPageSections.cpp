// The secondary pages (decoded hints, decoded log, image list, one image) and the related
// waypoints section of the main page.
#include "recordview/CRecPageGenerator.h"

#include "db/CCacheDb.h"
#include "db/CCacheRecord.h"
#include "util/TextHelpers.h"

namespace {

const QString kLineEnd = QStringLiteral("\r\n");
const QString kLinkSeparator = QStringLiteral(" - ");

// A line that starts the description's waypoint list: "Additional" followed later by "Waypoints",
// at most 39 characters including its line end.
bool IsHeadingLine(const QString& line) {
    if (line.size() > 39)
        return false;
    const qsizetype additional = line.indexOf(QLatin1String("Additional"));
    const qsizetype waypoints = line.indexOf(QLatin1String("Waypoints"));
    return additional >= 0 && waypoints > additional;
}

} // namespace

QString CRecPageGenerator::HintsPage() const {
    QString hints = m_record.hints;
    Rot13(hints);
    return QStringLiteral(
               "<p><br><a href=\"qbhv:main#hints\">Main</a> &gt; Decoded Hints<br><br>\n") +
           HtmlText(hints, false) + QStringLiteral("</p>\n");
}

QString CRecPageGenerator::LogPage(int n) const {
    QString html =
        QStringLiteral("<p><br><a href=\"qbhv:main#logs\">Main</a> &gt; Decoded Log<br>\n");
    // Only the generated links name a log, but a page name can come from anywhere: a log that does
    // not exist gets a notice instead.
    if (n >= 0 && n < LogCount())
        html += PastLog(n, true, false);
    else
        html += QStringLiteral("<br>This log does not exist.<br>\n");
    html += QStringLiteral("</p>");
    return html;
}

QString CRecPageGenerator::ImagesPage() const {
    QString html = QStringLiteral("<p><br><a href=\"qbhv:main#top\">Main</a> &gt; Images<br>\n");
    for (int i = 0; i < m_imageLinks.size(); ++i)
        html += QStringLiteral("<br><a href=\"qbhv:image%1\">").arg(i) +
                ImageDisplayName(m_imageLinks.at(i)) + QStringLiteral("</a>\n");
    html += QStringLiteral("</p>\n");
    return html;
}

QString CRecPageGenerator::ImagePage(int n) const {
    QString html = QStringLiteral(
        "<p><br><a href=\"qbhv:main#top\">Main</a> &gt; <a href=\"qbhv:images\">Images</a>");
    if (n < 0 || n >= m_imageLinks.size())
        return html + QStringLiteral("<br><br>\nThis image does not exist.</p>\n");
    const QString& link = m_imageLinks.at(n);
    return html + QStringLiteral(" &gt; ") + ImageDisplayName(link) +
           QStringLiteral("<br><br>\n<img src=\"") + link + QStringLiteral("\"></p>\n");
}

void CRecPageGenerator::PrepareRelatedSection() {
    m_related.clear();
    m_hasRelated = false;
    QString work = HtmlEscape(m_record.descr);

    // The description's lines up to a heading line stay as they are.
    QString heading;
    bool found = false;
    for (qsizetype end = work.indexOf(kLineEnd); end >= 0; end = work.indexOf(kLineEnd)) {
        const QString line = work.left(end + 2);
        work.remove(0, end + 2);
        if (IsHeadingLine(line)) {
            heading = line;
            found = true;
            break;
        }
        m_related += line;
    }

    if (!found) {
        // No list in the description: the related records of the database follow it.
        QString section;
        if (m_db && m_db->GetAdditionalWaypoints(m_record.wpt, section)) {
            m_related += work;
            if (!work.isEmpty())
                m_related += kLineEnd;
            m_related += section;
            m_hasRelated = true;
        } else {
            m_related.clear();
        }
        return;
    }

    m_hasRelated = true;
    m_related += QStringLiteral("<a name=\"auxwpt\"></a><b>") + heading + QStringLiteral("</b>");
    for (qsizetype end = work.indexOf(kLineEnd); end >= 0; end = work.indexOf(kLineEnd)) {
        QString line = work.left(end);
        work.remove(0, end + 2);
        line.remove(QLatin1String("&lt;"));
        line.remove(QLatin1String("&gt;"));
        AppendSectionLine(line);
        m_related += kLineEnd;
    }
    if (!work.isEmpty())
        AppendSectionLine(work);
}

void CRecPageGenerator::AppendSectionLine(const QString& line) {
    const qsizetype separator = line.indexOf(kLinkSeparator);
    if (separator > 0 && m_db) {
        const QString wpt = line.left(separator);
        if (m_db->FindRecordByWaypoint(wpt) != 0) {
            // A quote in a stored waypoint ID must not end the link's attribute.
            QString target = wpt;
            target.replace(QLatin1Char('"'), QLatin1String("&quot;"));
            m_related += QStringLiteral("<a href=\"qbhva:goto-") + target + QStringLiteral("\">") +
                         wpt + QStringLiteral("</a> - ") +
                         line.mid(separator + kLinkSeparator.size());
            return;
        }
    }
    m_related += line;
}
