#include "settings/CAppSettings.h"

#include "settings/CSettingsStore.h"

#include <QtGlobal>

#include <iterator>

namespace {

// One stored value of CAppSettings. Integers carry their store default and, when set, the range
// outside of which a loaded value becomes that default; texts carry their store default and the
// text that replaces an empty loaded value.
struct SettingValue {
    const char* section;
    const char* name;
    int CAppSettings::*intMember;
    QString CAppSettings::*textMember;
    int intDefault;
    const char* textDefault;
    bool ranged;
    int min;
    int max;
    const char* ifEmpty;
};

constexpr SettingValue Int(const char* section, const char* name, int CAppSettings::*member,
                           int fallback) {
    return {section, name, member, nullptr, fallback, nullptr, false, 0, 0, nullptr};
}

constexpr SettingValue Ranged(const char* section, const char* name, int CAppSettings::*member,
                              int fallback, int min, int max) {
    return {section, name, member, nullptr, fallback, nullptr, true, min, max, nullptr};
}

constexpr SettingValue Text(const char* section, const char* name, QString CAppSettings::*member,
                            const char* fallback = "", const char* ifEmpty = nullptr) {
    return {section, name, nullptr, member, 0, fallback, false, 0, 0, ifEmpty};
}

constexpr const char* kConfig = "Config";
constexpr const char* kListView = "ListView";
constexpr const char* kActions = "Actions";
constexpr const char* kPlugins = "Plugins";

constexpr const char* kCenterPoint = "CenterPoint";
constexpr const char* kRolePrefix = "Role";

using S = CAppSettings;

// Every value but "CenterPoint" (which comes first) and the role choices (which come last), in
// the order they are loaded. Saving uses the same order except that "SortColumn" is written
// before "SortAscend".
constexpr SettingValue kValues[] = {
    Ranged(kConfig, "DistUnits", &S::m_distUnits, 0, 0, 2),
    Text(kConfig, "Database", &S::m_database, "", "Default"),
    Int(kConfig, "GpsAveraging", &S::m_gpsAveraging, 1),
    Int(kConfig, "AutoVoiceNotes", &S::m_autoVoiceNotes, 0),
    Int(kConfig, "AutoInsLogTmpl", &S::m_autoInsLogTmpl, 0),
    Int(kConfig, "AutoOpenDB", &S::m_autoOpenDb, 1),
    Int(kConfig, "DbChangeClearFilter", &S::m_dbChangeClearFilter, 0),
    Ranged(kConfig, "BugMaxDays", &S::m_bugMaxDays, 30, 1, 30),
    Int(kConfig, "EnableBugNag", &S::m_enableBugNag, 1),

    Text(kListView, "FilterType", &S::m_filterType),
    Text(kListView, "FilterContainer", &S::m_filterContainer),
    Text(kListView, "MinDiff", &S::m_minDiff),
    Text(kListView, "MaxDiff", &S::m_maxDiff),
    Text(kListView, "MinTerr", &S::m_minTerr),
    Text(kListView, "MaxTerr", &S::m_maxTerr),
    Text(kListView, "MaxDistance", &S::m_maxDistance),
    Text(kListView, "MatchText", &S::m_matchText),
    Int(kListView, "BearingFilter", &S::m_bearingFilter, 255),
    Int(kListView, "ExactMatch", &S::m_exactMatch, 0),
    Int(kListView, "FoundOnly", &S::m_foundOnly, 0),
    Int(kListView, "NotFoundOnly", &S::m_notFoundOnly, 0),
    Int(kListView, "ActiveOnly", &S::m_activeOnly, 0),
    Int(kListView, "InactiveOnly", &S::m_inactiveOnly, 0),
    Int(kListView, "NotesOnly", &S::m_notesOnly, 0),
    Int(kListView, "SortAscend", &S::m_sortAscend, 1),
    Ranged(kListView, "SortColumn", &S::m_sortColumn, 6, 0, 18),
    Int(kListView, "SaveColumns", &S::m_saveColumns, 0),
    Int(kListView, "UseSmallFont", &S::m_useSmallFont, 0),
    Int(kListView, "ShowDistUnits", &S::m_showDistUnits, 1),

    Text(kActions, "CategFound", &S::m_categFound, "Found"),
    Text(kActions, "CategNF", &S::m_categNF, "Not Found"),
    Int(kActions, "ChangeFound", &S::m_changeFound, 0),
    Int(kActions, "TimeFound", &S::m_timeFound, 0),
    Int(kActions, "MarkFound", &S::m_markFound, 1),
    Int(kActions, "ChangeNF", &S::m_changeNF, 0),
    Int(kActions, "TimeNF", &S::m_timeNF, 0),
    Int(kActions, "FoundCount", &S::m_foundCount, 1),

    Text(kPlugins, "ImpDatabase", &S::m_impDatabase, "", "Default"),
    Text(kPlugins, "ImpCateg", &S::m_impCateg, "Unfiled"),
    Text(kPlugins, "ImpCategOwned", &S::m_impCategOwned, "Owned"),
    Text(kPlugins, "ImpCategFound", &S::m_impCategFound, "Found"),
    Text(kPlugins, "ImpCategExtra", &S::m_impCategExtra, "Other"),
    Text(kPlugins, "ExpMaxRec", &S::m_expMaxRec),
    Int(kPlugins, "ImpForceCateg", &S::m_impForceCateg, 0),
    Int(kPlugins, "ImpMerge", &S::m_impMerge, 1),
    Int(kPlugins, "ImpSaveDB", &S::m_impSaveDb, 1),
};

void LoadValue(CSettingsStore& store, const SettingValue& v, CAppSettings& settings) {
    const QString section = QLatin1String(v.section);
    const QString name = QLatin1String(v.name);
    if (v.intMember) {
        int value = store.ReadInt(section, name, v.intDefault);
        if (v.ranged && (value < v.min || value > v.max))
            value = v.intDefault;
        settings.*v.intMember = value;
    } else {
        QString value = store.ReadText(section, name, QLatin1String(v.textDefault));
        if (v.ifEmpty && value.isEmpty())
            value = QLatin1String(v.ifEmpty);
        settings.*v.textMember = value;
    }
}

void SaveValue(CSettingsStore& store, const SettingValue& v, const CAppSettings& settings) {
    const QString section = QLatin1String(v.section);
    const QString name = QLatin1String(v.name);
    if (v.intMember)
        store.WriteInt(section, name, settings.*v.intMember);
    else
        store.WriteText(section, name, settings.*v.textMember);
}

bool IsName(const SettingValue& v, const char* name) {
    return qstrcmp(v.name, name) == 0;
}

QString RoleName(int role) {
    return QLatin1String(kRolePrefix) + QString::number(role);
}

CAppSettings* g_settings = nullptr;

} // namespace

