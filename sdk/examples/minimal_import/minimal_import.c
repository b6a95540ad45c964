/* Minimal Import: a Quarrybook plug-in that imports two fixed records.
 *
 * It shows the whole contract of an import plug-in: the QBEX_Info description with one role
 * byte, the version information, and a QBEX_Invoke that fills records through the host's
 * init_record and add_record callbacks and frees their strings afterwards. */
#define QBEX_PLUGIN
#include "qbex.h"

#include <string.h>

/* Role 7 (Import Records) needs no queued records, so its role byte carries
 * QBEX_ROLE_NO_RECORDS; without it the host would refuse to invoke the plug-in. */
static const uint8_t s_roles[] = {QBEX_ROLE_IMPORT_RECORDS | QBEX_ROLE_NO_RECORDS};

const QBEX_INFO QBEX_Info = {
    QBEX_VERSION,      /* version */
    u"Minimal Import", /* name */
    0,                 /* min_os_version: any kernel */
    0,                 /* flags: no QBEX_DepCheck */
    sizeof s_roles,    /* role_count */
    s_roles,           /* roles */
};

const QBEX_VERSIONINFO QBEX_VersionInfo = {"1, 0, 0, 0", ""};

struct sample {
    const char* wpt;
    const char* name;
    const char* type;
    const char* container;
    double lat, lon;
    const char* description;
};

static const struct sample s_samples[] = {
    {"QB0001", "Quarry Lookout", "Traditional Cache", "Small", 48.137154, 11.576124,
     "A short walk to the old quarry's edge."},
    {"QB0002", "Über den Steinbruch", "Multi-cache", "Regular", 48.140000, 11.580000,
     "Zwei Stationen am Steinbruch."},
};

/* Fills one record through the host and stores it; returns the host's answer. */
static int32_t add_sample(const QBEX_INVOKE* invoke, QBEX_RECORD* record, const struct sample* s) {
    invoke->init_record(record, 0); /* defaults: type "Waypoint", no coordinates, ... */
    if (!qbex_str_assign_utf8(&record->wpt, s->wpt, QBEX_ZERO_TERMINATED) ||
        !qbex_str_assign_utf8(&record->name, s->name, QBEX_ZERO_TERMINATED) ||
        !qbex_str_assign_utf8(&record->rtype, s->type, QBEX_ZERO_TERMINATED) ||
        !qbex_str_assign_utf8(&record->cont, s->container, QBEX_ZERO_TERMINATED) ||
        !qbex_str_assign_utf8(&record->diff, "1.5", QBEX_ZERO_TERMINATED) ||
        !qbex_str_assign_utf8(&record->terr, "2", QBEX_ZERO_TERMINATED) ||
        !qbex_str_assign_utf8(&record->descr, s->description, QBEX_ZERO_TERMINATED)) {
        return 0;
    }
    record->lat = s->lat;
    record->lon = s->lon;
    return invoke->add_record(record);
}

int32_t QBEX_Invoke(QBEX_INVOKE* invoke) {
    if (invoke->role != QBEX_ROLE_IMPORT_RECORDS) {
        return 0;
    }
    /* The plug-in owns the record: string fields start as NULL, and it frees them at the end. */
    QBEX_RECORD record;
    memset(&record, 0, sizeof record);
    record.version = 3;

    int32_t ok = 1;
    for (size_t i = 0; i < sizeof s_samples / sizeof s_samples[0] && ok; ++i) {
        ok = add_sample(invoke, &record, &s_samples[i]);
    }
    qbex_record_free_strings(&record);
    return ok;
}
