// The list command: the records in view, one line each, with the cells of the chosen columns.

#include "cli/CCliDatabase.h"
#include "cli/CCliListView.h"
#include "cli/CCliParser.h"
#include "cli/CCliSession.h"
#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "db/CCacheRecord.h"
#include "list/CListColumns.h"
#include "list/StatusWords.h"
#include "settings/CAppSettings.h"

#include <QStringList>

namespace {

// The letters of "--columns" (letter case ignored); empty when one is not "A" to "S".
QString ColumnLetters(const QString& text) {
    const QString letters = text.toUpper();
    if (letters.isEmpty() || CListColumns::ValidLetters(letters) != letters)
        return QString();
    return letters;
}

} // namespace

int RunListCommand(const QStringList& arguments) {
    CCliParser parser(
        QStringLiteral("list"), CommandSummary(QStringLiteral("list")),
        QStringLiteral(
            "A header line with the column titles, then one line per record in list order, the "
            "cells separated by tabs. Icon columns show the icon's meaning as a word: bug; "
            "note, found, not-found (the user's log); owned, found; bookmark; disabled.\n"
            "Without options the list is filtered, sorted and measured as the program stores "
            "it; the options change that for this run only.\n"
            "Columns: A Type, B Container, C Bug, D Notes, E Found, F Bookmark, G Name, H Wpt, "
            "I Diff, J Terr, K Distance, L Bearing, M Owner, N Hunt End, O Disabled, "
            "P Custom1, Q Custom2, R Custom3, S Find %."));
    parser.AddDbOption();
    parser.AddValueOption(QStringLiteral("category"),
                          QStringLiteral("The category to show (default: All)."),
                          QStringLiteral("NAME"));
    parser.AddValueOption(QStringLiteral("columns"),
                          QStringLiteral("The columns to print, as letters (default: the "
                                         "stored columns, CDEHG unless changed)."),
                          QStringLiteral("LETTERS"));
    parser.AddFlag(QStringLiteral("show-units"),
                   QStringLiteral("Append the unit to distances (stored choice: on unless "
                                  "changed)."));
    parser.AddFlag(QStringLiteral("no-units"), QStringLiteral("Print distances without unit."));
    CCliListView::AddOptions(parser);
    if (const int parsed = parser.Parse(arguments, 0, 0); parsed != CCliParser::kRun)
        return parsed;
    const QString dbName = parser.Required(QStringLiteral("db"));
    if (dbName.isEmpty())
        return kExitUsage;
    QString letters;
    if (parser.IsSet(QStringLiteral("columns"))) {
        letters = ColumnLetters(parser.Value(QStringLiteral("columns")));
        if (letters.isEmpty())
            return parser.UsageError(QStringLiteral("--columns takes letters A to S, not \"%1\"")
                                         .arg(parser.Value(QStringLiteral("columns"))));
    }

    QString error;
    if (CAppSettings scratch; !CCliListView::ApplyOptions(parser, scratch, error))
        return parser.UsageError(error);

    CCliSession session(parser.AnswerYes());
    CCliListView::ApplyOptions(parser, CAppSettings::Global(), error);
    if (parser.IsSet(QStringLiteral("show-units")))
        CAppSettings::Global().m_showDistUnits = 1;
    if (parser.IsSet(QStringLiteral("no-units")))
        CAppSettings::Global().m_showDistUnits = 0;
    if (letters.isEmpty())
        letters = CListColumns::ValidLetters(CListColumns::ReadColumns());

    CCliDatabase db;
    if (!db.Open(dbName))
        return kExitFailure;
    CCliListView view;
    const QString category = parser.IsSet(QStringLiteral("category"))
                                 ? parser.Value(QStringLiteral("category"))
                                 : kAllCategory;
    if (!view.Load(*db.Get(), category))
        return kExitFailure;

    QStringList cells;
    for (const QChar letter : letters)
        cells << CListColumns::HeaderTitle(CListColumns::KindOf(letter));
    QString out = cells.join(u'\t') + u'\n';
    CRecordList& list = view.List();
    for (CRecordSummary* summary : list.Visible()) {
        cells.clear();
        for (const QChar letter : letters) {
            const int kind = CListColumns::KindOf(letter);
            cells << CellForLine(CListColumns::IsIconKind(kind) ? StatusIconWord(*summary, kind)
                                                                : list.CellText(*summary, letter));
        }
        out += cells.join(u'\t');
        out += u'\n';
        if (out.size() > 1 << 16) {
            PrintOut(out);
            out.clear();
        }
    }
    PrintOut(out);
    return kExitOk;
}
