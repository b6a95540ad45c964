#pragma once

#include <QString>

// The exit codes of the command-line tool.
enum CliExit : int {
    kExitOk = 0,      // the command did its work
    kExitFailure = 1, // it failed; a message on standard error says why
    kExitUsage = 2,   // the command line was wrong
};

// The tool's name in its messages and help.
inline const QString kCliName = QStringLiteral("quarrybook-cli");

// Writes text, as UTF-8, to standard output or standard error.
void PrintOut(const QString& text);
void PrintErr(const QString& text);

// Writes "quarrybook-cli: <message>" and a line end to standard error; returns kExitFailure.
int Fail(const QString& message);

// A text as one cell of a tab-separated line: tabs and line breaks become blanks.
QString CellForLine(QString text);
