#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The commands of the tool. Each takes its arguments, the command word first, and returns the
// exit code (CliExit).
int RunDbsCommand(const QStringList& arguments);
int RunCountCommand(const QStringList& arguments);
int RunCreateCommand(const QStringList& arguments);
int RunListCommand(const QStringList& arguments);
int RunShowCommand(const QStringList& arguments);
int RunImportCommand(const QStringList& arguments);
int RunExportCommand(const QStringList& arguments);

struct CliCommand {
    const char* name;
    const char* summary;
    int (*run)(const QStringList& arguments);
};

// Every command, in the order the help lists them.
const std::vector<CliCommand>& CliCommands();
// The one-line summary of a command.
QString CommandSummary(const QString& name);
