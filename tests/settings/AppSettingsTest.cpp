#include "SettingsTestHome.h"

#include "settings/CAppSettings.h"
#include "settings/CSettingsStore.h"
#include "util/HomeFolder.h"

#include <QTemporaryDir>

using S = CAppSettings;

namespace {

// Every value CAppSettings keeps (except the centre point and the role choices), with the default
// an empty store gives.
struct Value {
    const char* section;
    const char* name;
    int S::*intMember;
    QString S::*textMember;
    int intDefault;
    const char* textDefault;
};

constexpr Value I(const char* section, const char* name, int S::*member, int def) {
    return {section, name, member, nullptr, def, nullptr};
}
constexpr Value T(const char* section, const char* name, QString S::*member, const char* def) {
    return {section, name, nullptr, member, 0, def};
}

const Value kValues[] = {
    I("Config", "DistUnits", &S::m_distUnits, 0),
    T("Config", "Database", &S::m_database, "Default"),
    I("Config", "GpsAveraging", &S::m_gpsAveraging, 1),
    I("Config", "AutoVoiceNotes", &S::m_autoVoiceNotes, 0),
    I("Config", "AutoInsLogTmpl", &S::m_autoInsLogTmpl, 0),
    I("Config", "AutoOpenDB", &S::m_autoOpenDb, 1),
    I("Config", "DbChangeClearFilter", &S::m_dbChangeClearFilter, 0),
    I("Config", "BugMaxDays", &S::m_bugMaxDays, 30),
    I("Config", "EnableBugNag", &S::m_enableBugNag, 1),
    T("ListView", "FilterType", &S::m_filterType, ""),
    T("ListView", "FilterContainer", &S::m_filterContainer, ""),
    T("ListView", "MinDiff", &S::m_minDiff, ""),
    T("ListView", "MaxDiff", &S::m_maxDiff, ""),
    T("ListView", "MinTerr", &S::m_minTerr, ""),
    T("ListView", "MaxTerr", &S::m_maxTerr, ""),
    T("ListView", "MaxDistance", &S::m_maxDistance, ""),
    T("ListView", "MatchText", &S::m_matchText, ""),
    I("ListView", "BearingFilter", &S::m_bearingFilter, 255),
    I("ListView", "ExactMatch", &S::m_exactMatch, 0),
    I("ListView", "FoundOnly", &S::m_foundOnly, 0),
    I("ListView", "NotFoundOnly", &S::m_notFoundOnly, 0),
    I("ListView", "ActiveOnly", &S::m_activeOnly, 0),
    I("ListView", "InactiveOnly", &S::m_inactiveOnly, 0),
    I("ListView", "NotesOnly", &S::m_notesOnly, 0),
    I("ListView", "SortColumn", &S::m_sortColumn, 6),
    I("ListView", "SortAscend", &S::m_sortAscend, 1),
    I("ListView", "SaveColumns", &S::m_saveColumns, 0),
    I("ListView", "UseSmallFont", &S::m_useSmallFont, 0),
    I("ListView", "ShowDistUnits", &S::m_showDistUnits, 1),
    T("Actions", "CategFound", &S::m_categFound, "Found"),
    T("Actions", "CategNF", &S::m_categNF, "Not Found"),
    I("Actions", "ChangeFound", &S::m_changeFound, 0),
    I("Actions", "TimeFound", &S::m_timeFound, 0),
    I("Actions", "MarkFound", &S::m_markFound, 1),
    I("Actions", "ChangeNF", &S::m_changeNF, 0),
    I("Actions", "TimeNF", &S::m_timeNF, 0),
    I("Actions", "FoundCount", &S::m_foundCount, 1),
    T("Plugins", "ImpDatabase", &S::m_impDatabase, "Default"),
    T("Plugins", "ImpCateg", &S::m_impCateg, "Unfiled"),
    T("Plugins", "ImpCategOwned", &S::m_impCategOwned, "Owned"),
    T("Plugins", "ImpCategFound", &S::m_impCategFound, "Found"),
    T("Plugins", "ImpCategExtra", &S::m_impCategExtra, "Other"),
    T("Plugins", "ExpMaxRec", &S::m_expMaxRec, ""),
    I("Plugins", "ImpForceCateg", &S::m_impForceCateg, 0),
    I("Plugins", "ImpMerge", &S::m_impMerge, 1),
    I("Plugins", "ImpSaveDB", &S::m_impSaveDb, 1),
};

void ExpectStoreDefaults(const CAppSettings& s) {
    for (const Value& v : kValues) {
        SCOPED_TRACE(v.name);
        if (v.intMember)
            EXPECT_EQ(s.*v.intMember, v.intDefault);
        else
            EXPECT_EQ(s.*v.textMember, QString::fromUtf8(v.textDefault));
    }
    EXPECT_FALSE(s.HasCenterPoint());
    for (int role = 1; role <= 15; ++role)
        EXPECT_EQ(s.GetRolePlugin(role), QString()) << "role " << role;
}

CAppSettings Loaded() {
    CAppSettings s;
    s.LoadSettings();
    return s;
}

} // namespace

