#pragma once

#include "CGeoRecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>
#include <vector>

// Readable QString values in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// What reading one file gave.
struct CReadResult {
    std::vector<CGeoRecord> records;
    QStringList errors;
    QStringList notices;
    bool ok = false;
};

// Reads a file with CGeoFileReader, collecting every waypoint.
CReadResult ReadGeoFile(const QString& path);

// The path of a fixture in tests/data/gpx.
QString DataPath(const QString& name);
QByteArray DataBytes(const QString& name);

// Writes `bytes` to `path`.
void WriteBytes(const QString& path, const QByteArray& bytes);

// The record with waypoint ID `code`, or null.
const CGeoRecord* FindCode(const std::vector<CGeoRecord>& records, const QString& code);
