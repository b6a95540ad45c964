#include "SampleRecords.h"

#include "GeoText.h"

#include <gtest/gtest.h>

using namespace qbgeo;

namespace {

QString U(const char* text) {
    return QString::fromUtf8(text);
}

CGeoLog Log(const char* type, const char* finder, const char* date, const char* text) {
    CGeoLog log;
    log.type = U(type);
    log.finder = U(finder);
    log.date = U(date);
    log.text = U(text);
    return log;
}

} // namespace

std::vector<CGeoRecord> SampleRecords() {
    std::vector<CGeoRecord> records(4);
    CGeoRecord& a = records[0];
    a.kind = EGeoKind::Cache;
    a.code = U("GC1A2B3");
    a.name = U("Am Steinbruch – \"Über\" den Wolken");
    a.type = U("Traditional Cache");
    a.container = U("Small");
    a.difficulty = U("1.5");
    a.terrain = U("2");
    a.owner = U("Jörg & Co <Müller>");
    a.description = U("Erste Zeile mit <b>kein Tag</b> & Text.\r\n\r\n  eingerückt\tTab\r\nEnde");
    a.images = {U("https://img.example.com/a.jpg"),
                U("https://img.example.com/b c.jpg?x=1&y=\"2\"")};
    a.hints = U("Unter dem [Stein] & Moos");
    a.url = U("https://coord.info/GC1A2B3");
    a.lat = 48.137154;
    a.lon = 11.576124;
    a.found = true;
    a.logs = {Log("Found it", "Anna & Ben", "2024-05-01", "TFTC!\r\nSchöner Ort, <3 danke."),
              Log("Didn't find it", "Kai <K>", "2024-04-20", "Kein Glück [heute]")};
    CGeoBug blue;
    blue.ref = U("TB1A2B");
    blue.name = U("Blue Bear & Co");
    CGeoBug rocket;
    rocket.ref = U("TB9Z8Y");
    rocket.name = U("Rakete");
    a.bugs = {blue, rocket};
    a.user1 = U("Corrected: N 48° 08.229");
    a.user2 = U("Team");
    a.user3 = U("3");
    a.findRate = U("75");

    CGeoRecord& b = records[1];
    b.kind = EGeoKind::Cache;
    b.code = U("GC9XY12");
    b.name = U("Pražský orloj");
    b.type = U("Multi-cache");
    b.container = U("Not chosen");
    b.difficulty = U("5");
    b.terrain = U("4.5");
    b.owner = U("Šťastný Čech");
    b.description = U("Příliš žluťoučký kůň úpěl ďábelské ódy.");
    b.url = U("https://coord.info/GC9XY12");
    b.lat = -33.8568;
    b.lon = -151.2153;
    b.disabled = true;

    CGeoRecord& c = records[2];
    c.kind = EGeoKind::Child;
    c.code = U("PK1A2B3");
    c.name = U("Parkplatz");
    c.type = U("Parking Area");
    c.description = U("Free parking\r\nat the lot");
    c.url = U("https://coord.info/PK1A2B3");
    c.lat = 48.136;
    c.lon = 11.575;

    CGeoRecord& d = records[3];
    d.kind = EGeoKind::Child;
    d.code = U("FN1A2B3");
    d.name = U("Final");
    d.type = U("Final Location");
    d.hints = U("Magnet");
    d.lat = 48.1;
    d.lon = 11.5;
    d.disabled = true;
    return records;
}

void ExpectSameRecord(const CGeoRecord& actual, const CGeoRecord& expected) {
    SCOPED_TRACE(expected.code.toStdString());
    EXPECT_EQ(int(actual.kind), int(expected.kind));
    EXPECT_EQ(actual.code, expected.code);
    EXPECT_EQ(actual.name, expected.name);
    EXPECT_EQ(actual.type, expected.type);
    EXPECT_EQ(actual.container, expected.container);
    EXPECT_EQ(actual.difficulty, expected.difficulty);
    EXPECT_EQ(actual.terrain, expected.terrain);
    EXPECT_EQ(actual.owner, expected.owner);
    EXPECT_EQ(actual.description, expected.description);
    EXPECT_EQ(actual.images, expected.images);
    EXPECT_EQ(actual.hints, expected.hints);
    EXPECT_EQ(actual.url, expected.url);
    EXPECT_EQ(actual.lat, expected.lat);
    EXPECT_EQ(actual.lon, expected.lon);
    EXPECT_EQ(actual.found, expected.found);
    EXPECT_EQ(actual.disabled, expected.disabled);
    ASSERT_EQ(actual.logs.size(), expected.logs.size());
    for (size_t i = 0; i < actual.logs.size(); ++i) {
        EXPECT_EQ(actual.logs[i].type, expected.logs[i].type);
        EXPECT_EQ(actual.logs[i].finder, expected.logs[i].finder);
        EXPECT_EQ(IsoDateOf(actual.logs[i].date), IsoDateOf(expected.logs[i].date));
        EXPECT_EQ(actual.logs[i].text, expected.logs[i].text);
    }
    ASSERT_EQ(actual.bugs.size(), expected.bugs.size());
    for (size_t i = 0; i < actual.bugs.size(); ++i) {
        EXPECT_EQ(actual.bugs[i].ref, expected.bugs[i].ref);
        EXPECT_EQ(actual.bugs[i].name, expected.bugs[i].name);
    }
    EXPECT_EQ(actual.user1, expected.user1);
    EXPECT_EQ(actual.user2, expected.user2);
    EXPECT_EQ(actual.user3, expected.user3);
    EXPECT_EQ(actual.findRate, expected.findRate);
}
