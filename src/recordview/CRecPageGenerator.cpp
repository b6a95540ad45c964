#include "recordview/CRecPageGenerator.h"

#include "db/CCacheRecord.h"
#include "recordview/CPageRecorder.h"
#include "recordview/CPageSink.h"
#include "util/Coordinates.h"
#include "util/TextHelpers.h"
#include "util/Timestamps.h"

#include <QLocale>

#include <climits>

namespace {

constexpr QChar kEntrySeparator = QChar(0x0001);

// A user log time in the user's locale's default date and time form.
QString LogTimeText(Timestamp ts) {
    return HtmlText(QLocale().toString(TimestampToLocal(ts), QLocale::ShortFormat), false);
}

} // namespace

CRecPageGenerator::CRecPageGenerator(const CCacheRecord& record, CCacheDb* db)
    : m_record(record), m_db(db) {
    BuildLists();
}

void CRecPageGenerator::BuildLists() {
    m_logPieces.clear();
    if (!m_record.past_log.isEmpty())
        SplitText(m_record.past_log, m_logPieces, kEntrySeparator, false);
    m_imageLinks.clear();
    if (!m_record.img_urls.isEmpty())
        SplitText(m_record.img_urls, m_imageLinks, kEntrySeparator, true);
}

QString CRecPageGenerator::ImageDisplayName(const QString& link) {
    const qsizetype slash = link.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? link : link.mid(slash + 1);
}

int CRecPageGenerator::ReadNumber(QStringView text) {
    qint64 value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        value = value * 10 + (c.unicode() - u'0');
        if (value > INT_MAX)
            return INT_MAX;
    }
    return int(value);
}

QString CRecPageGenerator::PageHtml(const QString& pageName) const {
    CPageRecorder recorder;
    ShowPage(pageName, recorder);
    return recorder.Html();
}

void CRecPageGenerator::ShowPage(const QString& pageName, CPageSink& sink) const {
    QString page = pageName;
    QString anchor;
    bool hasAnchor = false;
    const qsizetype hash = pageName.lastIndexOf(QLatin1Char('#'));
    if (hash > 0) {
        anchor = pageName.mid(hash + 1);
        page = pageName.left(hash);
        hasAnchor = true;
    }

    sink.Clear();
    sink.SetImageShrink(true);
    sink.AppendHtml(Header());

    if (page == QLatin1String("main")) {
        AppendMainPage(sink);
    } else if (page == QLatin1String("hints")) {
        sink.AppendHtml(HintsPage());
    } else if (page.startsWith(QLatin1String("log"))) {
        sink.AppendHtml(LogPage(ReadNumber(QStringView(page).mid(3))));
    } else if (page == QLatin1String("images")) {
        sink.AppendHtml(ImagesPage());
    } else if (page.startsWith(QLatin1String("image"))) {
        sink.SetImageShrink(false);
        sink.AppendHtml(ImagePage(ReadNumber(QStringView(page).mid(5))));
    }

    sink.EndOfSource();
    if (hasAnchor)
        sink.ScrollToAnchor(anchor);
}

QString CRecPageGenerator::Header() const {
    QString html = QStringLiteral("<p><a name=\"top\"></a><b>") + HtmlEscape(m_record.name);
    if (m_record.name != m_record.wpt)
        html += QStringLiteral(" (") + HtmlEscape(m_record.wpt) + QLatin1Char(')');
    html += QStringLiteral("</b></p>\n");
    return html;
}

void CRecPageGenerator::AppendMainPage(CPageSink& sink) const {
    sink.AppendHtml(MainFirstPiece());
    sink.AppendHtml(DescriptionPiece());
    if (!m_record.hints.isEmpty())
        sink.AppendHtml(HintsPiece());
    if (m_record.log_type >= 1 && m_record.log_type <= 3)
        sink.AppendHtml(UserLogSection());
    const int logs = LogCount();
    for (int n = 0; n < logs; ++n)
        sink.AppendHtml(PastLog(n, false, true));
    sink.AppendHtml(QStringLiteral("</p>\n"));
}

QString CRecPageGenerator::MainFirstPiece() const {
    const CCacheRecord& r = m_record;
    QString html = QStringLiteral("<p>") + HtmlEscape(r.rtype);
    if (!r.owner.isEmpty())
        html += QStringLiteral(" by ") + HtmlEscape(r.owner);
    html += QStringLiteral("<br>\n");

    html += MainLinkRows();
    html += QStringLiteral("<a href=\"qbhva:edit-record\">Edit Record</a> "
                           "<a href=\"qbhva:edit-log\">Edit Log</a><br><br>\n");

    if (HasCoordinates(r.lat, r.lon))
        html += QStringLiteral("<b>") + FormatCoordinates(r.lat, r.lon) +
                QStringLiteral(" (WGS84)</b><br>\n");

    if (!r.diff.isEmpty())
        html += QStringLiteral("Difficulty: ") + HtmlEscape(r.diff);
    if (!r.terr.isEmpty()) {
        if (!r.diff.isEmpty())
            html += QStringLiteral(" / ");
        html += QStringLiteral("Terrain: ") + HtmlEscape(r.terr);
    }
    if (!r.diff.isEmpty() || !r.terr.isEmpty())
        html += QStringLiteral("<br>\n");

    if (!r.cont.isEmpty())
        html += QStringLiteral("Container: ") + HtmlEscape(r.cont) + QStringLiteral("<br>\n");

    const QString* customs[] = {&r.custom1, &r.custom2, &r.custom3};
    for (int i = 0; i < 3; ++i) {
        if (!customs[i]->isEmpty())
            html += QStringLiteral("Custom %1: ").arg(i + 1) + HtmlEscape(*customs[i]) +
                    QStringLiteral("<br>\n");
    }
    return html;
}

