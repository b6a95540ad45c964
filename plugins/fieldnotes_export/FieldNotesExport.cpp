// Field Notes Export: the user's logs of the records in view as a field notes file for upload to
// the geocaching site.
#define QBEX_PLUGIN
#include <qbex.h>

#include "CFieldNotesJob.h"

namespace {
const uint8_t kRoles[] = {QBEX_ROLE_EXPORT_RECORDS};
} // namespace

extern "C" {

const QBEX_INFO QBEX_Info = {QBEX_VERSION, u"Field Notes Export", 0, 0, int32_t(sizeof kRoles),
                             kRoles};

const QBEX_VERSIONINFO QBEX_VersionInfo = {"1, 0, 0, 0", ""};

int32_t QBEX_Invoke(QBEX_INVOKE* invoke) {
    if (!invoke || invoke->role != QBEX_ROLE_EXPORT_RECORDS || !invoke->get_record ||
        !invoke->reset_records) {
        return 0;
    }
    CFieldNotesJob job(*invoke);
    return job.Run();
}
}