class AppSettingsTest : public SettingsTestHome {};

TEST_F(AppSettingsTest, BeforeLoadingOnlyTheSortAndMergeValuesAreSet) {
    const CAppSettings s;
    EXPECT_EQ(s.m_centerLat, kNoCoordinate);
    EXPECT_EQ(s.m_centerLon, kNoCoordinate);
    for (const Value& v : kValues) {
        SCOPED_TRACE(v.name);
        if (!v.intMember) {
            EXPECT_EQ(s.*v.textMember, QString());
            continue;
        }
        const QString name = v.name;
        const bool one = name == "SortAscend" || name == "ImpMerge";
        EXPECT_EQ(s.*v.intMember, name == "SortColumn" ? 6 : one ? 1 : 0);
    }
}

TEST_F(AppSettingsTest, EmptyStoreGivesTheDefaults) {
    ExpectStoreDefaults(Loaded());
    EXPECT_FALSE(QFile::exists(Path("Quarrybook.ini"))) << "loading must not write";
}

TEST_F(AppSettingsTest, AnotherHomeStartsFromItsOwnEmptyStore) {
    CAppSettings changed = Loaded();
    changed.m_database = "Elsewhere";
    changed.m_bugMaxDays = 3;
    changed.SetRolePlugin(2, "Nav");
    changed.SaveSettings();
    ASSERT_EQ(Loaded().m_database, QStringLiteral("Elsewhere"));

    QTemporaryDir other;
    ASSERT_TRUE(other.isValid());
    const QByteArray home = qgetenv("QUARRYBOOK_HOME");
    qputenv("QUARRYBOOK_HOME", other.path().toLocal8Bit());
    ResetHomeFolder();
    ExpectStoreDefaults(Loaded());
    qputenv("QUARRYBOOK_HOME", home);
    ResetHomeFolder();
}

struct IntegerCase {
    const char* section;
    const char* name;
    const char* stored;
    int S::*member;
    int expected;
};

void PrintTo(const IntegerCase& c, std::ostream* os) {
    *os << c.name << "=" << c.stored;
}

// Each case in a home of its own, so that every load reads a file of its own.
class IntegerLoadTest : public SettingsTestHome,
                        public ::testing::WithParamInterface<IntegerCase> {};

