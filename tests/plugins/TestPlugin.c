/* A plug-in for the tests, built in many variants from compile definitions:
 *   QBT_NAME        display name (plain string literal), required
 *   QBT_CAPTION     link caption placed after the name's terminating zero
 *   QBT_ROLES       the role bytes, comma-separated, required
 *   QBT_ROLE_COUNT  role_count (default: the number of role bytes)
 *   QBT_VERSION     QBEX_INFO.version (default 3)
 *   QBT_FLAGS       QBEX_INFO.flags (default 0)
 *   QBT_MIN_OS      QBEX_INFO.min_os_version (default 0)
 *   QBT_DEPCHECK    exports QBEX_DepCheck returning this value
 *   QBT_HYPERLINK   exports QBEX_ShowHyperlink: shows the link for a version 3 record whose
 *                   custom3 is not empty
 *   QBT_FILE_VERSION  exports QBEX_VersionInfo with this file version
 *   QBT_NO_INFO     exports no QBEX_Info
 *   QBT_NO_INVOKE   exports no QBEX_Invoke
 *
 * QBEX_Invoke hands the block to the test: the environment variable QB_TEST_INVOKE_HOOK holds the
 * address (hexadecimal) of a function int32_t hook(const char* pluginName, QBEX_INVOKE*). */
#define QBEX_PLUGIN
#include "qbex.h"

#include <stdint.h>
#include <stdlib.h>

#ifndef QBT_VERSION
#define QBT_VERSION 3
#endif
#ifndef QBT_FLAGS
#define QBT_FLAGS 0
#endif
#ifndef QBT_MIN_OS
#define QBT_MIN_OS 0
#endif

#ifndef QBT_NO_INFO
static const uint8_t s_roles[] = {QBT_ROLES};
#endif

#ifndef QBT_ROLE_COUNT
#define QBT_ROLE_COUNT ((int32_t)sizeof s_roles)
#endif

#ifndef QBT_NO_INFO
const QBEX_INFO QBEX_Info = {
    QBT_VERSION,
#ifdef QBT_CAPTION
    u"" QBT_NAME "\0" QBT_CAPTION,
#else
    u"" QBT_NAME,
#endif
    QBT_MIN_OS,
    QBT_FLAGS,
    QBT_ROLE_COUNT,
    s_roles,
};
#endif

#ifdef QBT_FILE_VERSION
const QBEX_VERSIONINFO QBEX_VersionInfo = {QBT_FILE_VERSION, ""};
#endif

#ifdef QBT_DEPCHECK
int32_t QBEX_DepCheck(void) {
    return QBT_DEPCHECK;
}
#endif

#ifdef QBT_HYPERLINK
int32_t QBEX_ShowHyperlink(const QBEX_RECORD* record) {
    return record->version == 3 && qbex_str_length(record->custom3) > 0;
}
#endif

#ifndef QBT_NO_INVOKE
typedef int32_t (*test_hook_fn)(const char* plugin, QBEX_INVOKE* invoke);

int32_t QBEX_Invoke(QBEX_INVOKE* invoke) {
    const char* hook = getenv("QB_TEST_INVOKE_HOOK");
    if (!hook)
        return 0;
    test_hook_fn fn = (test_hook_fn)(uintptr_t)strtoull(hook, NULL, 16);
    return fn ? fn(QBT_NAME, invoke) : 0;
}
#endif
