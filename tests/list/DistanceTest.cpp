#include "ListTestHome.h"

#include <cmath>

namespace {

class DistanceTest : public ListTestHome {};

struct DistanceCase {
    double centerLat, centerLon, lat, lon;
    const char* km;
    const char* nm;
    const char* mi;
    const char* bearing;
    double degrees;
};

const DistanceCase kDistanceCases[] = {
    {47.6, -122.333333, 47.616667, -122.333333, "1.9 km", "1.0 nm", "1.2 mi", "N", 0.0},
    {47.6, -122.3, 47.6004, -122.3, "44 m", "146 ft", "146 ft", "N", 0.0},
    {47.6, -122.3, 47.5, -122.4, "13.4 km", "7.3 nm", "8.3 mi", "SW", 214.05},
    {47.6, -122.3, 47.6, -122.3, "0 m", "0 ft", "0 ft", "N", 0.0},
};

TEST_F(DistanceTest, TextsInEveryUnit) {
    for (const DistanceCase& c : kDistanceCases) {
        SCOPED_TRACE(QString::asprintf("%f,%f -> %f,%f", c.centerLat, c.centerLon, c.lat, c.lon)
                         .toStdString());
        SetCenter(c.centerLat, c.centerLon);
        CRecordSummary* s = Add({"r", c.lat, c.lon});
        const char* expected[] = {c.km, c.nm, c.mi};
        for (int units = 0; units < 3; ++units) {
            settings->m_distUnits = units;
            EXPECT_EQ(CRecordList::DistanceText(*s), QLatin1String(expected[units])) << units;
        }
        EXPECT_EQ(CRecordList::BearingText(*s), QLatin1String(c.bearing));
        EXPECT_NEAR(CRecordList::Bearing(*s), c.degrees, 0.005);
        EXPECT_TRUE(s->computed);
    }
}

TEST_F(DistanceTest, NumberAloneWithoutUnits) {
    settings->m_showDistUnits = 0;
    SetCenter(47.6, -122.3);
    CRecordSummary* far = Add({"far", 47.5, -122.4});
    CRecordSummary* near = Add({"near", 47.6004, -122.3});
    EXPECT_EQ(CRecordList::DistanceText(*far), "13.4");
    EXPECT_EQ(CRecordList::DistanceText(*near), "44");
}

TEST_F(DistanceTest, UnknownWithoutCoordinatesOrCentre) {
    CRecordSummary* placed = Add({"placed", 47.6, -122.3});
    CRecordSummary* unplaced = Add({"unplaced"});
    CRecordSummary* halfPlaced = Add({"half", 47.6, kNoCoordinate});

    // No centre point: every distance is unknown.
    for (CRecordSummary* s : {placed, unplaced, halfPlaced}) {
        SCOPED_TRACE(s->name.toStdString());
        EXPECT_EQ(CRecordList::Distance(*s), -1.0);
        EXPECT_EQ(CRecordList::Bearing(*s), 0.0);
        EXPECT_EQ(CRecordList::DistanceText(*s), "");
        EXPECT_EQ(CRecordList::BearingText(*s), "");
        EXPECT_FALSE(s->computed);
    }
    // A centre point set later counts at once for records that have coordinates.
    SetCenter(47.5, -122.3);
    EXPECT_EQ(CRecordList::BearingText(*placed), "N");
    EXPECT_EQ(CRecordList::DistanceText(*unplaced), "");
    EXPECT_EQ(CRecordList::DistanceText(*halfPlaced), "");
}

TEST_F(DistanceTest, CachedUntilReset) {
    SetCenter(47.6, -122.3);
    CRecordSummary* s = Add({"r", 47.5, -122.4});
    EXPECT_EQ(CRecordList::BearingText(*s), "SW");

    SetCenter(47.4, -122.5); // now the record lies to the north-east
    EXPECT_EQ(CRecordList::BearingText(*s), "SW");
    list.ResetDistances();
    EXPECT_FALSE(s->computed);
    EXPECT_EQ(s->distance, -1.0);
    EXPECT_EQ(CRecordList::BearingText(*s), "NE");
}

TEST_F(DistanceTest, SectorBoundaries) {
    struct Case {
        double bearing;
        const char* text;
        int bit;
    };
    const Case cases[] = {
        {0.0, "N", 2},    {23.0, "N", 2},     {23.01, "NE", 4}, {66.99, "NE", 4},  {67.0, "E", 16},
        {112.9, "E", 16}, {113.0, "SE", 128}, {157.0, "S", 64}, {203.0, "SW", 32}, {247.0, "W", 8},
        {293.0, "NW", 1}, {337.0, "NW", 1},   {337.5, "N", 2},  {359.9, "N", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bearing);
        CRecordSummary s;
        s.lat = s.lon = 1.0;
        s.computed = true;
        s.distance = 0.001;
        s.bearing = c.bearing;
        EXPECT_EQ(CRecordList::BearingText(s), QLatin1String(c.text));
        EXPECT_EQ(CRecordList::BearingFilterBit(c.bearing), c.bit);
    }
}

} // namespace
