#pragma once

#include "CPluginUi.h"

#include <qbex.h>

#include <QDateTime>
#include <QString>

// One export of the user's own logs as a field notes file: of the queued records, those with a
// log (note, found, not found) are written with the hunt's end time, or its start time when no end
// time is set. A log with neither time is left out, because the file's line needs a time; the
// summary says how many.
class CFieldNotesJob {
public:
    explicit CFieldNotesJob(const QBEX_INVOKE& invoke);
    ~CFieldNotesJob();
    CFieldNotesJob(const CFieldNotesJob&) = delete;
    CFieldNotesJob& operator=(const CFieldNotesJob&) = delete;

    int Run();
    int Export(const QString& path);

    // A record timestamp (100 ns units since 1601, UTC) as a date and time; invalid for 0.
    static QDateTime TimeOf(uint64_t timestamp);

private:
    const QBEX_INVOKE& m_invoke;
    CPluginUi m_ui;
    QBEX_RECORD m_record{};
};
