#pragma once

#include "CPluginUi.h"

#include <qbex.h>

#include <QStringList>

struct CMappedRecord;

// One import of GPX, LOC and zip files into the host's database: a CFileReadThread reads the
// files ahead while this object maps each waypoint to a plug-in record and hands it to the host's
// add_record on the invoking thread, with progress and a summary at the end. The host decides
// whether a record is added or merged into one with the same waypoint ID and says which; the
// summary counts both.
class CGpxImportJob {
public:
    explicit CGpxImportJob(const QBEX_INVOKE& invoke);
    ~CGpxImportJob();
    CGpxImportJob(const CGpxImportJob&) = delete;
    CGpxImportJob& operator=(const CGpxImportJob&) = delete;

    // Asks for the files (or takes them from the environment) and imports them. Returns the
    // number of records stored.
    int Run();

    // Imports the given files. Returns the number of records stored.
    int Import(const QStringList& files);

    // The text of the summary of the last import.
    QString Summary() const;

private:
    bool Store(const CMappedRecord& record);

    const QBEX_INVOKE& m_invoke;
    CPluginUi m_ui;
    QBEX_RECORD m_record{};
    QStringList m_errors;
    QStringList m_notices;
    int m_read = 0;
    int m_added = 0;
    int m_merged = 0;
    int m_failed = 0;
    int m_failedInRow = 0;
    bool m_cancelled = false;
    bool m_refused = false;
};
