#include "CXmlCharFilter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct FilterCase {
    const char* input;
    const char* expected;
    int dropped;
};

const FilterCase kCases[] = {
    {"a&#xB;b", "ab", 1},
    {"a&#11;b", "ab", 1},
    {"&#x1F;&#0;&#0000011;", "", 3},
    {"&#xFFFE;&#xffff;&#xD800;&#x110000;", "", 4},
    {"&#9;&#10;&#13;&#x20;&#xE9;&#x1F600;", "&#9;&#10;&#13;&#x20;&#xE9;&#x1F600;", 0},
    {"&amp;&lt;&#;&#x;&#xZZ;&#12a;", "&amp;&lt;&#;&#x;&#xZZ;&#12a;", 0},
    {"a\x01\x0B\x0C\x1F"
     "b",
     "ab", 4},
    {"a\tb\r\nc\n", "a\tb\r\nc\n", 0},
    {"x\xEF\xBF\xBEy\xEF\xBF\xBF", "xy", 2},
    {"\xEF\xBB\xBF<a>\xEF\xBF\xBD</a>", "\xEF\xBB\xBF<a>\xEF\xBF\xBD</a>", 0},
    {"\xC3\xBC&#xB;\xC3\xB6", "\xC3\xBC\xC3\xB6", 1},
    {"trailing &#x", "trailing &#x", 0},
};

// Runs the filter the way the reader does: a first piece, whatever it leaves unconsumed handed in
// again with the rest.
std::string FilterInTwo(const std::string& input, size_t split, int& dropped) {
    CXmlCharFilter filter;
    std::string out(input.size(), '\0');
    size_t written = 0;
    const size_t consumed = filter.Filter(input.data(), split, out.data(), written, false);
    EXPECT_LE(split - consumed, CXmlCharFilter::kMaxHeld);
    std::string result = out.substr(0, written);
    const std::string rest = input.substr(consumed);
    std::string out2(rest.size(), '\0');
    EXPECT_EQ(filter.Filter(rest.data(), rest.size(), out2.data(), written, true), rest.size());
    result += out2.substr(0, written);
    dropped = filter.Dropped();
    return result;
}

} // namespace

TEST(XmlCharFilter, RemovesForbiddenCharactersAtAnyBufferBoundary) {
    for (const FilterCase& c : kCases) {
        const std::string input = c.input;
        for (size_t split = 0; split <= input.size(); ++split) {
            SCOPED_TRACE(testing::Message() << c.input << " split at " << split);
            int dropped = 0;
            EXPECT_EQ(FilterInTwo(input, split, dropped), c.expected);
            EXPECT_EQ(dropped, c.dropped);
        }
    }
}
