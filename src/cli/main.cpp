// quarrybook-cli: the program's databases, record list, record pages and plug-ins from the
// command line, for scripts and measurements. It works in the same home folder, with the same
// plug-ins and settings, as the program.

#include "cli/CliCommands.h"
#include "cli/CliOutput.h"

#include <QCoreApplication>

namespace {

QString OverviewText() {
    QString text = QStringLiteral("Usage: %1 COMMAND [options] [arguments]\n\n"
                                  "Quarrybook's databases, record list, record pages and "
                                  "plug-ins from the command line.\n\nCommands:\n")
                       .arg(kCliName);
    for (const CliCommand& command : CliCommands())
        text += QStringLiteral("  %1%2\n")
                    .arg(QLatin1String(command.name), -9)
                    .arg(QLatin1String(command.summary));
    text += QStringLiteral(
                "\n'%1 COMMAND --help' describes a command.\n"
                "The home folder is $QUARRYBOOK_HOME when set. Exit codes: 0 success, 1 failure, "
                "2 usage error.\n")
                .arg(kCliName);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quarrybook"));

    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty()) {
        PrintErr(OverviewText());
        return kExitUsage;
    }
    const QString& word = arguments.first();
    if (word == QLatin1String("--help") || word == QLatin1String("-h") ||
        word == QLatin1String("help")) {
        if (arguments.size() > 1) {
            for (const CliCommand& command : CliCommands()) {
                if (arguments.at(1) == QLatin1String(command.name))
                    return command.run({arguments.at(1), QStringLiteral("--help")});
            }
        }
        PrintOut(OverviewText());
        return kExitOk;
    }
    for (const CliCommand& command : CliCommands()) {
        if (word == QLatin1String(command.name))
            return command.run(arguments);
    }
    PrintErr(QStringLiteral("%1: unknown command \"%2\"\nTry '%1 --help'.\n").arg(kCliName, word));
    return kExitUsage;
}
