/* Quarrybook plug-in interface (plain C). */
#ifndef QBEX_H
#define QBEX_H

#ifdef __cplusplus
extern "C" {
#endif

/* Version information of a program or plug-in library. A library declares its version by
 * exporting a data symbol named QBEX_VersionInfo of this type; both texts are UTF-8 and must stay
 * valid while the library is loaded. file_version has the form "1, 2, 3, 0"; special_build may be
 * the empty text. Hosts show it as "1.2.3" followed by special_build. */
typedef struct QBEX_VERSIONINFO {
    const char* file_version;
    const char* special_build;
} QBEX_VERSIONINFO;

#define QBEX_VERSIONINFO_SYMBOL "QBEX_VersionInfo"

#ifdef __cplusplus
}
#endif

#endif /* QBEX_H */
