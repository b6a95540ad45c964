#pragma once

#include <stddef.h>

// Offsets of every field in declaration order, then the size, as the C compiler lays out the
// plug-in structures (HeaderCheck.c).
#define QBEX_C_INFO_FIELDS 6
#define QBEX_C_INVOKE_FIELDS 12
#define QBEX_C_RECORD_FIELDS 25

#ifdef __cplusplus
extern "C" {
#endif
extern const size_t qbex_c_info_layout[QBEX_C_INFO_FIELDS + 1];
extern const size_t qbex_c_invoke_layout[QBEX_C_INVOKE_FIELDS + 1];
extern const size_t qbex_c_record_layout[QBEX_C_RECORD_FIELDS + 1];
extern const size_t qbex_c_record_sizes[3];
#ifdef __cplusplus
}
#endif
