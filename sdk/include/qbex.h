/* Quarrybook plug-in interface (plain C).
 *
 * A plug-in is a shared library (.so) placed in the folder "Plugins" of the Quarrybook home
 * folder. Quarrybook loads it with dlopen(), looks its exports up by name with dlsym() and
 * unloads it again right after each use, so a plug-in keeps no state in memory between calls.
 *
 * Exports (see the QBEX_*_SYMBOL names below):
 *   QBEX_Info           data     QBEX_INFO            required: who the plug-in is, its roles
 *   QBEX_Invoke         function qbex_invoke_fn       required: does the plug-in's work
 *   QBEX_DepCheck       function qbex_depcheck_fn     required when QBEX_INFO_DEPCHECK is set
 *   QBEX_ShowHyperlink  function qbex_show_hyperlink_fn  optional, role 9 only
 *   QBEX_VersionInfo    data     QBEX_VERSIONINFO     optional: version text shown by the host
 *
 * All functions use the platform's default C calling convention. Every structure is read and
 * written in place with the natural alignment of the platform; integers are little-endian on
 * every platform Quarrybook runs on. The layouts are fixed: field order and the widths of all
 * non-pointer fields never change, pointers take the platform's pointer size. The offsets for
 * 32-bit and 64-bit builds are listed beside each structure and checked at the end of this file.
 *
 * Text crossing the interface is UTF-16 (qbex_char16). Text fields of QBEX_RECORD are qbex_str
 * values: reference-counted UTF-16 text owned by the shared library libqbex, which host and
 * plug-ins both link, so either side may assign or free a field the other side filled.
 *
 * The header needs C99 or C++11; with C11 or C++ its layout checks are compile-time assertions.
 */
#ifndef QBEX_H
#define QBEX_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---------------------------------------------------------------------------------------------
 * Interface version
 * ------------------------------------------------------------------------------------------- */

/* The interface version this header describes. Plug-ins put it into QBEX_INFO.version; the host
 * accepts versions QBEX_VERSION_MIN to QBEX_VERSION_MAX. */
#define QBEX_VERSION 3
#define QBEX_VERSION_MIN 1
#define QBEX_VERSION_MAX 3

/* Marks a plug-in's exports as visible, also when the plug-in is built with hidden visibility. */
#if defined(__GNUC__) || defined(__clang__)
#define QBEX_EXPORT __attribute__((visibility("default")))
#else
#define QBEX_EXPORT
#endif

/* Functions of the shared library libqbex. */
#define QBEX_LIB_API QBEX_EXPORT

/* ---------------------------------------------------------------------------------------------
 * Basic types
 * ------------------------------------------------------------------------------------------- */

/* One UTF-16 code unit. In C++ it is char16_t and in C uint_least16_t (C11's char16_t), so that
 * u"..." literals can be used directly in both languages. */
#ifdef __cplusplus
typedef char16_t qbex_char16;
#else
typedef uint_least16_t qbex_char16;
#endif

/* A text field: one pointer to immutable, reference-counted UTF-16 text owned by libqbex.
 * NULL is the empty text; libqbex always stores an empty text as NULL. A qbex_str field must be
 * NULL or a value produced by libqbex; change it only through the qbex_str_* functions below.
 * Copies share the text (the count is atomic, so copies may live on different threads); the
 * field variable itself is not synchronised. */
typedef struct qbex_str_data* qbex_str;

/* A timestamp: 100-nanosecond intervals since 1601-01-01 00:00 UTC; 0 means "not set". It is
 * stored as two 32-bit halves, low half first, so that it keeps 4-byte alignment inside
 * QBEX_RECORD. Use qbex_timestamp_get / qbex_timestamp_make to convert. */
typedef struct qbex_timestamp {
    uint32_t low;  /* bits 0 to 31 */
    uint32_t high; /* bits 32 to 63 */
} qbex_timestamp;

static inline uint64_t qbex_timestamp_get(qbex_timestamp ts) {
    return ((uint64_t)ts.high << 32) | ts.low;
}

static inline qbex_timestamp qbex_timestamp_make(uint64_t value) {
    qbex_timestamp ts;
    ts.low = (uint32_t)(value & 0xFFFFFFFFu);
    ts.high = (uint32_t)(value >> 32);
    return ts;
}

/* The coordinate value that means "no coordinates", in either component, everywhere. */
#define QBEX_NO_COORD 200.0

/* ---------------------------------------------------------------------------------------------
 * Roles
 *
 * A plug-in declares its roles in QBEX_INFO.roles, one role byte each: bits 0-3 the role number
 * (1 to 9), bit 4 QBEX_ROLE_NO_RECORDS, bits 5-7 zero. Any other value rejects the plug-in.
 * ------------------------------------------------------------------------------------------- */

