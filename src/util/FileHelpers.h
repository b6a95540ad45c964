#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

#include <memory>

// The small text files beside the program (option lists, log template, travel bug log).
// They are written as UTF-8; a file that is not valid UTF-8 is read as Windows-1252 so that files
// edited elsewhere still load. Writing never converts line ends in either mode; reading in text
// mode turns each "\r\n" into "\n" (a lone "\r" stays), binary mode keeps the bytes.

// Opens `path` in a standard stream mode: "r"/"rb" read, "w"/"wb" create or truncate and write,
// "a"/"ab" append ("rt", "wt", "at" are accepted as text mode). Returns null for any other mode
// or when the file cannot be opened.
std::unique_ptr<QFile> OpenTextFile(const QString& path, const QString& mode);

// Writes the text (UTF-8) to an open file; true when at least one byte was written.
bool WriteText(QFile* file, const QString& text);

// Reads the whole file into `out` (emptied first), in text mode unless `binary`; false when it
// cannot be opened. An empty file gives true and the empty text.
bool ReadTextFile(const QString& path, QString& out, bool binary);

// The names of every entry of a folder (files and folders alike, without "." and ".."), sorted by
// code unit. False, with an empty list, when the folder is missing or empty.
bool ListFolder(const QString& folder, QStringList& out);

// The version text of a program or library: its exported QBEX_VersionInfo turned into e.g. "1.2.3"
// or "1.2.3b"; "???" when the file has none or cannot be read.
QString GetFileVersionText(const QString& path);

// The version text of this program, by the same rules, from the build's version.
QString ProgramVersionText();
