#include "cli/CTemporarySettings.h"

#include "settings/CSettingsStore.h"

#include <iterator>

namespace {

using StoredText = std::optional<QString>;

// One stored value the tool may change, and the text a save of the settings writes for it.
struct GuardedValue {
    const char* section;
    const char* name;
    StoredText (*text)(const CAppSettings& s);
};

StoredText Int(int value) {
    return QString::number(value);
}

// A role choice is written when one is made and removed otherwise.
template <int role> StoredText Role(const CAppSettings& s) {
    const QString name = s.GetRolePlugin(role);
    return name.isEmpty() ? StoredText() : StoredText(name);
}

using S = CAppSettings;

const GuardedValue kGuarded[] = {
    // The import dialog's and the Select Plugin dialog's choices.
    {"Plugins", "Role5", &Role<5>},
    {"Plugins", "Role7", &Role<7>},
    {"Plugins", "ImpDatabase", [](const S& s) -> StoredText { return s.m_impDatabase; }},
    {"Plugins", "ImpCateg", [](const S& s) -> StoredText { return s.m_impCateg; }},
    {"Plugins", "ImpCategOwned", [](const S& s) -> StoredText { return s.m_impCategOwned; }},
    {"Plugins", "ImpCategFound", [](const S& s) -> StoredText { return s.m_impCategFound; }},
    {"Plugins", "ImpCategExtra", [](const S& s) -> StoredText { return s.m_impCategExtra; }},
    {"Plugins", "ExpMaxRec", [](const S& s) -> StoredText { return s.m_expMaxRec; }},
    {"Plugins", "ImpForceCateg", [](const S& s) { return Int(s.m_impForceCateg); }},
    {"Plugins", "ImpMerge", [](const S& s) { return Int(s.m_impMerge); }},
    // The database the plug-ins work on, the list's view: centre point, units, filters and sort
    // order.
    {"Config", "Database", [](const S& s) -> StoredText { return s.m_database; }},
    {"Config", "CenterPoint",
     [](const S& s) -> StoredText { return FormatCoordinates(s.m_centerLat, s.m_centerLon); }},
    {"Config", "DistUnits", [](const S& s) { return Int(s.m_distUnits); }},
    {"ListView", "FilterType", [](const S& s) -> StoredText { return s.m_filterType; }},
    {"ListView", "FilterContainer", [](const S& s) -> StoredText { return s.m_filterContainer; }},
    {"ListView", "MinDiff", [](const S& s) -> StoredText { return s.m_minDiff; }},
    {"ListView", "MaxDiff", [](const S& s) -> StoredText { return s.m_maxDiff; }},
    {"ListView", "MinTerr", [](const S& s) -> StoredText { return s.m_minTerr; }},
    {"ListView", "MaxTerr", [](const S& s) -> StoredText { return s.m_maxTerr; }},
    {"ListView", "MaxDistance", [](const S& s) -> StoredText { return s.m_maxDistance; }},
    {"ListView", "MatchText", [](const S& s) -> StoredText { return s.m_matchText; }},
    {"ListView", "BearingFilter", [](const S& s) { return Int(s.m_bearingFilter); }},
    {"ListView", "ExactMatch", [](const S& s) { return Int(s.m_exactMatch); }},
    {"ListView", "FoundOnly", [](const S& s) { return Int(s.m_foundOnly); }},
    {"ListView", "NotFoundOnly", [](const S& s) { return Int(s.m_notFoundOnly); }},
    {"ListView", "ActiveOnly", [](const S& s) { return Int(s.m_activeOnly); }},
    {"ListView", "InactiveOnly", [](const S& s) { return Int(s.m_inactiveOnly); }},
    {"ListView", "NotesOnly", [](const S& s) { return Int(s.m_notesOnly); }},
    {"ListView", "SortColumn", [](const S& s) { return Int(s.m_sortColumn); }},
    {"ListView", "SortAscend", [](const S& s) { return Int(s.m_sortAscend); }},
    {"ListView", "ShowDistUnits", [](const S& s) { return Int(s.m_showDistUnits); }},
};

StoredText ReadStored(const CSettingsStore& store, const GuardedValue& value) {
    const QString section = QLatin1String(value.section);
    const QString name = QLatin1String(value.name);
    if (!store.HasValue(section, name))
        return {};
    return store.ReadText(section, name);
}

} // namespace

CTemporarySettings::CTemporarySettings() : m_memory(CAppSettings::Global()) {
    const CSettingsStore store;
    for (const GuardedValue& value : kGuarded)
        m_stored.push_back(ReadStored(store, value));
}

CTemporarySettings::~CTemporarySettings() {
    CAppSettings& settings = CAppSettings::Global();
    const CAppSettings temporary = settings;
    settings = m_memory;

    CSettingsStore store;
    for (size_t i = 0; i < std::size(kGuarded); ++i) {
        const GuardedValue& value = kGuarded[i];
        const StoredText now = ReadStored(store, value);
        const StoredText runText = value.text(temporary);
        // Only a value that a save during the run wrote with the run's own text is set back;
        // whatever another program stored meanwhile stays.
        if (now == m_stored[i] || now != runText || runText == value.text(m_memory))
            continue;
        const QString section = QLatin1String(value.section);
        const QString name = QLatin1String(value.name);
        if (m_stored[i])
            store.WriteText(section, name, *m_stored[i]);
        else
            store.DeleteValue(section, name);
    }
}