#define QBEX_ROLE_MAPPING 1           /* "Mapping": the current record */
#define QBEX_ROLE_NAVIGATION 2        /* "Navigation": the current record */
#define QBEX_ROLE_EXPORT_RECORD 3     /* "Export Record": the current record */
#define QBEX_ROLE_CALCULATION 4       /* "Calculation": the current record */
#define QBEX_ROLE_EXPORT_RECORDS 5    /* "Export Records": the records in view or bookmarked */
#define QBEX_ROLE_MARK_WAYPOINT 6     /* "Mark Waypoint": returns a position, no records */
#define QBEX_ROLE_IMPORT_RECORDS 7    /* "Import Records": adds records, none queued */
#define QBEX_ROLE_CONFIGURATION 8     /* configuration of the plug-in, no records */
#define QBEX_ROLE_HYPERLINK 9         /* link on the record page: the current record */
#define QBEX_ROLE_LIST_CALCULATION 15 /* never declared: role 4 with QBEX_ROLE_NO_RECORDS */

/* Bits 0-3 of a role byte: the role number. */
#define QBEX_ROLE_NUMBER_MASK 0x0F
/* Bit 4 of a role byte: the plug-in may be invoked with no queued records. Required for roles
 * 6, 7 and 8, and for role 4 when it is also to be offered from the list (as role 15); without
 * it the host refuses to invoke the plug-in when no record with coordinates is queued. */
#define QBEX_ROLE_NO_RECORDS 0x10

/* ---------------------------------------------------------------------------------------------
 * QBEX_INFO: exported as the data object QBEX_Info
 *
 *   field            type                 32-bit offset   64-bit offset
 *   version          int32_t              0               0
 *   name             const qbex_char16*   4               8   (64-bit: 4 bytes padding before)
 *   min_os_version   uint16_t             8               16
 *   flags            uint16_t             10              18
 *   role_count       int32_t              12              20
 *   roles            const uint8_t*       16              24
 *   size                                  20              32
 *
 * The host reads it in place when it scans the plug-in folder and only then. Everything it points
 * to is owned by the plug-in and must stay valid while the library is loaded (static data).
 * ------------------------------------------------------------------------------------------- */

/* QBEX_INFO.flags bit 0: the host calls QBEX_DepCheck before accepting the plug-in. */
#define QBEX_INFO_DEPCHECK 0x0001

typedef struct QBEX_INFO {
    /* Interface version the plug-in was built for: 1, 2 or 3 (QBEX_VERSION). Any other value
     * rejects the plug-in. */
    int32_t version;

    /* The plug-in's display name, zero-terminated UTF-16; must not be empty. Names identify
     * plug-ins in the settings, so keep a name stable across releases. For a plug-in with role 9
     * a second zero-terminated text follows the name's terminating zero: the caption of its link
     * on the record page (u"Name\0Caption"). Owned by the plug-in. */
    const qbex_char16* name;

    /* Lowest operating-system version the plug-in runs on, as major * 256 + minor. On Linux this
     * is the kernel version from uname(): release "6.1.0" is 6 * 256 + 1 = 0x0601. The host
     * accepts the plug-in when its own (major & 0xFF) * 256 + (minor & 0xFF) is at least this
     * value; 0 runs everywhere. */
    uint16_t min_os_version;

    /* QBEX_INFO_DEPCHECK or 0. Every other bit must be 0, otherwise the plug-in is rejected. */
    uint16_t flags;

    /* Number of role bytes in `roles`; at least 1. */
    int32_t role_count;

    /* `role_count` role bytes (see "Roles"). Registration takes them from the last to the first.
     * Owned by the plug-in. */
    const uint8_t* roles;
} QBEX_INFO;

