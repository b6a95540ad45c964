#include "ListTestHome.h"

#include <cmath>

namespace {

class FilterTest : public ListTestHome {
protected:
    QStringList Filtered() {
        list.ApplyFilters();
        return VisibleNames();
    }
};

// Degrees of latitude for a distance in kilometres along a meridian.
double KmNorth(double km) {
    return km / 6378.137 / 0.017453292519943295;
}

TEST_F(FilterTest, DistanceAndBearingKeepRecordsWithoutCoordinates) {
    SetCenter(47.0, 8.0);
    Add({"at centre", 47.0, 8.0});
    Add({"4.9 km N", 47.0 + KmNorth(4.9), 8.0});
    Add({"5.1 km N", 47.0 + KmNorth(5.1), 8.0});
    Add({"south", 46.9, 8.0});
    Add({"nowhere"});

    struct Case {
        const char* maxDistance;
        int bearingFilter;
        int units;
        QStringList visible;
    };
    const Case cases[] = {
        {"", 255, 0, {"at centre", "4.9 km N", "5.1 km N", "south", "nowhere"}},
        {"5", 255, 0, {"at centre", "4.9 km N", "nowhere"}},
        {"0", 255, 0, {"at centre", "nowhere"}},
        {"", 0, 0, {"nowhere"}},
        {"", 64, 0, {"south", "nowhere"}}, // S only; the record at the centre has bearing 0: N
        {"", 2, 0, {"at centre", "4.9 km N", "5.1 km N", "nowhere"}},
        {"4", 255, 2, {"at centre", "4.9 km N", "5.1 km N", "nowhere"}}, // 4 mi = 6.4 km
        {"abc", 255, 0, {"at centre", "nowhere"}},                       // no number reads as 0
    };
    settings->m_sortColumn = kKindDistance;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.maxDistance) + " / " + std::to_string(c.bearingFilter));
        settings->m_maxDistance = QLatin1String(c.maxDistance);
        settings->m_bearingFilter = c.bearingFilter;
        settings->m_distUnits = c.units;
        QStringList expected = c.visible;
        expected.move(expected.indexOf("nowhere"), 0); // unknown distance sorts first
        EXPECT_EQ(Filtered(), expected);
    }
}

TEST_F(FilterTest, MaxDistanceIsInclusive) {
    SetCenter(47.0, 8.0);
    CRecordSummary* edge = Add({"edge", 47.1, 8.0});
    // A record exactly at the limit, as computed.
    edge->computed = true;
    edge->distance = 5.0 / 6378.137;
    edge->bearing = 0.0;
    settings->m_maxDistance = QStringLiteral("5");
    EXPECT_EQ(Filtered(), QStringList{"edge"});
    edge->distance = std::nextafter(edge->distance, 1.0);
    EXPECT_EQ(Filtered(), QStringList());
}

TEST_F(FilterTest, DifficultyAndTerrainBounds) {
    for (const char* diff : {"1.5", "2", "2.5", "10", "", "abc", "3 stars"}) {
        CRecordSummary* s = Add({QString::fromLatin1(diff)});
        s->diff = QString::fromLatin1(diff);
        s->terr = s->diff;
    }
    struct Case {
        const char *min, *max;
        QStringList visible; // sorted by name
    };
    const Case cases[] = {
        {"", "", {"", "1.5", "10", "2", "2.5", "3 stars", "abc"}},
        {"2", "", {"10", "2", "2.5", "3 stars"}},
        {"", "2", {"1.5", "2", "abc"}},
        {"2", "3", {"2", "2.5", "3 stars"}},
        {"x", "", {"1.5", "10", "2", "2.5", "3 stars", "abc"}}, // a bound without digits is 0
    };
    for (bool terrain : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(terrain ? "terr " : "diff ") + c.min + ".." + c.max);
            settings->ClearFilters();
            (terrain ? settings->m_minTerr : settings->m_minDiff) = QLatin1String(c.min);
            (terrain ? settings->m_maxTerr : settings->m_maxDiff) = QLatin1String(c.max);
            EXPECT_EQ(Filtered(), c.visible);
        }
    }
}

TEST_F(FilterTest, TypeContainerAndCategory) {
    Rec a{"a"};
    a.rtype = "Traditional Cache";
    a.cont = "Micro";
    a.cid = 1;
    Rec b{"b"};
    b.rtype = "traditional cache";
    b.cont = "Regular";
    b.cid = 2;
    Add(a);
    Add(b);

    settings->m_filterType = "Traditional Cache";
    EXPECT_EQ(Filtered(), QStringList{"a"});
    settings->m_filterType.clear();
    settings->m_filterContainer = "Regular";
    EXPECT_EQ(Filtered(), QStringList{"b"});
    settings->m_filterContainer.clear();

    list.SetCategory(2, "Two");
    EXPECT_EQ(Filtered(), QStringList{"b"});
    list.SetCategory(kAllCategoryId, kAllCategory);
    EXPECT_EQ(Filtered(), (QStringList{"a", "b"}));
}

TEST_F(FilterTest, MatchText) {
    Rec byWpt{"Old Mill"};
    byWpt.wpt = "GC12AB";
    Rec byName{"GC12"};
    byName.wpt = "GC99";
    Rec byContainer{"Bridge"};
    byContainer.cont = "Gc12";
    Rec other{"Tower"};
    other.wpt = "GC1";
    for (const Rec& r : {byWpt, byName, byContainer, other})
        Add(r);

    settings->m_matchText = "gc12";
    EXPECT_EQ(Filtered(), (QStringList{"Bridge", "GC12", "Old Mill"}));
    settings->m_exactMatch = 1;
    EXPECT_EQ(Filtered(), (QStringList{"Bridge", "GC12"}));
    settings->m_matchText = "old";
    EXPECT_EQ(Filtered(), QStringList());
    settings->m_exactMatch = 0;
    EXPECT_EQ(Filtered(), QStringList{"Old Mill"});
}

TEST_F(FilterTest, StatusSwitches) {
    Add({"plain"});
    Add({"found", kNoCoordinate, kNoCoordinate, kFlagFound});
    Add({"disabled", kNoCoordinate, kNoCoordinate, kFlagDisabled});
    Rec noted{"noted"};
    noted.log_type = 3;
    Add(noted);

    struct Case {
        int CAppSettings::*first;
        int CAppSettings::*second;
        QStringList visible;
    };
    const Case cases[] = {
        {&CAppSettings::m_foundOnly, nullptr, {"found"}},
        {&CAppSettings::m_notFoundOnly, nullptr, {"disabled", "noted", "plain"}},
        {&CAppSettings::m_activeOnly, nullptr, {"found", "noted", "plain"}},
        {&CAppSettings::m_inactiveOnly, nullptr, {"disabled"}},
        {&CAppSettings::m_notesOnly, nullptr, {"noted"}},
        {&CAppSettings::m_foundOnly, &CAppSettings::m_notFoundOnly, {}},
        {&CAppSettings::m_activeOnly, &CAppSettings::m_inactiveOnly, {}},
        {&CAppSettings::m_foundOnly, &CAppSettings::m_inactiveOnly, {}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        settings->ClearFilters();
        settings.get()->*cases[i].first = 1;
        if (cases[i].second)
            settings.get()->*cases[i].second = 1;
        EXPECT_EQ(Filtered(), cases[i].visible);
    }
}

} // namespace
