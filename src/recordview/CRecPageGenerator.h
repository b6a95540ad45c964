#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <utility>

class CCacheDb;
class CCacheRecord;
class CPageSink;

// Builds the HTML pages of one record: "main", "hints", "log<N>", "images" and "image<N>", each
// optionally followed by "#" and an anchor to scroll to. Pages go to a CPageSink piece by piece;
// the record view window forwards them to its viewer, and without a viewer a CPageRecorder
// collects the same pieces.
//
// Links on the pages: "#anchor" scrolls, "qbhv:<page>" shows a page, "qbhva:view-online",
// "qbhva:goto-<waypoint ID>", "qbhva:edit-record", "qbhva:edit-log" and "qbhva:plugin-<N>" are
// actions of the window. Anchors: "top", "hints", "logs", "userlog", "auxwpt".
class CRecPageGenerator {
public:
    // Answers whether the record has a voice note; the window asks the recorder it bound to the
    // record: [] { return CVoiceNotes::Global().NoteExists(); }. Asked on each main page that
    // shows the user log, so a note recorded in the log editor shows after the refresh.
    using VoiceNoteQuery = std::function<bool()>;

    // The generator reads `record` as it is at each call, and `db` (may be null: then there are no
    // related records); both must outlive it. The log pieces and image links are built now.
    CRecPageGenerator(const CCacheRecord& record, CCacheDb* db);

    // Splits the record's past logs (U+0001, empty pieces kept) and image links (U+0001, empty
    // entries dropped) again.
    void BuildLists();

    // The hyperlink pairs of the plug-ins: caption at 2k, plug-in name at 2k + 1. An incomplete
    // last pair is ignored.
    void SetHyperlinks(const QStringList& pairs) { m_hyperlinks = pairs; }
    // Without a query the record has no voice note.
    void SetVoiceNoteQuery(VoiceNoteQuery query) { m_voiceNote = std::move(query); }

    // Builds the related waypoints section: the waypoint lines under an "Additional ... Waypoints"
    // heading line of the description, or else the database's records whose waypoint IDs differ
    // only in the first two characters (GC records). Call again after the record was edited.
    void PrepareRelatedSection();

    // Clears the sink and builds the page named (see above), then scrolls to the anchor if one was
    // given. Every call builds the whole page from the record as it is now.
    void ShowPage(const QString& pageName, CPageSink& sink) const;
    // The same page as one HTML text.
    QString PageHtml(const QString& pageName) const;

    const QStringList& LogPieces() const { return m_logPieces; }
    // Complete logs only: four pieces each.
    int LogCount() const { return int(m_logPieces.size() / 4); }
    const QStringList& ImageLinks() const { return m_imageLinks; }
    const QStringList& Hyperlinks() const { return m_hyperlinks; }
    int HyperlinkCount() const { return int(m_hyperlinks.size() / 2); }
    const QString& RelatedSection() const { return m_related; }
    bool HasRelatedSection() const { return m_hasRelated; }

    // The text after the last "/" of an image link, or the whole link.
    static QString ImageDisplayName(const QString& link);
    // The decimal number at the start of `text`, stopping at the first non-digit; 0 without
    // digits. Numbers too large for an int read as the largest int.
    static int ReadNumber(QStringView text);

private:
    QString Header() const;
    // The main page comes in pieces: first, description, hints, user log, each past log, close.
    void AppendMainPage(CPageSink& sink) const;
    QString MainFirstPiece() const;
    QString MainLinkRows() const;
    QString DescriptionPiece() const;
    QString HintsPiece() const;
    QString UserLogSection() const;
    QString PastLog(int n, bool decoded, bool onMainPage) const;

    QString HintsPage() const;
    QString LogPage(int n) const;
    QString ImagesPage() const;
    QString ImagePage(int n) const;

    // Appends one line of the description's waypoint list, linked when its waypoint ID is stored.
    void AppendSectionLine(const QString& line);

    const CCacheRecord& m_record;
    CCacheDb* m_db = nullptr;
    QStringList m_logPieces;
    QStringList m_imageLinks;
    QStringList m_hyperlinks;
    QString m_related;
    bool m_hasRelated = false;
    VoiceNoteQuery m_voiceNote;
};
