#include "CTestZip.h"
#include "CZipArchive.h"
#include "CZipEntryDevice.h"
#include "TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString U(const char* text) {
    return QString::fromUtf8(text);
}

QStringList Codes(const CReadResult& result) {
    QStringList codes;
    for (const CGeoRecord& r : result.records) {
        codes << r.code;
    }
    return codes;
}

} // namespace

TEST(ZipArchive, ReadsPocketQueryArchivesCachesFirst) {
    const QByteArray caches = DataBytes(QStringLiteral("pocket_query.gpx"));
    const QByteArray waypoints = DataBytes(QStringLiteral("pocket_query-wpts.gpx"));
    const QStringList expected = {U("GC1A2B3"), U("GC2B3C4"), U("GC3C4D5"),
                                  U("PK1A2B3"), U("FN1A2B3"), U("S12B3C4")};
    const struct {
        const char* name;
        bool deflate;
        bool zip64;
    } variants[] = {{"deflated", true, false}, {"stored", false, false}, {"zip64", true, true}};
    QTemporaryDir dir;
    for (const auto& v : variants) {
        SCOPED_TRACE(v.name);
        const QString path = dir.filePath(QStringLiteral("pq.zip"));
        WriteBytes(path, MakeTestZip({{"1234567-wpts.gpx", waypoints, v.deflate},
                                      {"1234567.gpx", caches, v.deflate}},
                                     v.zip64));
        const CReadResult result = ReadGeoFile(path);
        EXPECT_TRUE(result.ok) << result.errors.join(u'\n').toStdString();
        EXPECT_EQ(Codes(result), expected);
        EXPECT_TRUE(result.notices.isEmpty());
    }
}

TEST(ZipArchive, DecodesMemberNames) {
    const struct {
        QByteArray raw;
        bool utf8Flag;
        QByteArray unicodePath;
        const char* expected;
    } cases[] = {
        {"Z\x81rich \x8E.gpx", false, "", "Zürich Ä.gpx"}, // code page 437
        {"Z\xC3\xBCrich.gpx", true, "", "Zürich.gpx"},
        {"Z\xC3\xBCrich.gpx", false, "", "Zürich.gpx"}, // UTF-8 without the flag
        {"Z\x81rich.gpx", false, "K\xC3\xB6ln.gpx", "Köln.gpx"},
        {"plain.gpx", false, "", "plain.gpx"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("names.zip"));
    std::vector<CTestZipMember> members;
    for (const auto& c : cases) {
        CTestZipMember m;
        m.name = c.raw;
        m.data = "<gpx/>";
        m.utf8Flag = c.utf8Flag;
        m.unicodePath = c.unicodePath;
        members.push_back(m);
    }
    WriteBytes(path, MakeTestZip(members));
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(path)) << zip.ErrorString().toStdString();
    ASSERT_EQ(zip.Entries().size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(zip.Entries()[i].name, U(cases[i].expected));
    }
}

TEST(ZipArchive, ReportsDamageAndArchivesWithoutWaypointFiles) {
    const QByteArray caches = DataBytes(QStringLiteral("pocket_query.gpx"));
    const QByteArray good = MakeTestZip({{"pq.gpx", caches}});
    QTemporaryDir dir;
    const struct {
        const char* name;
        QByteArray bytes;
        int records;
        const char* error;
    } cases[] = {
        {"no waypoint file", MakeTestZip({{"readme.txt", "hello"}, {"maps/", ""}}), 0,
         "bad.zip contains no GPX or LOC file."},
        {"end cut off", good.left(good.size() - 30), 0,
         "bad.zip: not a zip file, or the end of the file is missing"},
        {"wrong checksum", MakeTestZip({{"pq.gpx", caches, true, false, "", true}}), 3,
         "bad.zip/pq.gpx: read error: the member is damaged (checksum mismatch)"},
        {"a good member after a broken one",
         MakeTestZip({{"a.gpx", "<gpx><wpt lat=\"1\" lon=\"2\"><name>X</name>"},
                      {"b.loc", DataBytes(QStringLiteral("search.loc"))}}),
         2, "bad.zip/a.gpx, line 1: no element found"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QStringLiteral("bad.zip"));
        WriteBytes(path, c.bytes);
        const CReadResult result = ReadGeoFile(path);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(int(result.records.size()), c.records);
        EXPECT_EQ(result.errors, QStringList{U(c.error)});
    }
}

TEST(ZipArchive, StreamsLargeMembersWithoutHoldingThem) {
    QByteArray big;
    for (int i = 0; i < 20000; ++i) {
        big += "line " + QByteArray::number(i) + " of a member larger than any read buffer\n";
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.zip"));
    WriteBytes(path, MakeTestZip({{"big.txt", big}}));
    CZipArchive zip;
    ASSERT_TRUE(zip.Open(path));
    std::unique_ptr<CZipEntryDevice> member = zip.OpenEntry(0);
    ASSERT_TRUE(member);
    QByteArray read;
    char buffer[4096];
    qint64 got;
    while ((got = member->read(buffer, sizeof buffer)) > 0) {
        read.append(buffer, got);
    }
    EXPECT_EQ(got, 0) << member->errorString().toStdString();
    EXPECT_EQ(read, big);
    EXPECT_EQ(member->ConsumedBytes(), zip.Entries()[0].compressedSize);
}
