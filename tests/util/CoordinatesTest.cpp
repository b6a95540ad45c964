#include "util/Coordinates.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr double k60 = 0.016666666666666666;

struct FormatCase {
    double lat;
    double lon;
    const char* text;
};

const FormatCase kFormatCases[] = {
    {-33.8568, 151.2153, "S33 51.408 E151 12.918"},
    {47.5, -122.25, "N47 30.000 W122 15.000"},
    {0, 0, "N00 00.000 E000 00.000"},
    {-0.5, -0.25, "S00 30.000 W000 15.000"},
    // Minutes that round up to 60 are not carried into the degrees.
    {47.9999999, 8.5, "N47 60.000 E008 30.000"},
    {-0.0, -0.0, "N00 00.000 E000 00.000"},
    // Positions from plug-ins are not range-checked.
    {500, -400.5, "N500 00.000 W400 30.000"},
    {1e300, 0, "N2147483647 00.000 E000 00.000"},
    {std::numeric_limits<double>::quiet_NaN(), 0, ""},
    {0, std::numeric_limits<double>::infinity(), ""},
    {200, 8.5, ""},
    {47.5, 200, ""},
    {200, 200, ""},
};

TEST(CoordinatesTest, FormatsHemisphereDegreesAndMinutes) {
    for (const FormatCase& c : kFormatCases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormatCoordinates(c.lat, c.lon), QString::fromLatin1(c.text));
    }
}

struct ParseCase {
    const char16_t* input;
    bool ok;
    double lat;
    double lon;
};

const double kSeattleLat = 47 + 36.123 * k60;
const double kSeattleLon = -(122 + 19.456 * k60);

const ParseCase kParseCases[] = {
    {u"", true, 200, 200},
    {u"   ", false, 200, 200},
    {u"N47 36.123 W122 19.456", true, kSeattleLat, kSeattleLon},
    {u"n47 36.123 w122 19.456", true, kSeattleLat, kSeattleLon},
    {u"N 47 36.123, W 122 19.456", true, kSeattleLat, kSeattleLon},
    {u"N47\u00B0 36.123' W122\u00B0 19.456'", true, kSeattleLat, kSeattleLon},
    {u"S33 51 24.5 E151 12 55.1", true, -(33 + (51 + 24.5 * k60) * k60),
     151 + (12 + 55.1 * k60) * k60},
    {u"47.5 -122.25", true, 47.5, -122.25},
    {u"47 30.0 -122 15.0", true, 47.5, -122.25},
    {u"-47 30.0 122 15.0", true, -47.5, 122.25},
    // -0 is not below zero, so its minutes keep their sign.
    {u"-0 30.000 10 0", true, 0.5, 10.0},
    // A letter directly after a number ends it and is lost.
    {u"47.5N 122.25W", true, 47.5, 122.25},
    {u"47.5 N 122.25 W", false, 200, 200},
    {u"W122 19.456 N47 36.123", false, 200, 200},
    {u"N90 0 E0 0", true, 90, 0},
    {u"S90 0 E0 0", true, -90, 0},
    {u"N90.0001 E0", false, 200, 200},
    {u"N0 E-180", true, 0, -180},
    {u"N0 E180", false, 200, 200},
    {u"N0 W180", true, 0, -180},
    {u"91 0", false, 200, 200},
    // Scanning stops after eight tokens; the eighth number still reads to its end.
    {u"N47 36 07.2 W122 19 27.3 extra 5", true, 47 + (36 + 7.2 * k60) * k60,
     -(122 + (19 + 27.3 * k60) * k60)},
    {u"N47 W122", true, 47, -122},
    // Lone "." and "-" read as 0; a second point ends the number's value.
    {u". -", true, 0, 0},
    {u"1.2.3 4", true, 1.2, 4},
    {u"N47 36.123", false, 200, 200},
    {u"N47 36.123 W122", false, 200, 200},
    {u"47 30 15 -122 15 30", false, 200, 200},
};

TEST(CoordinatesTest, ParsesEveryFormAndRejectsTheRest) {
    for (const ParseCase& c : kParseCases) {
        const QString input = QString::fromUtf16(c.input);
        SCOPED_TRACE(input.toStdString());
        double lat = 1;
        double lon = 1;
        EXPECT_EQ(ParseCoordinates(input, lat, lon), c.ok);
        EXPECT_NEAR(lat, c.lat, 1e-12);
        EXPECT_NEAR(lon, c.lon, 1e-12);
    }
}

TEST(CoordinatesTest, FormattedTextParsesBackToThePosition) {
    const double positions[][2] = {{-33.8568, 151.2153},
                                   {47.5, -122.25},
                                   {0.0001, -179.9999},
                                   {89.99, 0.004},
                                   {47.9999999, 8.5}};
    for (const auto& p : positions) {
        const QString text = FormatCoordinates(p[0], p[1]);
        SCOPED_TRACE(text.toStdString());
        double lat = 0;
        double lon = 0;
        ASSERT_TRUE(ParseCoordinates(text, lat, lon));
        // Three decimals of minutes: within half a thousandth of a minute.
        EXPECT_NEAR(lat, p[0], 0.0005 * k60 + 1e-12);
        EXPECT_NEAR(lon, p[1], 0.0005 * k60 + 1e-12);
    }
}

TEST(CoordinatesTest, EarthRadiusByUnit) {
    const std::pair<int, double> radii[] = {
        {0, 6378.137},  {1, 3443.8572804103915}, {2, 3963.190744625031},
        {3, 6378137.0}, {4, 20925647.08751536},  {5, 0.0},
        {-1, 0.0}};
    for (const auto& [unit, radius] : radii) {
        SCOPED_TRACE(unit);
        EXPECT_EQ(EarthRadius(unit), radius);
    }
}

} // namespace
