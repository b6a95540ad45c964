/* Compiled as C with all warnings as errors: the plug-in header must be clean C. The offsets the
 * C compiler sees are handed to the C++ tests, which compare them with their own. */
#define QBEX_PLUGIN
#include "qbex.h"

#include "HeaderCheck.h"

#define OFF(type, field) offsetof(type, field)

const size_t qbex_c_info_layout[QBEX_C_INFO_FIELDS + 1] = {
    OFF(QBEX_INFO, version), OFF(QBEX_INFO, name),       OFF(QBEX_INFO, min_os_version),
    OFF(QBEX_INFO, flags),   OFF(QBEX_INFO, role_count), OFF(QBEX_INFO, roles),
    sizeof(QBEX_INFO)};

const size_t qbex_c_invoke_layout[QBEX_C_INVOKE_FIELDS + 1] = {
    OFF(QBEX_INVOKE, role),       OFF(QBEX_INVOKE, sorted_by_wpt), OFF(QBEX_INVOKE, record_count),
    OFF(QBEX_INVOKE, app_folder), OFF(QBEX_INVOKE, gps_averaging), OFF(QBEX_INVOKE, show_saved),
    OFF(QBEX_INVOKE, lat),        OFF(QBEX_INVOKE, lon),           OFF(QBEX_INVOKE, init_record),
    OFF(QBEX_INVOKE, add_record), OFF(QBEX_INVOKE, get_record),    OFF(QBEX_INVOKE, reset_records),
    sizeof(QBEX_INVOKE)};

const size_t qbex_c_record_layout[QBEX_C_RECORD_FIELDS + 1] = {
    OFF(QBEX_RECORD, version),  OFF(QBEX_RECORD, flags),     OFF(QBEX_RECORD, name),
    OFF(QBEX_RECORD, rtype),    OFF(QBEX_RECORD, wpt),       OFF(QBEX_RECORD, diff),
    OFF(QBEX_RECORD, terr),     OFF(QBEX_RECORD, owner),     OFF(QBEX_RECORD, cont),
    OFF(QBEX_RECORD, descr),    OFF(QBEX_RECORD, hints),     OFF(QBEX_RECORD, past_log),
    OFF(QBEX_RECORD, url),      OFF(QBEX_RECORD, img_urls),  OFF(QBEX_RECORD, lat),
    OFF(QBEX_RECORD, lon),      OFF(QBEX_RECORD, log_type),  OFF(QBEX_RECORD, log_start),
    OFF(QBEX_RECORD, log_end),  OFF(QBEX_RECORD, log_notes), OFF(QBEX_RECORD, bugs),
    OFF(QBEX_RECORD, custom1),  OFF(QBEX_RECORD, custom2),   OFF(QBEX_RECORD, custom3),
    OFF(QBEX_RECORD, find_rat), QBEX_RECORD_V3_SIZE};

const size_t qbex_c_record_sizes[3] = {QBEX_RECORD_SIZE(1), QBEX_RECORD_SIZE(2),
                                       QBEX_RECORD_SIZE(3)};
