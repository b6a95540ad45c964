// The import and export commands: an import plug-in (role 7) or an export plug-in (role 5) run
// through the plug-in manager, with the files handed over in QUARRYBOOK_FILES.

#include "cli/CCliDatabase.h"
#include "cli/CCliListView.h"
#include "cli/CCliParser.h"
#include "cli/CCliPluginDialogs.h"
#include "cli/CCliSession.h"
#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "db/CCacheDb.h"
#include "plugins/CPluginMgr.h"
#include "settings/CAppSettings.h"

#include <QFileInfo>

namespace {

const char* const kFilesVariable = "QUARRYBOOK_FILES";

// Runs a plug-in invocation with the files in QUARRYBOOK_FILES and the tool's dialogs; the
// variable and the dialogs are gone again afterwards.
qint32 InvokeWithFiles(int role, const QStringList& files, CCliPluginDialogs& dialogs) {
    const bool hadFiles = qEnvironmentVariableIsSet(kFilesVariable);
    const QByteArray previous = qgetenv(kFilesVariable);
    qputenv(kFilesVariable, files.join(u'\n').toLocal8Bit());
    CPluginMgr& plugins = CPluginMgr::Global();
    plugins.SetDialogs(&dialogs);
    const qint32 result = plugins.Invoke(role);
    plugins.SetDialogs(nullptr);
    if (hadFiles)
        qputenv(kFilesVariable, previous);
    else
        qunsetenv(kFilesVariable);
    return result;
}

// The routing category names of an import that the database lacks; such records are filed as
// "Unfiled".
QStringList MissingRoutingCategories(const CCacheDb& db) {
    const CAppSettings& s = CAppSettings::Global();
    QStringList missing;
    for (const QString& name :
         {s.m_impCateg, s.m_impCategOwned, s.m_impCategFound, s.m_impCategExtra}) {
        if (name != kUnfiledCategory && db.CategoryIdOf(name) == 0 && !missing.contains(name))
            missing << name;
    }
    return missing;
}

} // namespace

int RunImportCommand(const QStringList& arguments) {
    CCliParser parser(
        QStringLiteral("import"), CommandSummary(QStringLiteral("import")),
        QStringLiteral("Records whose waypoint ID is in the database already are merged into "
                       "it: the user's log and the found and bookmark marks are kept. New records "
                       "are filed into the import categories (the default category, and those "
                       "for owned, found and extra records) that the program stores."));
    parser.AddDbOption();
    parser.AddValueOption(QStringLiteral("plugin"),
                          QStringLiteral("The import plug-in (default: the one the program used "
                                         "last, or the only one)."),
                          QStringLiteral("NAME"));
    parser.AddFlag(QStringLiteral("no-merge"),
                   QStringLiteral("Add every record as a new record, even when its waypoint ID "
                                  "is in the database."));
    parser.AddFlag(QStringLiteral("override-category"),
                   QStringLiteral("File merged records into the import categories too."));
    parser.AddValueOption(QStringLiteral("category"),
                          QStringLiteral("The default category of imported records."),
                          QStringLiteral("NAME"));
    parser.AddArgument(QStringLiteral("FILE"), QStringLiteral("The files to import."),
                       QStringLiteral("FILE..."));
    if (const int parsed = parser.Parse(arguments, 1, -1); parsed != CCliParser::kRun)
        return parsed;
    const QString dbName = parser.Required(QStringLiteral("db"));
    if (dbName.isEmpty())
        return kExitUsage;

    QStringList files;
    for (const QString& file : parser.Arguments()) {
        const QFileInfo info(file);
        if (!info.isFile() || !info.isReadable())
            return Fail(QStringLiteral("cannot read the file \"%1\"").arg(file));
        files << info.absoluteFilePath();
    }

    CCliSession session(parser.AnswerYes());
    CCliDatabase db;
    if (!db.Open(dbName))
        return kExitFailure;
    const QString category = parser.Value(QStringLiteral("category"));
    if (!category.isEmpty() && category != kUnfiledCategory && db->CategoryIdOf(category) == 0)
        return Fail(
            QStringLiteral("the database \"%1\" has no category \"%2\"").arg(db.Name(), category));
    const QString plugin = CCliPluginDialogs::ChoosePlugin(
        kRoleImportRecords, parser.Value(QStringLiteral("plugin")), QStringLiteral("import"));
    if (plugin.isEmpty())
        return kExitFailure;

    CCliPluginDialogs dialogs;
    CCliPluginDialogs::ImportChoices choices;
    choices.plugin = plugin;
    choices.database = db.Name();
    choices.merge = !parser.IsSet(QStringLiteral("no-merge"));
    choices.overrideCategory = parser.IsSet(QStringLiteral("override-category"));
    choices.defaultCategory = category;
    dialogs.SetImportChoices(choices);

    const int before = db->CountRecords();
    CPluginMgr& plugins = CPluginMgr::Global();
    plugins.ResetQueue();
    const qint32 result = InvokeWithFiles(kRoleImportRecords, files, dialogs);
    plugins.TakeChanged();
    for (const QString& name : MissingRoutingCategories(*db.Get()))
        PrintErr(QStringLiteral("note: the database has no category \"%1\"; records routed "
                                "there were filed as \"Unfiled\"\n")
                     .arg(name));
    const int after = db->CountRecords();

    PrintOut(QStringLiteral("Imported %1 file(s) into \"%2\" with \"%3\": %4 records before, %5 "
                            "after (%6 new).\n")
                 .arg(files.size())
                 .arg(db.Name(), plugin)
                 .arg(before)
                 .arg(after)
                 .arg(after - before));
    if (result == 0)
        return Fail(QStringLiteral("the import plug-in \"%1\" reported a failure").arg(plugin));
    return kExitOk;
}