/* ---------------------------------------------------------------------------------------------
 * QBEX_RECORD: one record as plug-ins see it
 *
 *   field       type             version   32-bit offset   64-bit offset   after init_record
 *   version     int32_t          1         0               0               unchanged
 *   flags       uint32_t         1         4               4               0
 *   name        qbex_str         1         8               8               empty, or the new ID
 *   rtype       qbex_str         1         12              16              "Waypoint"
 *   wpt         qbex_str         1         16              24              empty, or a new ID
 *   diff        qbex_str         1         20              32              empty
 *   terr        qbex_str         1         24              40              empty
 *   owner       qbex_str         1         28              48              empty
 *   cont        qbex_str         1         32              56              "Not chosen"
 *   descr       qbex_str         1         36              64              empty
 *   hints       qbex_str         1         40              72              empty
 *   past_log    qbex_str         1         44              80              empty
 *   url         qbex_str         1         48              88              empty
 *   img_urls    qbex_str         1         52              96              empty
 *   lat         double           1         56              104             200.0
 *   lon         double           1         64              112             200.0
 *   log_type    int32_t          1         72              120             0
 *   log_start   qbex_timestamp   1         76              124             0
 *   log_end     qbex_timestamp   1         84              132             0
 *   log_notes   qbex_str         1         92              144             empty
 *   bugs        qbex_str         2         96              152             empty
 *   custom1     qbex_str         3         100             160             empty
 *   custom2     qbex_str         3         104             168             empty
 *   custom3     qbex_str         3         108             176             empty
 *   find_rat    qbex_str         3         112             184             empty
 *
 *   (64-bit: 4 bytes of padding between log_end and log_notes)
 *
 *   size of version 1: 96 (32-bit), 152 (64-bit)     QBEX_RECORD_V1_SIZE
 *   size of version 2: 100 (32-bit), 160 (64-bit)    QBEX_RECORD_V2_SIZE
 *   size of version 3: 116 (32-bit), 192 (64-bit)    QBEX_RECORD_V3_SIZE
 *
 * A later version appends fields and leaves the earlier ones in place. The plug-in allocates the
 * structure (at least QBEX_RECORD_SIZE(version) bytes; sizeof(QBEX_RECORD) always suffices, and
 * on some 32-bit ABIs it has tail padding past QBEX_RECORD_V3_SIZE), sets `version`, sets every
 * qbex_str field of that version to NULL (or a valid string), and passes its address to the
 * callbacks. The host reads and writes only the bytes of the fields that `version` has: a
 * version 1 or 2 structure may be a block of exactly QBEX_RECORD_V1_SIZE or QBEX_RECORD_V2_SIZE
 * bytes. The callbacks replace string fields by assignment, releasing the texts they held. The
 * plug-in owns the structure and its strings: it calls qbex_record_free_strings() when done.
 * ------------------------------------------------------------------------------------------- */

/* Record flag bits (QBEX_RECORD.flags). */
#define QBEX_REC_BUGS_LISTED 0x01 /* travel bugs are listed for the cache */
#define QBEX_REC_BOOKMARKED 0x02  /* bookmarked (kept by the host when merging) */
#define QBEX_REC_FOUND 0x04       /* found by the user */
#define QBEX_REC_DISABLED 0x08    /* the cache is disabled */
#define QBEX_REC_EXTRA 0x10       /* an extra waypoint; files the record in the extra category */

/* Separators inside text fields: past logs and image links separate entries with U+0001; the
 * bug list text separates entries with U+0001 and the fields of an entry with U+0002. A bug entry
 * is reference number, name and, optionally, web link; empty entries and fields are dropped and
 * an entry left with one field is ignored. */
#define QBEX_SEP_ENTRY 0x0001
#define QBEX_SEP_FIELD 0x0002

typedef struct QBEX_RECORD {
    /* Structure version: 1, 2 or 3. Set by the plug-in; the callbacks never change it. */
    int32_t version;
    /* Record flag bits QBEX_REC_*. */
    uint32_t flags;
    /* Cache name. */
    qbex_str name;
    /* Cache type text, e.g. "Traditional Cache". */
    qbex_str rtype;
    /* Waypoint ID, e.g. "GC1234". The host generates one when it saves a record without. */
    qbex_str wpt;
    /* Difficulty text, e.g. "1.5". */
    qbex_str diff;
    /* Terrain text. */
    qbex_str terr;
    /* Owner name. Records whose owner is one of the user's website IDs are filed as owned. */
    qbex_str owner;
    /* Container text, e.g. "Small". */
    qbex_str cont;
    /* Description, plain text (the record page escapes it). */
    qbex_str descr;
    /* Hints, plain text. */
    qbex_str hints;
    /* Past logs, entries separated by U+0001. */
    qbex_str past_log;
    /* Link to the cache's web page. */
    qbex_str url;
    /* Image links, entries separated by U+0001. */
    qbex_str img_urls;
    /* Latitude and longitude in decimal degrees; QBEX_NO_COORD when unknown. */
    double lat;
    double lon;
    /* The user's log type; 0 when the user has not logged the cache. */
    int32_t log_type;
    /* Start and end time of the user's hunt; 0 when not set. */
    qbex_timestamp log_start;
    qbex_timestamp log_end;
    /* The user's log notes. */
    qbex_str log_notes;

    /* Version 2. Travel bugs in the cache as bug list text (see QBEX_SEP_*). Always empty in a
     * record fetched with get_record. */
    qbex_str bugs;

    /* Version 3. Three custom fields and the find rate text. */
    qbex_str custom1;
    qbex_str custom2;
    qbex_str custom3;
    qbex_str find_rat;
} QBEX_RECORD;

