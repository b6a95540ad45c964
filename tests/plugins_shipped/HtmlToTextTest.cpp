#include "CHtmlToText.h"

#include <gtest/gtest.h>

namespace {

struct HtmlCase {
    const char16_t* html;
    const char16_t* text;
};

const HtmlCase kCases[] = {
    {u"<p>One</p><p>Two</p>", u"One\r\n\r\nTwo"},
    {u"a<br>b<br/><br />c", u"a\r\nb\r\n\r\nc"},
    {u"  many    blanks\n\tand\r\nlines  ", u"many blanks and lines"},
    {u"<b>bold</b> and <A HREF=\"x\">link</A>", u"bold and link"},
    {u"<ul><li>one</li><li>two</li></ul>after", u"- one\r\n- two\r\n\r\nafter"},
    {u"<table><tr><td>a</td><td>b</td></tr><tr><td>c</td></tr></table>", u"a b\r\nc"},
    {u"x<!-- hidden <b>comment</b> -->y<!--[if gte mso 9]><xml>junk</xml><![endif]-->z", u"xyz"},
    {u"<script>if (a < b) alert(1);</script><style>p{}</style>shown", u"shown"},
    {u"&auml;&Ouml;&szlig;&amp;&lt;&gt;&quot;&#228;&#xE4;&euro;&scaron;&ecaron;", u"äÖß&<>\"ää€šě"},
    {u"A&nbsp;&nbsp;B &unknown; &amp C", u"A  B &unknown; & C"},
    {u"&#150; &#0; &#x1; &#xD800;", u"\u2013 \uFFFD \uFFFD"},
    {u"a < b and c<3 and <>", u"a < b and c<3 and <>"},
    {u"x<pre>  keep\n    this</pre>next", u"x\r\n\r\n  keep\r\n    this\r\n\r\nnext"},
    {u"<div>Cache</div><div></div><div>Final</div>", u"Cache\r\nFinal"},
    {u"soft&shy;hyphen", u"softhyphen"},
    {u"<img src=\"https://x/a.jpg\">", u""},
};

} // namespace

TEST(HtmlToText, GivesReadableTextWithoutMarkup) {
    for (const HtmlCase& c : kCases) {
        SCOPED_TRACE(QString::fromUtf16(c.html).toStdString());
        CHtmlToText converter;
        EXPECT_EQ(converter.Convert(QStringView(c.html)), QString::fromUtf16(c.text));
    }
}

TEST(HtmlToText, CollectsAbsoluteImageAddressesOnce) {
    CHtmlToText converter;
    converter.Convert(
        u"<img src=\"https://img.example.com/a.jpg\"><IMG SRC='//cdn.example.com/b.png' alt=x>"
        u"<img alt=\"no source\"><img src=\"relative/c.jpg\"><img src=\"data:image/png;base64,AA\">"
        u"<img src=\"https://img.example.com/a.jpg\"><img src=http://h/q?a=1&amp;b=2>");
    EXPECT_EQ(converter.Images(), QStringList({QStringLiteral("https://img.example.com/a.jpg"),
                                               QStringLiteral("https://cdn.example.com/b.png"),
                                               QStringLiteral("http://h/q?a=1&b=2")}));
}
