// GPX Export: writes the records in view, or the record on display, to a GPX file with cache data.
#define QBEX_PLUGIN
#include <qbex.h>

#include "CGpxExportJob.h"

namespace {
const uint8_t kRoles[] = {QBEX_ROLE_EXPORT_RECORDS, QBEX_ROLE_EXPORT_RECORD};
} // namespace

extern "C" {

const QBEX_INFO QBEX_Info = {QBEX_VERSION, u"GPX Export", 0, 0, int32_t(sizeof kRoles), kRoles};

const QBEX_VERSIONINFO QBEX_VersionInfo = {"1, 0, 0, 0", ""};

int32_t QBEX_Invoke(QBEX_INVOKE* invoke) {
    if (!invoke ||
        (invoke->role != QBEX_ROLE_EXPORT_RECORDS && invoke->role != QBEX_ROLE_EXPORT_RECORD) ||
        !invoke->get_record || !invoke->reset_records) {
        return 0;
    }
    CGpxExportJob job(*invoke);
    return job.Run();
}
}