/* Bytes of the structure that each version has: the end of its last field. */
#if UINTPTR_MAX == 0xFFFFFFFFu
#define QBEX_RECORD_V1_SIZE 96
#define QBEX_RECORD_V2_SIZE 100
#define QBEX_RECORD_V3_SIZE 116
#else
#define QBEX_RECORD_V1_SIZE 152
#define QBEX_RECORD_V2_SIZE 160
#define QBEX_RECORD_V3_SIZE 192
#endif

/* The size of a record of `version`; 0 for a version other than 1, 2 or 3. */
#define QBEX_RECORD_SIZE(version)                                                                  \
    ((version) == 1   ? QBEX_RECORD_V1_SIZE                                                        \
     : (version) == 2 ? QBEX_RECORD_V2_SIZE                                                        \
     : (version) == 3 ? QBEX_RECORD_V3_SIZE                                                        \
                      : 0)

/* ---------------------------------------------------------------------------------------------
 * Host callbacks, handed to the plug-in in QBEX_INVOKE
 *
 * They may be called any number of times, in any order, while QBEX_Invoke runs, from the thread
 * that called QBEX_Invoke, and never after it has returned. `record` always points to the
 * plug-in's own structure with `version` set; it stays owned by the plug-in.
 * ------------------------------------------------------------------------------------------- */

/* Sets every field that record->version has to the value in the "after init_record" column of
 * the QBEX_RECORD table (version keeps its value); no byte past QBEX_RECORD_SIZE(version) is
 * touched. The string fields must hold NULL or valid strings: their old texts are released. When
 * new_id is nonzero, `wpt` gets a newly generated unique waypoint ID and `name` the same text.
 * Never fails. */
typedef void (*qbex_init_record_fn)(QBEX_RECORD* record, int32_t new_id);

/* Stores the record in the database the plug-in was invoked on, as a new record or, when the
 * user chose to merge imports, merged into the record with the same waypoint ID (the user's log
 * type, times, notes and bookmark stay; bits QBEX_REC_BUGS_LISTED and QBEX_REC_DISABLED come from
 * the plug-in). Only the fields of record->version are read; the record is not changed and the
 * plug-in keeps ownership of its strings. Returns nonzero on success, 0 on failure (the host has
 * told the user). A success is QBEX_ADDED when the record was stored as a new record and
 * QBEX_MERGED when it was merged into a record with the same waypoint ID; test for nonzero when
 * only success matters. Fails in the roles Mark Waypoint and Configuration. */
#define QBEX_ADDED 1
#define QBEX_MERGED 2
typedef int32_t (*qbex_add_record_fn)(const QBEX_RECORD* record);

/* Fetches the next queued record into the structure, filling the fields of record->version
 * (`bugs` is always empty) and releasing the texts the fields held. Returns nonzero when a record
 * was stored; 0 at the end of the queue, and also for a queued record that can no longer be
 * read, after which later records may still follow: walk QBEX_INVOKE.record_count calls rather
 * than stopping at the first 0. */
typedef int32_t (*qbex_get_record_fn)(QBEX_RECORD* record);

/* Rewinds the queue so that the next get_record fetches the first queued record again. */
typedef void (*qbex_reset_records_fn)(void);

/* ---------------------------------------------------------------------------------------------
 * QBEX_INVOKE: the invocation block handed to QBEX_Invoke
 *
 *   field           type                    direction   32-bit offset   64-bit offset
 *   role            int32_t                 in          0               0
 *   sorted_by_wpt   int32_t                 in          4               4
 *   record_count    int32_t                 in          8               8
 *   app_folder      const qbex_char16*      in          12              16 (4 bytes padding before)
 *   gps_averaging   int32_t                 in          16              24
 *   show_saved      int32_t                 in 0, out   20              28
 *   lat             double                  in, out     24              32
 *   lon             double                  in, out     32              40
 *   init_record     qbex_init_record_fn     in          40              48
 *   add_record      qbex_add_record_fn      in          44              56
 *   get_record      qbex_get_record_fn      in          48              64
 *   reset_records   qbex_reset_records_fn   in          52              72
 *   size                                                56              80
 *
 * The host owns the block and everything it points to; all of it is valid only while
 * QBEX_Invoke runs. The plug-in writes only show_saved, lat and lon.
 * ------------------------------------------------------------------------------------------- */

