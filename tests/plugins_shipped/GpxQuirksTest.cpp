// Files as users get them, with the flaws that must not stop an import.
#include "TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

QByteArray
Gpx10(const QByteArray& waypoints,
      const QByteArray& rootAttributes = " xmlns=\"http://www.topografix.com/GPX/1/0\"") {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<gpx version=\"1.0\"" + rootAttributes +
           ">\n" + waypoints + "</gpx>\n";
}

QByteArray
Cache(const QByteArray& code, const QByteArray& cacheContent,
      const QByteArray& cacheAttributes = " available=\"True\" archived=\"False\"",
      const QByteArray& ns = " xmlns:groundspeak=\"http://www.groundspeak.com/cache/1/0\"") {
    return "<wpt lat=\"1.5\" lon=\"2.5\"><name>" + code +
           "</name><sym>Geocache</sym><type>Geocache|Traditional Cache</type>"
           "<groundspeak:cache" +
           cacheAttributes + ns + ">" + cacheContent + "</groundspeak:cache></wpt>\n";
}

struct QuirkCase {
    const char* name;
    QByteArray bytes;
    std::function<void(const CReadResult&)> check;
};

QString U(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

TEST(GpxQuirks, DoNotStopTheImport) {
    const QuirkCase cases[] = {
        {"byte order mark",
         "\xEF\xBB\xBF" + Gpx10(Cache("GC1", "<groundspeak:name>Bom</groundspeak:name>")),
         [](const CReadResult& r) { EXPECT_EQ(r.records.at(0).name, U("Bom")); }},
        {"blank lines before the declaration",
         "\n\n  " + Gpx10(Cache("GC1", "<groundspeak:name>Late</groundspeak:name>")),
         [](const CReadResult& r) { EXPECT_EQ(r.records.at(0).name, U("Late")); }},
        {"times without zone, with offsets, with seven-digit fractions",
         Gpx10("<wpt lat=\"1\" lon=\"2\"><time>2011-06-02T00:00:00</time><name>GC1</name>"
               "<type>Geocache|Traditional Cache</type><groundspeak:cache "
               "xmlns:groundspeak=\"http://www.groundspeak.com/cache/1/0/1\"><groundspeak:logs>"
               "<groundspeak:log><groundspeak:date>2024-05-01T19:00:00</groundspeak:date>"
               "<groundspeak:type>Found it</groundspeak:type></groundspeak:log>"
               "<groundspeak:log><groundspeak:date>2024-05-02T19:00:00.1234567</groundspeak:date>"
               "<groundspeak:type>Found it</groundspeak:type></groundspeak:log>"
               "<groundspeak:log><groundspeak:date>2024-05-03T19:00:00+02:00</groundspeak:date>"
               "<groundspeak:type>Found it</groundspeak:type></groundspeak:log>"
               "</groundspeak:logs></groundspeak:cache></wpt>"),
         [](const CReadResult& r) {
             ASSERT_EQ(r.records.at(0).logs.size(), 3u);
             EXPECT_EQ(r.records[0].logs[1].date, U("2024-05-02T19:00:00.1234567"));
         }},
        {"html flags in lower case, and none at all",
         Gpx10(Cache("GC1", "<groundspeak:short_description html=\"false\">a &lt;b&gt; "
                            "b</groundspeak:short_description><groundspeak:long_description "
                            "html=\"true\">&lt;p&gt;x&lt;/p&gt;y</groundspeak:long_description>") +
               Cache("GC2", "<groundspeak:long_description>one&lt;br&gt;two</groundspeak:long_"
                            "description>")),
         [](const CReadResult& r) {
             EXPECT_EQ(r.records.at(0).description, U("a <b> b\r\n\r\nx\r\n\r\ny"));
             EXPECT_EQ(r.records.at(1).description, U("one\r\ntwo"));
         }},
        {"characters XML forbids, as references and as bytes",
         Gpx10(Cache("GC1", "<groundspeak:name>A&#x1;B&#xB;C</groundspeak:name>"
                            "<groundspeak:long_description html=\"False\">x\x1Ay&#11;z"
                            "</groundspeak:long_description>") +
               Cache("GC2", "<groundspeak:name>After</groundspeak:name>")),
         [](const CReadResult& r) {
             ASSERT_EQ(r.records.size(), 2u);
             EXPECT_EQ(r.records[0].name, U("ABC"));
             EXPECT_EQ(r.records[0].description, U("xyz"));
             EXPECT_EQ(r.records[1].name, U("After"));
             EXPECT_EQ(
                 r.notices,
                 QStringList{U("quirk.gpx: 4 characters that XML does not allow were left out.")});
         }},
        {"cache prefix bound to an unexpected namespace",
         Gpx10(Cache("GC1", "<groundspeak:name>Odd</groundspeak:name>", "",
                     " xmlns:groundspeak=\"http://example.org/not-the-cache-schema\"")),
         [](const CReadResult& r) { EXPECT_EQ(r.records.at(0).name, U("Odd")); }},
        {"cache prefix never declared, no namespaces at all",
         Gpx10(Cache("GC1", "<groundspeak:name>Bare</groundspeak:name>", "", ""), ""),
         [](const CReadResult& r) { EXPECT_EQ(r.records.at(0).name, U("Bare")); }},
        {"a single-byte code page",
         "<?xml version=\"1.0\" encoding=\"windows-1252\"?><gpx version=\"1.0\">" +
             Cache("GC1", "<groundspeak:name>K\xE4se \x80 5</groundspeak:name>", "", "") + "</gpx>",
         [](const CReadResult& r) { EXPECT_EQ(r.records.at(0).name, U("Käse € 5")); }},
        {"availability in lower case",
         Gpx10(Cache("GC1", "", " available=\"false\" archived=\"false\"") +
               Cache("GC2", "", " available=\"true\" archived=\"true\"") + Cache("GC3", "")),
         [](const CReadResult& r) {
             ASSERT_EQ(r.records.size(), 3u);
             EXPECT_TRUE(r.records[0].disabled);
             EXPECT_TRUE(r.records[1].disabled);
             EXPECT_FALSE(r.records[2].disabled);
         }},
        {"cache type only in the waypoint type, names from the page title or description",
         Gpx10("<wpt lat=\"1\" lon=\"2\"><name>GC1</name><urlname>Titled</urlname>"
               "<type>Geocache|Earthcache</type></wpt>"
               "<wpt lat=\"1\" lon=\"2\"><name>GC2</name><desc>Described</desc>"
               "<type>Geocache</type></wpt>"),
         [](const CReadResult& r) {
             ASSERT_EQ(r.records.size(), 2u);
             EXPECT_EQ(r.records[0].type, U("Earthcache"));
             EXPECT_EQ(r.records[0].name, U("Titled"));
             EXPECT_EQ(r.records[1].type, U("Geocache"));
             EXPECT_EQ(r.records[1].name, U("Described"));
         }},
        {"coordinates out of range or unreadable",
         Gpx10(
             "<wpt lat=\"91\" lon=\"2\"><name>A</name></wpt><wpt lat=\"x\" lon=\"2\"><name>B</name>"
             "</wpt><wpt lat=\" +45.5 \" "
             "lon=\"-179.25\"><name>C</name></wpt><wpt><name>D</name></wpt>"),
         [](const CReadResult& r) {
             ASSERT_EQ(r.records.size(), 4u);
             EXPECT_EQ(r.records[0].lat, 200.0);
             EXPECT_EQ(r.records[1].lon, 200.0);
             EXPECT_EQ(r.records[2].lat, 45.5);
             EXPECT_EQ(r.records[2].lon, -179.25);
             EXPECT_FALSE(r.records[3].HasCoordinates());
         }},
    };
    QTemporaryDir dir;
    for (const QuirkCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QStringLiteral("quirk.gpx"));
        WriteBytes(path, c.bytes);
        const CReadResult result = ReadGeoFile(path);
        EXPECT_TRUE(result.ok) << result.errors.join(u'\n').toStdString();
        c.check(result);
    }
}
