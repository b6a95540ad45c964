#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

// The command line of one command of the tool: its options and arguments, its help ("--help"),
// and the usage errors, all in one form for every command. Every command also takes "--yes",
// which answers Yes to the questions the program would ask.
class CCliParser {
public:
    // Parse's result when the command is to run; any other result is the exit code.
    static constexpr int kRun = -1;

    // `command`: the command word; `summary`: the first line of its help; `details`: more lines
    // (may be empty).
    CCliParser(const QString& command, const QString& summary, const QString& details = QString());

    void AddOption(const QCommandLineOption& option) { m_parser.addOption(option); }
    // An option that takes a value.
    void AddValueOption(const QString& name, const QString& description, const QString& valueName);
    void AddFlag(const QString& name, const QString& description);
    // "--db NAME", the database a command works on.
    void AddDbOption();
    // `syntax` shows in the usage line (e.g. "FILE..."); `name` and `description` in the list.
    void AddArgument(const QString& name, const QString& description, const QString& syntax);

    // Parses the command's arguments (the first is the command word). Prints the help and
    // returns kExitOk for "--help"; prints the fault and returns kExitUsage for an unknown option,
    // a missing option value, or fewer than `minArguments` or more than `maxArguments` (-1: no
    // limit) arguments; otherwise returns kRun.
    int Parse(const QStringList& arguments, int minArguments, int maxArguments);

    bool IsSet(const QString& name) const { return m_parser.isSet(name); }
    QString Value(const QString& name) const { return m_parser.value(name); }
    // The value of an option the command cannot do without; empty, after a usage error on
    // standard error (the command then returns kExitUsage), when it was not given.
    QString Required(const QString& name) const;
    QStringList Arguments() const { return m_parser.positionalArguments(); }
    bool AnswerYes() const { return m_parser.isSet(QStringLiteral("yes")); }
    const QString& Command() const { return m_command; }

    // The help text of the command.
    QString HelpText() const;
    // Prints "quarrybook-cli <command>: <message>" and where to find help; returns kExitUsage.
    int UsageError(const QString& message) const;

private:
    QString m_command;
    QCommandLineParser m_parser;
};
