// The show command: the HTML page of one record, as the record view builds it.

#include "cli/CCliDatabase.h"
#include "cli/CCliParser.h"
#include "cli/CCliSession.h"
#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "db/CCacheDb.h"
#include "db/CCacheRecord.h"
#include "list/CRecordList.h"
#include "plugins/CPluginMgr.h"
#include "recordview/CRecPageGenerator.h"
#include "util/CVoiceNotes.h"

namespace {

// The id of the record with that waypoint ID: the exact match first, then, as a record link
// finds it, the last record whose waypoint ID matches without regard to letter case. 0 for none.
quint32 FindRecord(CCacheDb& db, const QString& wpt) {
    if (const quint32 id = db.FindRecordByWaypoint(wpt); id != 0)
        return id;
    CRecordList list;
    list.SetDatabase(&db);
    list.LoadSummaries();
    for (int i = list.LoadedCount() - 1; i >= 0; --i) {
        const CRecordSummary* summary = list.LoadedAt(i);
        if (summary->wpt.compare(wpt, Qt::CaseInsensitive) == 0)
            return summary->id;
    }
    return 0;
}

} // namespace

int RunShowCommand(const QStringList& arguments) {
    CCliParser parser(QStringLiteral("show"), CommandSummary(QStringLiteral("show")),
                      QStringLiteral("Pages: main, hints, log<N>, images, image<N>, each "
                                     "optionally followed by #anchor."));
    parser.AddDbOption();
    parser.AddValueOption(QStringLiteral("page"), QStringLiteral("The page (default: main)."),
                          QStringLiteral("NAME"));
    parser.AddArgument(QStringLiteral("WAYPOINT"), QStringLiteral("The record's waypoint ID."),
                       QStringLiteral("WAYPOINT"));
    if (const int parsed = parser.Parse(arguments, 1, 1); parsed != CCliParser::kRun)
        return parsed;
    const QString dbName = parser.Required(QStringLiteral("db"));
    if (dbName.isEmpty())
        return kExitUsage;
    const QString wpt = parser.Arguments().first();
    const QString page = parser.IsSet(QStringLiteral("page")) ? parser.Value(QStringLiteral("page"))
                                                              : QStringLiteral("main");

    CCliSession session(parser.AnswerYes());
    CCliDatabase db;
    if (!db.Open(dbName))
        return kExitFailure;
    const quint32 id = FindRecord(*db.Get(), wpt);
    CCacheRecord record;
    if (id == 0 || !db->LoadRecord(id, record))
        return Fail(QStringLiteral("no record \"%1\" in the database \"%2\"").arg(wpt, db.Name()));

    // The page as the record view opens it: the plug-ins' links, the voice note, the related
    // waypoints.
    CRecPageGenerator generator(record, db.Get());
    QStringList hyperlinks;
    CPluginMgr::Global().GetHyperlinks(record, hyperlinks);
    generator.SetHyperlinks(hyperlinks);
    CVoiceNotes& voiceNotes = CVoiceNotes::Global();
    voiceNotes.SetRecord(db.Name(), record.id);
    generator.SetVoiceNoteQuery([&voiceNotes] { return voiceNotes.NoteExists(); });
    generator.PrepareRelatedSection();
    PrintOut(generator.PageHtml(page));
    return kExitOk;
}