typedef struct QBEX_INVOKE {
    /* The role the plug-in is invoked for: 1 to 9, or 15 (QBEX_ROLE_LIST_CALCULATION). */
    int32_t role;
    /* 1 when the host's record list is sorted by waypoint ID, else 0. */
    int32_t sorted_by_wpt;
    /* Number of queued records: how many get_record calls can succeed. */
    int32_t record_count;
    /* The Quarrybook home folder with a trailing "/", zero-terminated UTF-16. Owned by the host,
     * valid during the call. A plug-in keeps its own files in a folder below it. */
    const qbex_char16* app_folder;
    /* Nonzero when the user turned on GPS location averaging. */
    int32_t gps_averaging;
    /* 0 on entry. Set it nonzero to ask the host to show the last record add_record saved. */
    int32_t show_saved;
    /* QBEX_NO_COORD on entry. Role 6 returns the position here, in decimal degrees; the host
     * reads them only when QBEX_Invoke returns nonzero. */
    double lat;
    double lon;
    /* The host callbacks; valid during the call only. */
    qbex_init_record_fn init_record;
    qbex_add_record_fn add_record;
    qbex_get_record_fn get_record;
    qbex_reset_records_fn reset_records;
} QBEX_INVOKE;

/* ---------------------------------------------------------------------------------------------
 * Exports of a plug-in
 * ------------------------------------------------------------------------------------------- */

/* Data, const QBEX_INFO: read when the host scans the plug-in folder. Required. */
#define QBEX_INFO_SYMBOL "QBEX_Info"

/* int32_t QBEX_DepCheck(void): called when the plug-in folder is scanned and QBEX_Info.flags has
 * QBEX_INFO_DEPCHECK; nonzero accepts the plug-in, 0 rejects it. When the flag is set and this
 * export is missing, the plug-in is rejected. */
#define QBEX_DEPCHECK_SYMBOL "QBEX_DepCheck"
typedef int32_t (*qbex_depcheck_fn)(void);

/* int32_t QBEX_ShowHyperlink(const QBEX_RECORD* record): called while the page of a record is
 * built, for plug-ins with role 9; `record` is a version 3 structure owned by the host, valid
 * during the call, not to be changed. Nonzero shows the plug-in's link on the page. A missing
 * export counts as 0. */
#define QBEX_SHOWHYPERLINK_SYMBOL "QBEX_ShowHyperlink"
typedef int32_t (*qbex_show_hyperlink_fn)(const QBEX_RECORD* record);

/* int32_t QBEX_Invoke(QBEX_INVOKE* invoke): does the plug-in's work synchronously on the host's
 * user-interface thread; the plug-in may show its own windows. Nonzero means success. Records
 * added before a failure stay saved. Required. */
#define QBEX_INVOKE_SYMBOL "QBEX_Invoke"
typedef int32_t (*qbex_invoke_fn)(QBEX_INVOKE* invoke);

/* Version information of a program or plug-in library. A library declares its version by
 * exporting a data symbol named QBEX_VersionInfo of this type; both texts are UTF-8 and must stay
 * valid while the library is loaded. file_version has the form "1, 2, 3, 0"; special_build may be
 * the empty text. Hosts show it as "1.2.3" followed by special_build. */
typedef struct QBEX_VERSIONINFO {
    const char* file_version;
    const char* special_build;
} QBEX_VERSIONINFO;

#define QBEX_VERSIONINFO_SYMBOL "QBEX_VersionInfo"

/* Define QBEX_PLUGIN before including this header in the source file that defines the exports:
 * the declarations below then check their types and make them visible. */
#ifdef QBEX_PLUGIN
QBEX_EXPORT extern const QBEX_INFO QBEX_Info;
QBEX_EXPORT extern const QBEX_VERSIONINFO QBEX_VersionInfo;
QBEX_EXPORT int32_t QBEX_DepCheck(void);
QBEX_EXPORT int32_t QBEX_ShowHyperlink(const QBEX_RECORD* record);
QBEX_EXPORT int32_t QBEX_Invoke(QBEX_INVOKE* invoke);
#endif

/* ---------------------------------------------------------------------------------------------
 * libqbex: the shared string library
 *
 * Every function takes the address of a qbex_str field to change it, or a qbex_str value to read
 * it. Text is immutable once assigned; an assignment creates new text (or shares it, for
 * qbex_str_copy) and releases the field's old text, whose memory is freed when the last field
 * sharing it lets go. Reading functions accept NULL as the empty text.
 * ------------------------------------------------------------------------------------------- */

