#include "util/TextHelpers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

QString U(const char16_t* text) {
    return QString::fromUtf16(text);
}

struct TextCase {
    const char16_t* input;
    const char16_t* expected;
};

TEST(TextHelpersTest, Rot13LeavesBracketedTextAlone) {
    const TextCase cases[] = {
        {u"Abc [xyz] Nop", u"Nop [xyz] Abc"},
        {u"Uryyb [Jbeyq] Nop]", u"Hello [Jbeyq] Abc]"},
        {u"[unclosed", u"[unclosed"},
        {u"a[b[c]d]e", u"n[b[c]q]r"},
        {u"Zz Mm \u00E9\u00C9 09", u"Mm Zz \u00E9\u00C9 09"},
        {u"", u""},
    };
    for (const TextCase& c : cases) {
        QString text = U(c.input);
        SCOPED_TRACE(text.toStdString());
        Rot13(text);
        EXPECT_EQ(text, U(c.expected));
        Rot13(text);
        EXPECT_EQ(text, U(c.input)) << "applying it twice restores the text";
    }
}

TEST(TextHelpersTest, HtmlEscapeAndLineBreaks) {
    const TextCase escapes[] = {
        {u"a&lt;", u"a&amp;lt;"},
        {u"<b>", u"&lt;b&gt;"},
        {u"\"quotes\" 'stay'", u"\"quotes\" 'stay'"},
    };
    for (const TextCase& c : escapes) {
        SCOPED_TRACE(U(c.input).toStdString());
        EXPECT_EQ(HtmlEscape(U(c.input)), U(c.expected));
    }

    EXPECT_EQ(HtmlText("one\r\ntwo\nthree\rfour", false), "one<br>\r\ntwo\nthree\rfour");
    EXPECT_EQ(HtmlText("a<b\r\n", false), "a&lt;b<br>\r\n");
    EXPECT_EQ(HtmlText("a&lt;b\r\n", true), "a&lt;b<br>\r\n");
}

struct SplitCase {
    const char* text;
    bool skipEmpty;
    QStringList expected;
};

TEST(TextHelpersTest, SplitTextKeepsOrSkipsEmptyPieces) {
    const SplitCase cases[] = {
        {"", false, {""}},
        {"", true, {}},
        {"a||b", false, {"a", "", "b"}},
        {"a||b", true, {"a", "b"}},
        {"|a|", false, {"", "a", ""}},
        {"|a|", true, {"a"}},
        {"abc", false, {"abc"}},
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(std::string(c.text) + (c.skipEmpty ? " skip" : " keep"));
        QStringList out{"left over"};
        SplitText(QString::fromLatin1(c.text), out, u'|', c.skipEmpty);
        EXPECT_EQ(out, c.expected);
    }
    QStringList out;
    SplitText(U(u"k\u0002v\u0001x"), out, QChar(1), false);
    EXPECT_EQ(out, QStringList({U(u"k\u0002v"), "x"}));
}

struct Utf8Case {
    std::vector<char16_t> units;
    QByteArray bytes;
};

TEST(TextHelpersTest, ToUtf8EncodesEachCodeUnitOnItsOwn) {
    const Utf8Case cases[] = {
        {{u'A'}, "A"},
        {{0x00E9}, "\xC3\xA9"},
        {{0x07FF}, "\xDF\xBF"},
        {{0x0800}, "\xE0\xA0\x80"},
        {{0xFFFF}, "\xEF\xBF\xBF"},
        // U+1F600: each surrogate half is its own three-byte sequence.
        {{0xD83D, 0xDE00}, "\xED\xA0\xBD\xED\xB8\x80"},
        {{}, ""},
    };
    for (const Utf8Case& c : cases) {
        const QString text = QString::fromUtf16(c.units.data(), qsizetype(c.units.size()));
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        EXPECT_EQ(ToUtf8(text), c.bytes);
        EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    }
}

TEST(TextHelpersTest, FromUtf8IsLenient) {
    const Utf8Case cases[] = {
        {{0x00E9}, "\xC3\xA9"},
        {{u'A'}, "\x80\x41"},           // a stray continuation byte is dropped
        {{0x0081}, "\xC3\x41"},         // continuation bytes are not checked
        {{0xF600}, "\xF0\x9F\x98\x80"}, // above 0xFFFF: cut to 16 bits
        {{0xD83D, 0xDE00}, "\xED\xA0\xBD\xED\xB8\x80"},
        {{0x0001}, "\xFC\x80\x80\x80\x80\x81"},
        {{u'a'}, "a\xE2\x82"},           // an unfinished sequence at the end gives nothing
        {{u'a'}, QByteArray("a\0b", 3)}, // the text ends at the first zero byte
    };
    for (const Utf8Case& c : cases) {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        const QString expected = QString::fromUtf16(c.units.data(), qsizetype(c.units.size()));
        EXPECT_EQ(FromUtf8(c.bytes), expected);
        EXPECT_EQ(FromUtf8(c.bytes.constData()), expected);
    }
    EXPECT_EQ(FromUtf8(static_cast<const char*>(nullptr)), QString());
}

TEST(TextHelpersTest, EveryCodeUnitSurvivesTheRoundTrip) {
    QString all;
    for (char16_t u = 1; u != 0; ++u)
        all.append(QChar(u));
    EXPECT_EQ(FromUtf8(ToUtf8(all)), all);
}

TEST(TextHelpersTest, SortStringsByCodeUnit) {
    QStringList list{"b", "B", "a", "_", U(u"\u00E9"), "Z", "ab", "a", "A"};
    SortStrings(list);
    EXPECT_EQ(list, QStringList({"A", "B", "Z", "_", "a", "a", "ab", "b", U(u"\u00E9")}));
}

} // namespace
