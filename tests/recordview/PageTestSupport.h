#pragma once

#include "recordview/CPageRecorder.h"

#include <QString>
#include <QStringList>

#include <initializer_list>
#include <string>

class CRecPageGenerator;

// Joins entries with U+0001, as past logs and image links are stored.
QString Entries(std::initializer_list<const char*> entries);

// The pieces of one page: header first, then the body pieces.
QStringList PiecesOf(const CRecPageGenerator& generator, const QString& page);

// The calls of one page in short form: "clear", "shrink 1", "append", "end", "scroll <anchor>",
// separated by " | ".
QString CallsOf(const CRecPageGenerator& generator, const QString& page);

// A readable, exact text of recorded page calls for golden files: one marker line per call, piece
// text with "\r" and "\n" shown as escapes and a line break after each "\n".
QString DumpEvents(const CPageRecorder& recorder);

// Compares `actual` with the golden file of that name in the test data folder. With the
// environment variable QB_UPDATE_GOLDEN=1 the file is written instead (and the test notes it).
void ExpectGolden(const QString& fileName, const QString& actual);

// Pins the time zone to UTC and the locale to C while alive, so that log times read the same
// everywhere.
class CFixedTimeAndLocale {
public:
    CFixedTimeAndLocale();
    ~CFixedTimeAndLocale();

private:
    QByteArray m_oldTz;
    bool m_hadTz = false;
};

inline std::string Std(const QString& text) {
    return text.toStdString();
}