/* A length argument meaning "the text is zero-terminated". */
#define QBEX_ZERO_TERMINATED ((size_t)-1)

/* Assigns `length` UTF-16 code units from `text` (or up to its terminating zero when length is
 * QBEX_ZERO_TERMINATED); `text` may be NULL when length is 0. The text is copied; the caller keeps
 * ownership of `text`. Returns 1, or 0 when memory ran out (the field is then unchanged). */
QBEX_LIB_API int qbex_str_assign_utf16(qbex_str* field, const qbex_char16* text, size_t length);

/* Assigns UTF-8 text of `length` bytes (or zero-terminated with QBEX_ZERO_TERMINATED), decoded
 * strictly: each ill-formed sequence (stray or missing continuation bytes, overlong forms,
 * surrogates, values above U+10FFFF) becomes one U+FFFD per maximal ill-formed subpart. Returns
 * 1, or 0 when memory ran out (the field is then unchanged). */
QBEX_LIB_API int qbex_str_assign_utf8(qbex_str* field, const char* text, size_t length);

/* Makes `field` share the text of `source` (NULL empties it). Never fails; `source` may be the
 * field's own value. */
QBEX_LIB_API void qbex_str_copy(qbex_str* field, qbex_str source);

/* Releases the field's text and sets the field to NULL. `field` may point to a NULL field. */
QBEX_LIB_API void qbex_str_free(qbex_str* field);

/* The text: zero-terminated UTF-16, valid while any field shares it. Never NULL: the empty text
 * is a static empty string. */
QBEX_LIB_API const qbex_char16* qbex_str_text(qbex_str value);

/* Number of UTF-16 code units, without the terminating zero. */
QBEX_LIB_API size_t qbex_str_length(qbex_str value);

/* Writes the text as zero-terminated UTF-8 into `buffer` of `size` bytes (nothing when size is 0)
 * and returns the number of bytes the whole text needs, without the terminating zero, like
 * snprintf: the result is complete when it is less than `size`. A text that does not fit is cut
 * at a character boundary. Unpaired surrogates become U+FFFD. */
QBEX_LIB_API size_t qbex_str_to_utf8(qbex_str value, char* buffer, size_t size);

/* The text as newly allocated, zero-terminated UTF-8; its length in bytes goes to `*length`
 * unless `length` is NULL. The caller frees it with qbex_free(). NULL when memory ran out. */
QBEX_LIB_API char* qbex_str_to_utf8_alloc(qbex_str value, size_t* length);

/* Frees memory libqbex allocated for the caller (qbex_str_to_utf8_alloc). NULL is ignored. */
QBEX_LIB_API void qbex_free(void* memory);

/* Frees every string field that record->version has (version 1: name to log_notes; 2: also
 * bugs; 3: also the custom fields and find_rat) and sets them to NULL. A version above 3 is
 * treated as 3; a version below 1 frees nothing. Nothing past the version's size is touched. */
QBEX_LIB_API void qbex_record_free_strings(QBEX_RECORD* record);

/* ---------------------------------------------------------------------------------------------
 * Layout checks
 * ------------------------------------------------------------------------------------------- */

#if defined(__cplusplus)
#define QBEX_STATIC_ASSERT(cond, msg) static_assert(cond, msg)
#elif defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
#define QBEX_STATIC_ASSERT(cond, msg) _Static_assert(cond, msg)
#else
#define QBEX_STATIC_ASSERT_JOIN2(a, b) a##b
#define QBEX_STATIC_ASSERT_JOIN(a, b) QBEX_STATIC_ASSERT_JOIN2(a, b)
#define QBEX_STATIC_ASSERT(cond, msg)                                                              \
    typedef char QBEX_STATIC_ASSERT_JOIN(qbex_static_assert_, __LINE__)[(cond) ? 1 : -1]
#endif

QBEX_STATIC_ASSERT(sizeof(qbex_char16) == 2, "qbex_char16 is one 16-bit code unit");
QBEX_STATIC_ASSERT(sizeof(double) == 8, "doubles are IEEE 754 64-bit");
QBEX_STATIC_ASSERT(sizeof(qbex_timestamp) == 8 && offsetof(qbex_timestamp, high) == 4,
                   "timestamps are two 32-bit halves, low first");
QBEX_STATIC_ASSERT(sizeof(qbex_str) == sizeof(void*), "a string field is one pointer");

