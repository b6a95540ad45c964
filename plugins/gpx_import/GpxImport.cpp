// GPX Import: reads geocache files (GPX with cache data, pocket query zips, LOC files) into the
// current database.
#define QBEX_PLUGIN
#include <qbex.h>

#include "CGpxImportJob.h"

namespace {
// Import Records, invoked without queued records.
const uint8_t kRoles[] = {QBEX_ROLE_IMPORT_RECORDS | QBEX_ROLE_NO_RECORDS};
} // namespace

extern "C" {

const QBEX_INFO QBEX_Info = {QBEX_VERSION, u"GPX Import", 0, 0, int32_t(sizeof kRoles), kRoles};

const QBEX_VERSIONINFO QBEX_VersionInfo = {"1, 0, 0, 0", ""};

int32_t QBEX_Invoke(QBEX_INVOKE* invoke) {
    if (!invoke || invoke->role != QBEX_ROLE_IMPORT_RECORDS || !invoke->init_record ||
        !invoke->add_record) {
        return 0;
    }
    CGpxImportJob job(*invoke);
    return job.Run();
}
}
