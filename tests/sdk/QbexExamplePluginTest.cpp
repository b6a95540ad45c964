#include <qbex.h>

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// What the test host keeps of each record the plug-in adds.
struct AddedRecord {
    int32_t version;
    std::string wpt, name, rtype, cont, descr;
    double lat, lon;
};

std::string Utf8(qbex_str s) {
    std::string out(qbex_str_to_utf8(s, nullptr, 0), '\0');
    qbex_str_to_utf8(s, out.data(), out.size() + 1);
    return out;
}

// A small host: init_record sets the defaults of the fields of the record's version, add_record
// keeps a copy of what it was given.
std::vector<AddedRecord> g_added;

void TestInitRecord(QBEX_RECORD* r, int32_t /*newId*/) {
    r->flags = 0;
    qbex_str* texts[] = {&r->name,  &r->wpt, &r->diff,     &r->terr,     &r->owner,    &r->descr,
                         &r->hints, &r->url, &r->img_urls, &r->past_log, &r->log_notes};
    for (qbex_str* s : texts) {
        qbex_str_free(s);
    }
    qbex_str_assign_utf8(&r->rtype, "Waypoint", QBEX_ZERO_TERMINATED);
    qbex_str_assign_utf8(&r->cont, "Not chosen", QBEX_ZERO_TERMINATED);
    r->lat = r->lon = QBEX_NO_COORD;
    r->log_type = 0;
    r->log_start = r->log_end = qbex_timestamp_make(0);
}

int32_t TestAddRecord(const QBEX_RECORD* r) {
    g_added.push_back({r->version, Utf8(r->wpt), Utf8(r->name), Utf8(r->rtype), Utf8(r->cont),
                       Utf8(r->descr), r->lat, r->lon});
    return 1;
}

int32_t TestGetRecord(QBEX_RECORD*) {
    return 0;
}

void TestResetRecords() {}

struct LibraryCloser {
    void operator()(void* handle) const { dlclose(handle); }
};
using Library = std::unique_ptr<void, LibraryCloser>;

class QbexExamplePlugin : public ::testing::Test {
protected:
    void SetUp() override {
        g_added.clear();
        m_lib.reset(dlopen(QB_EXAMPLE_PLUGIN, RTLD_NOW | RTLD_LOCAL));
        ASSERT_TRUE(m_lib) << dlerror();
    }

    void* Symbol(const char* name) const { return dlsym(m_lib.get(), name); }

    int32_t Invoke(int32_t role) {
        auto invoke = reinterpret_cast<qbex_invoke_fn>(Symbol(QBEX_INVOKE_SYMBOL));
        EXPECT_NE(invoke, nullptr);
        if (invoke == nullptr) {
            return -1;
        }
        QBEX_INVOKE block{};
        block.role = role;
        block.record_count = 0;
        block.app_folder = u"/tmp/home/";
        block.lat = block.lon = QBEX_NO_COORD;
        block.init_record = TestInitRecord;
        block.add_record = TestAddRecord;
        block.get_record = TestGetRecord;
        block.reset_records = TestResetRecords;
        return invoke(&block);
    }

    Library m_lib;
};

TEST_F(QbexExamplePlugin, DescribesItselfAsAnImportPlugin) {
    auto* info = static_cast<const QBEX_INFO*>(Symbol(QBEX_INFO_SYMBOL));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->version, QBEX_VERSION);
    EXPECT_EQ(std::u16string(info->name), u"Minimal Import");
    EXPECT_EQ(info->flags, 0);
    EXPECT_EQ(info->min_os_version, 0);
    ASSERT_EQ(info->role_count, 1);
    EXPECT_EQ(info->roles[0], QBEX_ROLE_IMPORT_RECORDS | QBEX_ROLE_NO_RECORDS);

    auto* version = static_cast<const QBEX_VERSIONINFO*>(Symbol(QBEX_VERSIONINFO_SYMBOL));
    ASSERT_NE(version, nullptr);
    EXPECT_STREQ(version->file_version, "1, 0, 0, 0");
    EXPECT_EQ(Symbol(QBEX_DEPCHECK_SYMBOL), nullptr);
    EXPECT_EQ(Symbol(QBEX_SHOWHYPERLINK_SYMBOL), nullptr);
}

TEST_F(QbexExamplePlugin, ImportAddsTwoRecordsThroughTheCallbacks) {
    ASSERT_EQ(Invoke(QBEX_ROLE_IMPORT_RECORDS), 1);
    ASSERT_EQ(g_added.size(), 2u);
    EXPECT_EQ(g_added[0].version, 3);
    EXPECT_EQ(g_added[0].wpt, "QB0001");
    EXPECT_EQ(g_added[0].name, "Quarry Lookout");
    EXPECT_EQ(g_added[0].rtype, "Traditional Cache");
    EXPECT_EQ(g_added[0].cont, "Small");
    EXPECT_DOUBLE_EQ(g_added[0].lat, 48.137154);
    EXPECT_DOUBLE_EQ(g_added[0].lon, 11.576124);
    EXPECT_EQ(g_added[1].wpt, "QB0002");
    EXPECT_EQ(g_added[1].name, "\xC3\x9C"
                               "ber den Steinbruch");
    EXPECT_EQ(g_added[1].descr, "Zwei Stationen am Steinbruch.");
}

TEST_F(QbexExamplePlugin, OtherRolesAreRefused) {
    EXPECT_EQ(Invoke(QBEX_ROLE_EXPORT_RECORDS), 0);
    EXPECT_TRUE(g_added.empty());
}

} // namespace
