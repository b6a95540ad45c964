#include "cli/CliCommands.h"

const std::vector<CliCommand>& CliCommands() {
    static const std::vector<CliCommand> commands = {
        {"dbs", "List the record databases.", &RunDbsCommand},
        {"count", "Print the number of records of a database.", &RunCountCommand},
        {"create", "Create an empty record database.", &RunCreateCommand},
        {"list", "Print the records in view, as the record list shows them.", &RunListCommand},
        {"show", "Print the page of a record, as HTML.", &RunShowCommand},
        {"import", "Import records from files with an import plug-in.", &RunImportCommand},
        {"export", "Export the records in view to a file with an export plug-in.",
         &RunExportCommand},
    };
    return commands;
}

QString CommandSummary(const QString& name) {
    for (const CliCommand& command : CliCommands()) {
        if (name == QLatin1String(command.name))
            return QLatin1String(command.summary);
    }
    return QString();
}
