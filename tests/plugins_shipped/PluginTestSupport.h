#pragma once

#include "CFakeHost.h"
#include "CGeoRecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <vector>

// Collects what the plug-ins write to stderr while it lives.
class CStderrCapture {
public:
    CStderrCapture();
    ~CStderrCapture();
    QString Text();

private:
    int m_saved = -1;
    std::FILE* m_file = nullptr;
    bool m_restored = false;
    QByteArray m_text;
};

// Hands the plug-ins their files, as a program without windows does.
void SetFiles(const QStringList& files);

// The stored form of a record as the import makes it.
CHostRecord Stored(const CGeoRecord& geo);

void ExpectSameHostRecord(const CHostRecord& actual, const CHostRecord& expected);

// One line of comma-separated values, with "..." quoting and "" for a quote.
QStringList CsvFields(const QString& line);

const CHostRecord* FindWpt(const std::vector<CHostRecord>& records, const char* wpt);