TEST_P(IntegerLoadTest, OutOfRangeAndUnreadableValuesLoadAsDefaults) {
    const IntegerCase& c = GetParam();
    WriteSettings(QByteArray("[") + c.section + "]\n" + c.name + "=" + c.stored + "\n");
    EXPECT_EQ(Loaded().*c.member, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    AppSettings, IntegerLoadTest,
    ::testing::Values(IntegerCase{"Config", "BugMaxDays", "0", &S::m_bugMaxDays, 30},
                      IntegerCase{"Config", "BugMaxDays", "45", &S::m_bugMaxDays, 30},
                      IntegerCase{"Config", "BugMaxDays", "1", &S::m_bugMaxDays, 1},
                      IntegerCase{"Config", "BugMaxDays", "30", &S::m_bugMaxDays, 30},
                      IntegerCase{"Config", "DistUnits", "3", &S::m_distUnits, 0},
                      IntegerCase{"Config", "DistUnits", "-1", &S::m_distUnits, 0},
                      IntegerCase{"Config", "DistUnits", "2", &S::m_distUnits, 2},
                      IntegerCase{"ListView", "SortColumn", "19", &S::m_sortColumn, 6},
                      IntegerCase{"ListView", "SortColumn", "-1", &S::m_sortColumn, 6},
                      IntegerCase{"ListView", "SortColumn", "18", &S::m_sortColumn, 18},
                      IntegerCase{"ListView", "SortColumn", "0", &S::m_sortColumn, 0},
                      IntegerCase{"ListView", "BearingFilter", "abc", &S::m_bearingFilter, 255},
                      IntegerCase{"ListView", "BearingFilter", "4294967296", &S::m_bearingFilter,
                                  255},
                      IntegerCase{"ListView", "BearingFilter", "12", &S::m_bearingFilter, 12},
                      IntegerCase{"Actions", "FoundCount", "", &S::m_foundCount, 1},
                      IntegerCase{"Actions", "FoundCount", "-5", &S::m_foundCount, -5},
                      IntegerCase{"Plugins", "ImpSaveDB", "0", &S::m_impSaveDb, 0}));

TEST_F(AppSettingsTest, EmptyDatabaseNamesBecomeDefault) {
    WriteSettings("[Config]\nDatabase=\n[Plugins]\nImpDatabase=\nImpCateg=\n");
    const CAppSettings s = Loaded();
    EXPECT_EQ(s.m_database, QStringLiteral("Default"));
    EXPECT_EQ(s.m_impDatabase, QStringLiteral("Default"));
    // Other texts keep a stored empty value.
    EXPECT_EQ(s.m_impCateg, QString());
}

TEST_F(AppSettingsTest, CenterPointIsParsedAndAnUnparsableOneIsSavedBackEmpty) {
    WriteSettings("[Config]\nCenterPoint=somewhere nice\n");
    CAppSettings s = Loaded();
    EXPECT_FALSE(s.HasCenterPoint());
    EXPECT_EQ(s.m_centerLat, kNoCoordinate);
    EXPECT_EQ(s.m_centerLon, kNoCoordinate);
    s.SaveSettings();
    EXPECT_EQ(StoredValue("Config", "CenterPoint"), QString());

    s.m_centerLat = 47.5;
    s.m_centerLon = -122.25;
    s.SaveSettings();
    const QString stored = FormatCoordinates(47.5, -122.25);
    ASSERT_FALSE(stored.isEmpty());
    EXPECT_EQ(CSettingsStore().ReadText("Config", "CenterPoint"), stored);
    const CAppSettings back = Loaded();
    EXPECT_DOUBLE_EQ(back.m_centerLat, 47.5);
    EXPECT_DOUBLE_EQ(back.m_centerLon, -122.25);
}

TEST_F(AppSettingsTest, RoleChoicesAreOnlyNonEmptyValuesOfRolesOneToFifteen) {
    WriteSettings("[Plugins]\nRole1=Mapper\nRole3=\nRole15=Calc\nRole16=Ghost\nRole0=Zero\n");
    CAppSettings s = Loaded();
    EXPECT_EQ(s.GetRolePlugin(1), QStringLiteral("Mapper"));
    EXPECT_EQ(s.GetRolePlugin(3), QString());
    EXPECT_EQ(s.GetRolePlugin(15), QStringLiteral("Calc"));
    EXPECT_EQ(s.GetRolePlugin(16), QString());
    EXPECT_EQ(s.GetRolePlugin(0), QString());

    s.SetRolePlugin(16, "Ignored");
    s.SetRolePlugin(7, "Importer");
    s.SetRolePlugin(1, QString());
    s.SaveSettings();
    EXPECT_EQ(StoredValue("Plugins", "Role7"), QStringLiteral("Importer"));
    EXPECT_FALSE(StoredValue("Plugins", "Role1").has_value()) << "a cleared choice is removed";
    EXPECT_FALSE(StoredValue("Plugins", "Role3").has_value());
    EXPECT_EQ(StoredValue("Plugins", "Role16"), QStringLiteral("Ghost")) << "never touched";

    const CAppSettings back = Loaded();
    EXPECT_EQ(back.GetRolePlugin(1), QString());
    EXPECT_EQ(back.GetRolePlugin(7), QStringLiteral("Importer"));
    EXPECT_EQ(back.GetRolePlugin(15), QStringLiteral("Calc"));
    EXPECT_EQ(back.GetRolePlugin(16), QString());
}

TEST_F(AppSettingsTest, SaveWritesEveryValueAndLoadReadsItBack) {
    CAppSettings s = Loaded();
    for (const Value& v : kValues) {
        // In range for the corrected values, and different from every default.
        if (v.intMember)
            s.*v.intMember = v.intDefault == 2 ? 1 : 2;
        else
            s.*v.textMember = QStringLiteral("@%1, \"Café\" = #;").arg(v.name);
    }
    s.m_centerLat = -33.75;
    s.m_centerLon = 151.5;
    s.SetRolePlugin(9, "Linker");
    s.SaveSettings();

    for (const Value& v : kValues) {
        SCOPED_TRACE(v.name);
        const auto stored = StoredValue(v.section, v.name);
        ASSERT_TRUE(stored.has_value()) << "not written in its section";
        if (v.intMember) {
            EXPECT_EQ(*stored, QString::number(s.*v.intMember)) << "integers are stored as numbers";
        }
    }

    const CAppSettings back = Loaded();
    for (const Value& v : kValues) {
        SCOPED_TRACE(v.name);
        if (v.intMember)
            EXPECT_EQ(back.*v.intMember, s.*v.intMember);
        else
            EXPECT_EQ(back.*v.textMember, s.*v.textMember);
    }
    EXPECT_DOUBLE_EQ(back.m_centerLat, -33.75);
    EXPECT_DOUBLE_EQ(back.m_centerLon, 151.5);
    EXPECT_EQ(back.GetRolePlugin(9), QStringLiteral("Linker"));
}

TEST_F(AppSettingsTest, SaveOverwritesValuesChangedOutsideAndKeepsOthers) {
    CAppSettings s = Loaded();
    CSettingsStore().WriteText("ListView", "Category", "Found");
    CSettingsStore().WriteInt("Config", "DistUnits", 2);
    s.SaveSettings();
    CSettingsStore store;
    EXPECT_EQ(store.ReadInt("Config", "DistUnits", -1), 0);
    EXPECT_EQ(store.ReadText("ListView", "Category"), QStringLiteral("Found"));
}

TEST_F(AppSettingsTest, ClearFiltersResetsFiltersOnlyAndSaves) {
    CAppSettings s = Loaded();
    for (QString S::*text :
         {&S::m_maxDistance, &S::m_matchText, &S::m_filterType, &S::m_filterContainer,
          &S::m_minDiff, &S::m_maxDiff, &S::m_minTerr, &S::m_maxTerr})
        s.*text = "x";
    for (int S::*flag : {&S::m_exactMatch, &S::m_foundOnly, &S::m_notFoundOnly, &S::m_activeOnly,
                         &S::m_inactiveOnly, &S::m_notesOnly})
        s.*flag = 1;
    s.m_bearingFilter = 6;
    s.m_sortColumn = 3;
    s.m_sortAscend = 0;
    s.m_database = "Trip";
    CSettingsStore().WriteText("ListView", "Category", "Found");

    s.ClearFilters();

    const CAppSettings back = Loaded();
    for (QString S::*text :
         {&S::m_maxDistance, &S::m_matchText, &S::m_filterType, &S::m_filterContainer,
          &S::m_minDiff, &S::m_maxDiff, &S::m_minTerr, &S::m_maxTerr})
        EXPECT_EQ(back.*text, QString());
    for (int S::*flag : {&S::m_exactMatch, &S::m_foundOnly, &S::m_notFoundOnly, &S::m_activeOnly,
                         &S::m_inactiveOnly, &S::m_notesOnly})
        EXPECT_EQ(back.*flag, 0);
    EXPECT_EQ(back.m_bearingFilter, 255);
    EXPECT_EQ(back.m_sortColumn, 3);
    EXPECT_EQ(back.m_sortAscend, 0);
    EXPECT_EQ(back.m_database, QStringLiteral("Trip")) << "the whole object is saved";
    EXPECT_EQ(CSettingsStore().ReadText("ListView", "Category"), QStringLiteral("Found"));
}
