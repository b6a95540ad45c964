/* A small library for the version text tests. Built several times with different definitions:
 * with a version record (FIXTURE_FILE_VERSION, FIXTURE_SPECIAL_BUILD) or without any. */
#include "qbex.h"

#ifdef FIXTURE_FILE_VERSION
__attribute__((visibility("default")))
const QBEX_VERSIONINFO QBEX_VersionInfo = {FIXTURE_FILE_VERSION, FIXTURE_SPECIAL_BUILD};
#else
__attribute__((visibility("default"))) int QBEX_Unrelated = 1;
#endif
