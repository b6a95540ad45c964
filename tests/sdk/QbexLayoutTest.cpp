#include "HeaderCheck.h"

#include <qbex.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace {

// Every field of the three structures with its offset on 32-bit and on 64-bit builds; the last
// row of each table is the size. The 32-bit offsets are the interface's original layout.
struct FieldCase {
    const char* field;
    size_t cxx; // offsetof as the C++ compiler sees it
    size_t off32;
    size_t off64;
};

#define FIELD(type, f, o32, o64)                                                                   \
    { #f, offsetof(type, f), o32, o64 }

const FieldCase kInfo[] = {
    FIELD(QBEX_INFO, version, 0, 0),         FIELD(QBEX_INFO, name, 4, 8),
    FIELD(QBEX_INFO, min_os_version, 8, 16), FIELD(QBEX_INFO, flags, 10, 18),
    FIELD(QBEX_INFO, role_count, 12, 20),    FIELD(QBEX_INFO, roles, 16, 24),
    {"sizeof", sizeof(QBEX_INFO), 20, 32},
};

const FieldCase kInvoke[] = {
    FIELD(QBEX_INVOKE, role, 0, 0),
    FIELD(QBEX_INVOKE, sorted_by_wpt, 4, 4),
    FIELD(QBEX_INVOKE, record_count, 8, 8),
    FIELD(QBEX_INVOKE, app_folder, 12, 16),
    FIELD(QBEX_INVOKE, gps_averaging, 16, 24),
    FIELD(QBEX_INVOKE, show_saved, 20, 28),
    FIELD(QBEX_INVOKE, lat, 24, 32),
    FIELD(QBEX_INVOKE, lon, 32, 40),
    FIELD(QBEX_INVOKE, init_record, 40, 48),
    FIELD(QBEX_INVOKE, add_record, 44, 56),
    FIELD(QBEX_INVOKE, get_record, 48, 64),
    FIELD(QBEX_INVOKE, reset_records, 52, 72),
    {"sizeof", sizeof(QBEX_INVOKE), 56, 80},
};

const FieldCase kRecord[] = {
    FIELD(QBEX_RECORD, version, 0, 0),
    FIELD(QBEX_RECORD, flags, 4, 4),
    FIELD(QBEX_RECORD, name, 8, 8),
    FIELD(QBEX_RECORD, rtype, 12, 16),
    FIELD(QBEX_RECORD, wpt, 16, 24),
    FIELD(QBEX_RECORD, diff, 20, 32),
    FIELD(QBEX_RECORD, terr, 24, 40),
    FIELD(QBEX_RECORD, owner, 28, 48),
    FIELD(QBEX_RECORD, cont, 32, 56),
    FIELD(QBEX_RECORD, descr, 36, 64),
    FIELD(QBEX_RECORD, hints, 40, 72),
    FIELD(QBEX_RECORD, past_log, 44, 80),
    FIELD(QBEX_RECORD, url, 48, 88),
    FIELD(QBEX_RECORD, img_urls, 52, 96),
    FIELD(QBEX_RECORD, lat, 56, 104),
    FIELD(QBEX_RECORD, lon, 64, 112),
    FIELD(QBEX_RECORD, log_type, 72, 120),
    FIELD(QBEX_RECORD, log_start, 76, 124),
    FIELD(QBEX_RECORD, log_end, 84, 132),
    FIELD(QBEX_RECORD, log_notes, 92, 144),
    FIELD(QBEX_RECORD, bugs, 96, 152),
    FIELD(QBEX_RECORD, custom1, 100, 160),
    FIELD(QBEX_RECORD, custom2, 104, 168),
    FIELD(QBEX_RECORD, custom3, 108, 176),
    FIELD(QBEX_RECORD, find_rat, 112, 184),
    {"version 3 size", offsetof(QBEX_RECORD, find_rat) + sizeof(qbex_str), 116, 192},
};

#undef FIELD

template <size_t N> void CheckTable(const FieldCase (&cases)[N], const size_t* cLayout) {
    const bool is64 = sizeof(void*) == 8;
    for (size_t i = 0; i < N; ++i) {
        SCOPED_TRACE(cases[i].field);
        const size_t expected = is64 ? cases[i].off64 : cases[i].off32;
        EXPECT_EQ(cases[i].cxx, expected);
        EXPECT_EQ(cLayout[i], expected) << "as compiled by the C compiler";
    }
}

TEST(QbexLayout, OffsetsAndSizesMatchTheTableInCAndCxx) {
    static_assert(std::size(kInfo) == QBEX_C_INFO_FIELDS + 1);
    static_assert(std::size(kInvoke) == QBEX_C_INVOKE_FIELDS + 1);
    static_assert(std::size(kRecord) == QBEX_C_RECORD_FIELDS + 1);
    CheckTable(kInfo, qbex_c_info_layout);
    CheckTable(kInvoke, qbex_c_invoke_layout);
    CheckTable(kRecord, qbex_c_record_layout);
}

TEST(QbexLayout, VersionSizesEndAtEachVersionsLastField) {
    const bool is64 = sizeof(void*) == 8;
    const size_t expected[3] = {is64 ? 152u : 96u, is64 ? 160u : 100u, is64 ? 192u : 116u};
    for (int v = 1; v <= 3; ++v) {
        SCOPED_TRACE(v);
        EXPECT_EQ(size_t(QBEX_RECORD_SIZE(v)), expected[v - 1]);
        EXPECT_EQ(qbex_c_record_sizes[v - 1], expected[v - 1]);
    }
    EXPECT_EQ(QBEX_RECORD_SIZE(0), 0);
    EXPECT_EQ(QBEX_RECORD_SIZE(4), 0);
    EXPECT_EQ(QBEX_RECORD_V1_SIZE, offsetof(QBEX_RECORD, log_notes) + sizeof(qbex_str));
    EXPECT_EQ(QBEX_RECORD_V2_SIZE, offsetof(QBEX_RECORD, bugs) + sizeof(qbex_str));
}

TEST(QbexLayout, TimestampIsLowHalfFirst) {
    const uint64_t value = 0x01D9A0B1C2D3E4F5ull;
    const qbex_timestamp ts = qbex_timestamp_make(value);
    unsigned char bytes[sizeof ts];
    std::memcpy(bytes, &ts, sizeof ts);
    // Little-endian 64-bit value, whatever the struct's halves are called.
    uint64_t read = 0;
    for (int i = 7; i >= 0; --i) {
        read = (read << 8) | bytes[i];
    }
    EXPECT_EQ(read, value);
    EXPECT_EQ(ts.low, 0xC2D3E4F5u);
    EXPECT_EQ(qbex_timestamp_get(ts), value);
}

} // namespace