void CAppSettings::LoadSettings() {
    CSettingsStore store;

    const QString center = store.ReadText(QLatin1String(kConfig), QLatin1String(kCenterPoint));
    if (!ParseCoordinates(center, m_centerLat, m_centerLon)) {
        m_centerLat = kNoCoordinate;
        m_centerLon = kNoCoordinate;
    }

    for (const SettingValue& v : kValues)
        LoadValue(store, v, *this);

    m_rolePlugins.clear();
    for (int role = kLastRole; role >= kFirstRole; --role) {
        const QString name = store.ReadText(QLatin1String(kPlugins), RoleName(role));
        if (!name.isEmpty())
            m_rolePlugins[role] = name;
    }
}

void CAppSettings::SaveSettings() const {
    CSettingsStore store;

    store.WriteText(QLatin1String(kConfig), QLatin1String(kCenterPoint),
                    FormatCoordinates(m_centerLat, m_centerLon));

    for (auto it = std::begin(kValues); it != std::end(kValues); ++it) {
        // "SortColumn" is written before "SortAscend", which precedes it in the table.
        if (IsName(*it, "SortAscend") && std::next(it) != std::end(kValues) &&
            IsName(*std::next(it), "SortColumn")) {
            SaveValue(store, *std::next(it), *this);
            SaveValue(store, *it, *this);
            ++it;
            continue;
        }
        SaveValue(store, *it, *this);
    }

    // A role without a choice leaves no value behind, so that a cleared choice stays cleared.
    for (int role = kFirstRole; role <= kLastRole; ++role) {
        const QString name = GetRolePlugin(role);
        if (name.isEmpty())
            store.DeleteValue(QLatin1String(kPlugins), RoleName(role));
        else
            store.WriteText(QLatin1String(kPlugins), RoleName(role), name);
    }

    store.Flush();
}

void CAppSettings::ClearFilters() {
    m_maxDistance.clear();
    m_matchText.clear();
    m_filterType.clear();
    m_filterContainer.clear();
    m_minDiff.clear();
    m_maxDiff.clear();
    m_minTerr.clear();
    m_maxTerr.clear();
    m_exactMatch = 0;
    m_foundOnly = 0;
    m_notFoundOnly = 0;
    m_activeOnly = 0;
    m_inactiveOnly = 0;
    m_notesOnly = 0;
    m_bearingFilter = 255;
    SaveSettings();
}

QString CAppSettings::GetRolePlugin(int role) const {
    const auto it = m_rolePlugins.find(role);
    return it == m_rolePlugins.end() ? QString() : it->second;
}

void CAppSettings::SetRolePlugin(int role, const QString& name) {
    if (role < kFirstRole || role > kLastRole)
        return;
    if (name.isEmpty())
        m_rolePlugins.erase(role);
    else
        m_rolePlugins[role] = name;
}

CAppSettings& CAppSettings::Global() {
    Q_ASSERT_X(g_settings, "CAppSettings::Global", "no settings object installed");
    return *g_settings;
}

void CAppSettings::SetGlobal(CAppSettings* settings) {
    g_settings = settings;
}
