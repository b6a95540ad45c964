// The commands on the set of databases: dbs, count, create.

#include "cli/CCliDatabase.h"
#include "cli/CCliParser.h"
#include "cli/CCliSession.h"
#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "db/CCacheDb.h"
#include "db/CCacheDbManager.h"

int RunDbsCommand(const QStringList& arguments) {
    CCliParser parser(QStringLiteral("dbs"), CommandSummary(QStringLiteral("dbs")),
                      QStringLiteral("One name a line, sorted."));
    if (const int parsed = parser.Parse(arguments, 0, 0); parsed != CCliParser::kRun)
        return parsed;

    CCliSession session(parser.AnswerYes());
    QStringList names;
    CCacheDbManager::Global().ListDbs(names);
    for (const QString& name : names)
        PrintOut(name + u'\n');
    return kExitOk;
}

int RunCountCommand(const QStringList& arguments) {
    CCliParser parser(QStringLiteral("count"), CommandSummary(QStringLiteral("count")));
    parser.AddDbOption();
    if (const int parsed = parser.Parse(arguments, 0, 0); parsed != CCliParser::kRun)
        return parsed;
    const QString dbName = parser.Required(QStringLiteral("db"));
    if (dbName.isEmpty())
        return kExitUsage;

    CCliSession session(parser.AnswerYes());
    CCliDatabase db;
    if (!db.Open(dbName))
        return kExitFailure;
    const int count = db->CountRecords();
    if (count < 0)
        return Fail(QStringLiteral("cannot count the records of \"%1\"").arg(db.Name()));
    PrintOut(QString::number(count) + u'\n');
    return kExitOk;
}

int RunCreateCommand(const QStringList& arguments) {
    CCliParser parser(QStringLiteral("create"), CommandSummary(QStringLiteral("create")),
                      QStringLiteral("The database gets the default categories. Its name loses "
                                     "every \"\\\", \"/\", \".\" and \"-\"."));
    parser.AddDbOption();
    if (const int parsed = parser.Parse(arguments, 0, 0); parsed != CCliParser::kRun)
        return parsed;
    const QString dbName = parser.Required(QStringLiteral("db"));
    if (dbName.isEmpty())
        return kExitUsage;
    if (CCacheDbManager::NormalizeName(dbName).isEmpty())
        return parser.UsageError(QStringLiteral("\"%1\" is no database name").arg(dbName));

    CCliSession session(parser.AnswerYes());
    CCacheDbManager& databases = CCacheDbManager::Global();
    if (databases.DbExists(dbName))
        return Fail(QStringLiteral("a database named \"%1\" exists already")
                        .arg(databases.ResolveName(dbName)));
    CCacheDb* db = databases.OpenDb(databases.ResolveName(dbName));
    if (!db)
        return Fail(QStringLiteral("cannot create the database \"%1\"").arg(dbName));
    PrintOut(db->GetName() + u'\n');
    databases.ReleaseDb(db);
    return kExitOk;
}
