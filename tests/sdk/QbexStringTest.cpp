#include <qbex.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

std::u16string Text(qbex_str s) {
    return std::u16string(qbex_str_text(s), qbex_str_length(s));
}

std::string Utf8(qbex_str s) {
    size_t length = 0;
    char* bytes = qbex_str_to_utf8_alloc(s, &length);
    EXPECT_NE(bytes, nullptr);
    std::string out(bytes, length);
    EXPECT_EQ(bytes[length], '\0');
    qbex_free(bytes);
    return out;
}

// A field that is freed when the test ends, so that every test is clean under AddressSanitizer.
struct Field {
    qbex_str s = nullptr;
    ~Field() { qbex_str_free(&s); }
};

TEST(QbexString, NullIsTheEmptyTextAndEmptyIsStoredAsNull) {
    Field f;
    EXPECT_EQ(qbex_str_length(f.s), 0u);
    ASSERT_NE(qbex_str_text(f.s), nullptr);
    EXPECT_EQ(qbex_str_text(f.s)[0], 0);
    char buffer[4] = "xyz";
    EXPECT_EQ(qbex_str_to_utf8(f.s, buffer, sizeof buffer), 0u);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(Utf8(f.s), "");

    // Assigning empty text of any kind replaces a text with NULL.
    const auto setEmpty = {
        +[](qbex_str* s) { return qbex_str_assign_utf8(s, "", 0); },
        +[](qbex_str* s) { return qbex_str_assign_utf8(s, nullptr, 0); },
        +[](qbex_str* s) { return qbex_str_assign_utf8(s, "", QBEX_ZERO_TERMINATED); },
        +[](qbex_str* s) { return qbex_str_assign_utf16(s, nullptr, 0); },
        +[](qbex_str* s) { return qbex_str_assign_utf16(s, u"", QBEX_ZERO_TERMINATED); }};
    for (auto assignEmpty : setEmpty) {
        ASSERT_EQ(qbex_str_assign_utf8(&f.s, "abc", QBEX_ZERO_TERMINATED), 1);
        ASSERT_NE(f.s, nullptr);
        EXPECT_EQ(assignEmpty(&f.s), 1);
        EXPECT_EQ(f.s, nullptr);
    }
    qbex_str_free(&f.s); // freeing a NULL field is harmless
    EXPECT_EQ(f.s, nullptr);
}

TEST(QbexString, AssignUtf16CopiesTheGivenLengthOrUpToTheZero) {
    Field f;
    const char16_t source[] = u"Quarry\u00E9\0tail";
    ASSERT_EQ(qbex_str_assign_utf16(&f.s, source, 4), 1);
    EXPECT_EQ(Text(f.s), u"Quar");
    EXPECT_EQ(qbex_str_text(f.s)[4], 0) << "the text is zero-terminated";
    ASSERT_EQ(qbex_str_assign_utf16(&f.s, source, QBEX_ZERO_TERMINATED), 1);
    EXPECT_EQ(Text(f.s), u"Quarry\u00E9");
    ASSERT_EQ(qbex_str_assign_utf16(&f.s, source, 12), 1);
    EXPECT_EQ(Text(f.s), std::u16string(source, 12)) << "embedded zeros are kept with a length";
    EXPECT_NE(qbex_str_text(f.s), source) << "the text is copied";
}

struct Utf8Case {
    const char* label;
    std::string bytes;
    std::u16string text; // decoded
    std::string back;    // encoded again
};