#define QBEX_CHECK_OFFSET(type, field, offset)                                                     \
    QBEX_STATIC_ASSERT(offsetof(type, field) == (offset), "offset of " #type "." #field)

#if UINTPTR_MAX == 0xFFFFFFFFu
QBEX_STATIC_ASSERT(sizeof(void*) == 4, "32-bit pointers");

QBEX_CHECK_OFFSET(QBEX_INFO, version, 0);
QBEX_CHECK_OFFSET(QBEX_INFO, name, 4);
QBEX_CHECK_OFFSET(QBEX_INFO, min_os_version, 8);
QBEX_CHECK_OFFSET(QBEX_INFO, flags, 10);
QBEX_CHECK_OFFSET(QBEX_INFO, role_count, 12);
QBEX_CHECK_OFFSET(QBEX_INFO, roles, 16);
QBEX_STATIC_ASSERT(sizeof(QBEX_INFO) == 20, "size of QBEX_INFO");

QBEX_CHECK_OFFSET(QBEX_RECORD, version, 0);
QBEX_CHECK_OFFSET(QBEX_RECORD, flags, 4);
QBEX_CHECK_OFFSET(QBEX_RECORD, name, 8);
QBEX_CHECK_OFFSET(QBEX_RECORD, rtype, 12);
QBEX_CHECK_OFFSET(QBEX_RECORD, wpt, 16);
QBEX_CHECK_OFFSET(QBEX_RECORD, diff, 20);
QBEX_CHECK_OFFSET(QBEX_RECORD, terr, 24);
QBEX_CHECK_OFFSET(QBEX_RECORD, owner, 28);
QBEX_CHECK_OFFSET(QBEX_RECORD, cont, 32);
QBEX_CHECK_OFFSET(QBEX_RECORD, descr, 36);
QBEX_CHECK_OFFSET(QBEX_RECORD, hints, 40);
QBEX_CHECK_OFFSET(QBEX_RECORD, past_log, 44);
QBEX_CHECK_OFFSET(QBEX_RECORD, url, 48);
QBEX_CHECK_OFFSET(QBEX_RECORD, img_urls, 52);
QBEX_CHECK_OFFSET(QBEX_RECORD, lat, 56);
QBEX_CHECK_OFFSET(QBEX_RECORD, lon, 64);
QBEX_CHECK_OFFSET(QBEX_RECORD, log_type, 72);
QBEX_CHECK_OFFSET(QBEX_RECORD, log_start, 76);
QBEX_CHECK_OFFSET(QBEX_RECORD, log_end, 84);
QBEX_CHECK_OFFSET(QBEX_RECORD, log_notes, 92);
QBEX_CHECK_OFFSET(QBEX_RECORD, bugs, 96);
QBEX_CHECK_OFFSET(QBEX_RECORD, custom1, 100);
QBEX_CHECK_OFFSET(QBEX_RECORD, custom2, 104);
QBEX_CHECK_OFFSET(QBEX_RECORD, custom3, 108);
QBEX_CHECK_OFFSET(QBEX_RECORD, find_rat, 112);

QBEX_CHECK_OFFSET(QBEX_INVOKE, role, 0);
QBEX_CHECK_OFFSET(QBEX_INVOKE, sorted_by_wpt, 4);
QBEX_CHECK_OFFSET(QBEX_INVOKE, record_count, 8);
QBEX_CHECK_OFFSET(QBEX_INVOKE, app_folder, 12);
QBEX_CHECK_OFFSET(QBEX_INVOKE, gps_averaging, 16);
QBEX_CHECK_OFFSET(QBEX_INVOKE, show_saved, 20);
QBEX_CHECK_OFFSET(QBEX_INVOKE, lat, 24);
QBEX_CHECK_OFFSET(QBEX_INVOKE, lon, 32);
QBEX_CHECK_OFFSET(QBEX_INVOKE, init_record, 40);
QBEX_CHECK_OFFSET(QBEX_INVOKE, add_record, 44);
QBEX_CHECK_OFFSET(QBEX_INVOKE, get_record, 48);
QBEX_CHECK_OFFSET(QBEX_INVOKE, reset_records, 52);
QBEX_STATIC_ASSERT(sizeof(QBEX_INVOKE) == 56, "size of QBEX_INVOKE");
#else
QBEX_STATIC_ASSERT(sizeof(void*) == 8, "64-bit pointers");

QBEX_CHECK_OFFSET(QBEX_INFO, version, 0);
QBEX_CHECK_OFFSET(QBEX_INFO, name, 8);
QBEX_CHECK_OFFSET(QBEX_INFO, min_os_version, 16);
QBEX_CHECK_OFFSET(QBEX_INFO, flags, 18);
QBEX_CHECK_OFFSET(QBEX_INFO, role_count, 20);
QBEX_CHECK_OFFSET(QBEX_INFO, roles, 24);
QBEX_STATIC_ASSERT(sizeof(QBEX_INFO) == 32, "size of QBEX_INFO");

QBEX_CHECK_OFFSET(QBEX_RECORD, version, 0);
QBEX_CHECK_OFFSET(QBEX_RECORD, flags, 4);
QBEX_CHECK_OFFSET(QBEX_RECORD, name, 8);
QBEX_CHECK_OFFSET(QBEX_RECORD, rtype, 16);
QBEX_CHECK_OFFSET(QBEX_RECORD, wpt, 24);
QBEX_CHECK_OFFSET(QBEX_RECORD, diff, 32);
QBEX_CHECK_OFFSET(QBEX_RECORD, terr, 40);
QBEX_CHECK_OFFSET(QBEX_RECORD, owner, 48);
QBEX_CHECK_OFFSET(QBEX_RECORD, cont, 56);
QBEX_CHECK_OFFSET(QBEX_RECORD, descr, 64);
QBEX_CHECK_OFFSET(QBEX_RECORD, hints, 72);
QBEX_CHECK_OFFSET(QBEX_RECORD, past_log, 80);
QBEX_CHECK_OFFSET(QBEX_RECORD, url, 88);
QBEX_CHECK_OFFSET(QBEX_RECORD, img_urls, 96);
QBEX_CHECK_OFFSET(QBEX_RECORD, lat, 104);
QBEX_CHECK_OFFSET(QBEX_RECORD, lon, 112);
QBEX_CHECK_OFFSET(QBEX_RECORD, log_type, 120);
QBEX_CHECK_OFFSET(QBEX_RECORD, log_start, 124);
QBEX_CHECK_OFFSET(QBEX_RECORD, log_end, 132);
QBEX_CHECK_OFFSET(QBEX_RECORD, log_notes, 144);
QBEX_CHECK_OFFSET(QBEX_RECORD, bugs, 152);
QBEX_CHECK_OFFSET(QBEX_RECORD, custom1, 160);
QBEX_CHECK_OFFSET(QBEX_RECORD, custom2, 168);
QBEX_CHECK_OFFSET(QBEX_RECORD, custom3, 176);
QBEX_CHECK_OFFSET(QBEX_RECORD, find_rat, 184);

QBEX_CHECK_OFFSET(QBEX_INVOKE, role, 0);
QBEX_CHECK_OFFSET(QBEX_INVOKE, sorted_by_wpt, 4);
QBEX_CHECK_OFFSET(QBEX_INVOKE, record_count, 8);
QBEX_CHECK_OFFSET(QBEX_INVOKE, app_folder, 16);
QBEX_CHECK_OFFSET(QBEX_INVOKE, gps_averaging, 24);
QBEX_CHECK_OFFSET(QBEX_INVOKE, show_saved, 28);
QBEX_CHECK_OFFSET(QBEX_INVOKE, lat, 32);
QBEX_CHECK_OFFSET(QBEX_INVOKE, lon, 40);
QBEX_CHECK_OFFSET(QBEX_INVOKE, init_record, 48);
QBEX_CHECK_OFFSET(QBEX_INVOKE, add_record, 56);
QBEX_CHECK_OFFSET(QBEX_INVOKE, get_record, 64);
QBEX_CHECK_OFFSET(QBEX_INVOKE, reset_records, 72);
QBEX_STATIC_ASSERT(sizeof(QBEX_INVOKE) == 80, "size of QBEX_INVOKE");
#endif

/* The version sizes end exactly at the last field of each version. */
QBEX_STATIC_ASSERT(offsetof(QBEX_RECORD, log_notes) + sizeof(qbex_str) == QBEX_RECORD_V1_SIZE,
                   "size of a version 1 record");
QBEX_STATIC_ASSERT(offsetof(QBEX_RECORD, bugs) + sizeof(qbex_str) == QBEX_RECORD_V2_SIZE,
                   "size of a version 2 record");
QBEX_STATIC_ASSERT(offsetof(QBEX_RECORD, find_rat) + sizeof(qbex_str) == QBEX_RECORD_V3_SIZE,
                   "size of a version 3 record");
QBEX_STATIC_ASSERT(sizeof(QBEX_RECORD) >= QBEX_RECORD_V3_SIZE &&
                       sizeof(QBEX_RECORD) < QBEX_RECORD_V3_SIZE + 8,
                   "QBEX_RECORD holds a version 3 record");

#ifdef __cplusplus
}
#endif

#endif /* QBEX_H */
