#include "cli/CCliParser.h"

#include "cli/CliOutput.h"

#include <QCoreApplication>

CCliParser::CCliParser(const QString& command, const QString& summary, const QString& details)
    : m_command(command) {
    m_parser.setApplicationDescription(
        details.isEmpty() ? summary : summary + QStringLiteral("\n\n") + details);
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.addOption(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                                          QStringLiteral("Show this help and exit.")));
    AddFlag(QStringLiteral("yes"),
            QStringLiteral("Answer Yes to the questions the program asks (default: No)."));
}

void CCliParser::AddValueOption(const QString& name, const QString& description,
                                const QString& valueName) {
    m_parser.addOption(QCommandLineOption(name, description, valueName));
}

void CCliParser::AddFlag(const QString& name, const QString& description) {
    m_parser.addOption(QCommandLineOption(name, description));
}

void CCliParser::AddDbOption() {
    AddValueOption(QStringLiteral("db"), QStringLiteral("The database to work on."),
                   QStringLiteral("NAME"));
}

QString CCliParser::Required(const QString& name) const {
    const QString value = m_parser.value(name);
    if (value.isEmpty())
        UsageError(QStringLiteral("the option --%1 is required").arg(name));
    return value;
}

void CCliParser::AddArgument(const QString& name, const QString& description,
                             const QString& syntax) {
    m_parser.addPositionalArgument(name, description, syntax);
}

int CCliParser::Parse(const QStringList& arguments, int minArguments, int maxArguments) {
    if (!m_parser.parse(arguments))
        return UsageError(m_parser.errorText());
    if (m_parser.isSet(QStringLiteral("help"))) {
        PrintOut(HelpText());
        return kExitOk;
    }
    const int count = int(m_parser.positionalArguments().size());
    if (count < minArguments)
        return UsageError(QStringLiteral("missing argument"));
    if (maxArguments >= 0 && count > maxArguments)
        return UsageError(QStringLiteral("unexpected argument \"%1\"")
                              .arg(m_parser.positionalArguments().at(maxArguments)));
    return kRun;
}

QString CCliParser::HelpText() const {
    // The usage line names the program as it was started; show the tool and the command instead.
    QString text = m_parser.helpText();
    const QStringList processArguments = QCoreApplication::arguments();
    const qsizetype lineEnd = text.indexOf(u'\n');
    if (!processArguments.isEmpty() && lineEnd > 0) {
        QString usage = text.left(lineEnd);
        usage.replace(processArguments.first(), kCliName + u' ' + m_command);
        text = usage + text.mid(lineEnd);
    }
    return text;
}

int CCliParser::UsageError(const QString& message) const {
    PrintErr(QStringLiteral("%1 %2: %3\nTry '%1 %2 --help'.\n").arg(kCliName, m_command, message));
    return kExitUsage;
}
