#pragma once

#include "CPluginUi.h"

#include <qbex.h>

#include <QString>

// One export of the queued records to a GPX file: asks for the file (or takes it from the
// environment), fetches each record with get_record and writes it with CGpxWriter. The file is
// written under a temporary name and put in place only when complete, so a cancelled or failed
// export leaves an existing file untouched.
class CGpxExportJob {
public:
    explicit CGpxExportJob(const QBEX_INVOKE& invoke);
    ~CGpxExportJob();
    CGpxExportJob(const CGpxExportJob&) = delete;
    CGpxExportJob& operator=(const CGpxExportJob&) = delete;

    // Returns the number of records written; 0 when nothing was written.
    int Run();
    int Export(const QString& path);

private:
    QString DefaultName();

    const QBEX_INVOKE& m_invoke;
    CPluginUi m_ui;
    QBEX_RECORD m_record{};
};
