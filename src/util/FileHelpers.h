#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

#include <memory>

// The small text files beside the program (option lists, log template, travel bug log).
// They are written as UTF-8; a file that is not valid UTF-8 is read as Windows-1252 so that files
// edited elsewhere still load. Text and binary modes behave alike on Linux; the modes are kept.

// Opens `path` in a standard stream mode: "r"/"rb" read, "w"/"wb" create or truncate and write,
// "a"/"ab" append. Returns null when the file cannot be opened.
std::unique_ptr<QFile> OpenTextFile(const QString& path, const QString& mode);

// Writes the text (UTF-8) to an open file; true when at least one byte was written.
bool WriteText(QFile* file, const QString& text);

// Reads the whole file into `out` (emptied first); false when it cannot be opened.
bool ReadTextFile(const QString& path, QString& out, bool binary);

// The names of every entry of a folder (files and folders alike, without "." and ".."), sorted by
// code unit. False, with an empty list, when the folder is missing or empty.
bool ListFolder(const QString& folder, QStringList& out);

// The version text of a program or library: its exported QBEX_VersionInfo turned into e.g. "1.2.3"
// or "1.2.3b"; "???" when the file has none or cannot be read.
QString GetFileVersionText(const QString& path);

// The version text of this program, by the same rules, from the build's version.
QString ProgramVersionText();