// Valid text of every sequence length, and ill-formed input: each maximal ill-formed subpart
// becomes one U+FFFD.
const Utf8Case kUtf8Cases[] = {
    {"ascii", "GC12AB", u"GC12AB", "GC12AB"},
    {"two-byte", "M\xC3\xBCller", u"M\u00FCller", "M\xC3\xBCller"},
    {"three-byte", "5 \xE2\x82\xAC", u"5 \u20AC", "5 \xE2\x82\xAC"},
    {"four-byte", "a\xF0\x9F\x98\x80z", u"a\U0001F600z", "a\xF0\x9F\x98\x80z"},
    {"highest code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
    {"embedded zero", std::string("a\0b", 3), std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
    {"stray continuation", "a\x80z", u"a\uFFFDz", "a\xEF\xBF\xBDz"},
    {"C0 lead and overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD", "\xEF\xBF\xBD\xEF\xBF\xBD"},
    {"overlong three-byte", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD",
     "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
    {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD",
     "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
    {"above U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD",
     "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
    {"F5 lead", "\xF5x", u"\uFFFDx", "\xEF\xBF\xBDx"},
    {"truncated three-byte before ASCII", "\xE2\x82x", u"\uFFFDx", "\xEF\xBF\xBDx"},
    {"truncated four-byte at the end", "ok\xF0\x9F\x98", u"ok\uFFFD", "ok\xEF\xBF\xBD"},
    {"truncated two then valid", "\xC3\xC3\xA9", u"\uFFFD\u00E9", "\xEF\xBF\xBD\xC3\xA9"},
};

TEST(QbexString, Utf8DecodesAndEncodesBackWithReplacementOfIllFormedInput) {
    for (const Utf8Case& c : kUtf8Cases) {
        SCOPED_TRACE(c.label);
        Field f;
        ASSERT_EQ(qbex_str_assign_utf8(&f.s, c.bytes.data(), c.bytes.size()), 1);
        EXPECT_EQ(Text(f.s), c.text);
        EXPECT_EQ(qbex_str_text(f.s)[qbex_str_length(f.s)], 0);
        EXPECT_EQ(Utf8(f.s), c.back);
    }
}

TEST(QbexString, Utf8OfUnpairedSurrogatesIsReplacement) {
    Field f;
    const char16_t units[] = {u'a', 0xD800, u'b', 0xDC00, 0xD83D, 0xDE00, 0xDBFF};
    ASSERT_EQ(qbex_str_assign_utf16(&f.s, units, std::size(units)), 1);
    EXPECT_EQ(Utf8(f.s), "a\xEF\xBF\xBD"
                         "b\xEF\xBF\xBD\xF0\x9F\x98\x80\xEF\xBF\xBD");
}

TEST(QbexString, Utf8IntoABufferIsCutAtACharacterBoundary) {
    Field f;
    ASSERT_EQ(qbex_str_assign_utf8(&f.s, "a\xC3\xA9\xE2\x82\xAC", QBEX_ZERO_TERMINATED), 1);
    // "a" (1 byte), e-acute (2), euro (3): 6 bytes in all.
    const struct {
        size_t size;
        std::string written;
    } cases[] = {{1, ""},
                 {2, "a"},
                 {3, "a"},
                 {4, "a\xC3\xA9"},
                 {6, "a\xC3\xA9"},
                 {7, "a\xC3\xA9\xE2\x82\xAC"},
                 {20, "a\xC3\xA9\xE2\x82\xAC"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        std::vector<char> buffer(c.size + 1, '#');
        EXPECT_EQ(qbex_str_to_utf8(f.s, buffer.data(), c.size), 6u);
        EXPECT_EQ(std::string(buffer.data()), c.written);
        EXPECT_EQ(buffer[c.size], '#') << "nothing written past the buffer";
    }
    EXPECT_EQ(qbex_str_to_utf8(f.s, nullptr, 0), 6u);
}

TEST(QbexString, CopiesShareTheTextUntilTheLastOneLetsGo) {
    Field a, b, c;
    ASSERT_EQ(qbex_str_assign_utf8(&a.s, "Lookout", QBEX_ZERO_TERMINATED), 1);
    qbex_str_copy(&b.s, a.s);
    qbex_str_copy(&c.s, b.s);
    EXPECT_EQ(b.s, a.s);
    EXPECT_EQ(qbex_str_text(c.s), qbex_str_text(a.s)) << "shared, not copied";

    // Assigning to one field leaves the others untouched.
    ASSERT_EQ(qbex_str_assign_utf8(&a.s, "Summit", QBEX_ZERO_TERMINATED), 1);
    EXPECT_EQ(Text(a.s), u"Summit");
    EXPECT_EQ(Text(b.s), u"Lookout");

    // Freeing one sharer keeps the text for the other; copying a field onto itself keeps it.
    qbex_str_free(&b.s);
    EXPECT_EQ(b.s, nullptr);
    qbex_str_copy(&c.s, c.s);
    EXPECT_EQ(Text(c.s), u"Lookout");

    // Copying NULL empties; the old text is released.
    qbex_str_copy(&c.s, nullptr);
    EXPECT_EQ(c.s, nullptr);
}

TEST(QbexString, SharingAcrossThreadsKeepsAnExactCount) {
    Field shared;
    ASSERT_EQ(qbex_str_assign_utf8(&shared.s, "shared text", QBEX_ZERO_TERMINATED), 1);
    std::atomic<bool> go{false};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            while (!go) {
                std::this_thread::yield();
            }
            for (int i = 0; i < 20000; ++i) {
                qbex_str mine = nullptr;
                qbex_str_copy(&mine, shared.s);
                qbex_str_free(&mine);
            }
        });
    }
    go = true;
    for (auto& t : threads) {
        t.join();
    }
    // A lost update would have freed the text early (caught by AddressSanitizer) or left it
    // with a wrong count; the owner still reads it and frees it exactly once.
    EXPECT_EQ(Text(shared.s), u"shared text");
}

TEST(QbexString, RecordFreeStringsTouchesOnlyTheFieldsOfItsVersion) {
    for (int version = 1; version <= 3; ++version) {
        SCOPED_TRACE(version);
        // A block of exactly the version's size: any byte past it is caught by AddressSanitizer.
        const size_t size = QBEX_RECORD_SIZE(version);
        auto* record = static_cast<QBEX_RECORD*>(std::calloc(1, size));
        ASSERT_NE(record, nullptr);
        record->version = version;
        std::vector<qbex_str*> fields = {
            &record->name,  &record->rtype,    &record->wpt,      &record->diff,  &record->terr,
            &record->owner, &record->cont,     &record->descr,    &record->hints, &record->past_log,
            &record->url,   &record->img_urls, &record->log_notes};
        if (version >= 2) {
            fields.push_back(&record->bugs);
        }
        if (version >= 3) {
            fields.insert(fields.end(), {&record->custom1, &record->custom2, &record->custom3,
                                         &record->find_rat});
        }
        for (qbex_str* field : fields) {
            ASSERT_EQ(qbex_str_assign_utf8(field, "x", 1), 1);
        }
        qbex_record_free_strings(record);
        for (qbex_str* field : fields) {
            EXPECT_EQ(*field, nullptr);
        }
        std::free(record);
    }
}

} // namespace