int RunExportCommand(const QStringList& arguments) {
    CCliParser parser(
        QStringLiteral("export"), CommandSummary(QStringLiteral("export")),
        QStringLiteral("The plug-in gets the records in view that have coordinates, in list "
                       "order, as the list's Export Records command hands them over. Without "
                       "options the view is the one the program stores; the options change it "
                       "for this run only."));
    parser.AddDbOption();
    parser.AddValueOption(QStringLiteral("plugin"),
                          QStringLiteral("The export plug-in (default: the one the program used "
                                         "last, or the only one)."),
                          QStringLiteral("NAME"));
    parser.AddValueOption(QStringLiteral("max"),
                          QStringLiteral("Hand over at most N records (default: no limit)."),
                          QStringLiteral("N"));
    parser.AddValueOption(QStringLiteral("category"),
                          QStringLiteral("The category in view (default: All)."),
                          QStringLiteral("NAME"));
    CCliListView::AddOptions(parser);
    parser.AddArgument(QStringLiteral("FILE"), QStringLiteral("The file to write."),
                       QStringLiteral("FILE"));
    if (const int parsed = parser.Parse(arguments, 1, 1); parsed != CCliParser::kRun)
        return parsed;
    const QString dbName = parser.Required(QStringLiteral("db"));
    if (dbName.isEmpty())
        return kExitUsage;
    const QString maxCount = parser.Value(QStringLiteral("max"));
    bool maxIsNumber = true;
    if (!maxCount.isEmpty())
        maxCount.toUInt(&maxIsNumber);
    if (!maxIsNumber || maxCount.startsWith(u'+'))
        return parser.UsageError(QStringLiteral("--max needs a count, not \"%1\"").arg(maxCount));
    QString error;
    if (CAppSettings scratch; !CCliListView::ApplyOptions(parser, scratch, error))
        return parser.UsageError(error);
    const QString file = QFileInfo(parser.Arguments().first()).absoluteFilePath();

    CCliSession session(parser.AnswerYes());
    CCliListView::ApplyOptions(parser, CAppSettings::Global(), error);
    CCliDatabase db;
    if (!db.Open(dbName))
        return kExitFailure;
    CCliListView view;
    const QString category = parser.IsSet(QStringLiteral("category"))
                                 ? parser.Value(QStringLiteral("category"))
                                 : kAllCategory;
    if (!view.Load(*db.Get(), category))
        return kExitFailure;
    const QString plugin = CCliPluginDialogs::ChoosePlugin(
        kRoleExportRecords, parser.Value(QStringLiteral("plugin")), QStringLiteral("export"));
    if (plugin.isEmpty())
        return kExitFailure;

    // The list's Export Records: every record in view with coordinates, in list order, and the
    // database and category the list shows.
    CPluginMgr& plugins = CPluginMgr::Global();
    plugins.ResetQueue();
    for (CRecordSummary* summary : view.List().Visible())
        plugins.QueueSummary(*summary);
    plugins.SetListCategory(view.List().CategoryId());
    CAppSettings::Global().m_database = db.Name();

    CCliPluginDialogs dialogs;
    dialogs.SetSelection(kRoleExportRecords, plugin, maxCount);
    const qint32 result = InvokeWithFiles(kRoleExportRecords, {file}, dialogs);
    plugins.TakeChanged();
    if (result == 0)
        return Fail(QStringLiteral("the export plug-in \"%1\" reported a failure").arg(plugin));
    PrintOut(QStringLiteral("Exported %1 of %2 records in view to \"%3\" with \"%4\".\n")
                 .arg(qsizetype(plugins.Queue().size()))
                 .arg(view.List().VisibleCount())
                 .arg(file, plugin));
    return kExitOk;
}