QString CRecPageGenerator::MainLinkRows() const {
    const CCacheRecord& r = m_record;
    QString html;

    QString row;
    if (!r.hints.isEmpty())
        row += QStringLiteral("<a href=\"#hints\">Hints</a> ");
    if (!m_logPieces.isEmpty())
        row += QStringLiteral("<a href=\"#logs\">Past Logs</a> ");
    if (!m_imageLinks.isEmpty())
        row += QStringLiteral("<a href=\"qbhv:images\">Images</a> ");
    if (!r.url.isEmpty())
        row += QStringLiteral("<a href=\"qbhva:view-online\">View Online</a> ");
    if (!row.isEmpty())
        html += row + QStringLiteral("<br>");

    row.clear();
    if (m_hasRelated)
        row += QStringLiteral("<a href=\"#auxwpt\">More Waypoints</a> ");
    if (r.log_type != 0)
        row += QStringLiteral("<a href=\"#userlog\">User Log</a> ");
    for (int k = HyperlinkCount() - 1; k >= 0; --k) {
        QString caption = HtmlText(m_hyperlinks.at(2 * k), false);
        caption.replace(QLatin1Char(' '), QLatin1String("&nbsp;"));
        row += QStringLiteral("<a href=\"qbhva:plugin-%1\">").arg(k) + caption +
               QStringLiteral("</a> ");
    }
    if (!row.isEmpty())
        html += row + QStringLiteral("<br>");
    return html;
}

QString CRecPageGenerator::DescriptionPiece() const {
    if (m_record.descr.isEmpty() && !m_hasRelated)
        return QString();
    const QString body = m_hasRelated ? HtmlText(m_related, true) : HtmlText(m_record.descr, false);
    return QStringLiteral("<br>\n") + body + QStringLiteral("<br>\n");
}

QString CRecPageGenerator::HintsPiece() const {
    return QStringLiteral("<br><a name=\"hints\"></a><b>Hints</b> (<a href=\"#top\">top of "
                          "page</a>) (<a href=\"qbhv:hints\">decode</a>)<br>\n") +
           HtmlText(m_record.hints, false) + QStringLiteral("<br>\n");
}

QString CRecPageGenerator::UserLogSection() const {
    const CCacheRecord& r = m_record;
    QString html = QStringLiteral("<br>\r\n<a name=\"userlog\"></a><b>User Log - ");
    switch (r.log_type) {
    case 1:
        html += QStringLiteral("Note</b><br>\r\n");
        break;
    case 2:
        html += QStringLiteral("<font color=\"#009000\">Found</font></b><br>\r\n");
        break;
    default:
        html += QStringLiteral("<font color=\"#ff0000\">Not Found</font></b><br>\r\n");
        break;
    }
    if (r.log_start != 0)
        html += QStringLiteral("<font color=\"#000090\">Start: ") + LogTimeText(r.log_start) +
                QStringLiteral("</font><br>\r\n");
    if (r.log_end != 0)
        html += QStringLiteral("<font color=\"#000090\">End: ") + LogTimeText(r.log_end) +
                QStringLiteral("</font><br>\r\n");
    if (m_voiceNote && m_voiceNote())
        html += QStringLiteral("<font color=\"#ff0000\">Voice Notes Recorded</font><br>\r\n");
    if (!r.log_notes.isEmpty())
        html += HtmlText(r.log_notes, false);
    html += QStringLiteral("<br>\r\n");
    return html;
}

QString CRecPageGenerator::PastLog(int n, bool decoded, bool onMainPage) const {
    const QString& heading = m_logPieces.at(4 * n);
    const QString& subheading = m_logPieces.at(4 * n + 1);
    const QString& byline = m_logPieces.at(4 * n + 2);
    QString text = m_logPieces.at(4 * n + 3);

    QString html = QStringLiteral("<br>");
    if (onMainPage && n == 0)
        html += QStringLiteral("<a name=\"logs\"></a>");
    html += QStringLiteral("<b>") + heading + QStringLiteral(" - ") + HtmlEscape(subheading) +
            QStringLiteral("</b>");
    if (onMainPage)
        html += QStringLiteral(" (<a href=\"#top\">top of page</a>) (<a href=\"qbhv:log%1\">"
                               "decode</a>)")
                    .arg(n);
    html += QStringLiteral("<br>\n");
    if (!byline.isEmpty())
        html +=
            QStringLiteral("<font color=\"#000080\">") + byline + QStringLiteral("</font><br>\n");
    if (decoded)
        Rot13(text);
    html += HtmlText(text, false) + QStringLiteral("<br>\n");
    return html;
}
