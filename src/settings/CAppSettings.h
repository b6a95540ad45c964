#pragma once

#include "util/Coordinates.h"

#include <QString>

#include <map>

// The user's preferences and the remembered state of dialogs, held in memory. Loaded once at
// start-up; every part of the program reads and changes the members directly and calls
// SaveSettings whenever a change must survive. Persisted in CSettingsStore, sections "Config",
// "ListView", "Actions" and "Plugins", one value per member under the name given beside it.
//
// Before LoadSettings the members hold: no centre point, "SortColumn" 6, "SortAscend" 1,
// "ImpMerge" 1, every other integer 0, empty texts and no role choices. LoadSettings replaces
// them with the stored values, a missing or unreadable value giving the store's default (which
// differs for several values, e.g. "BearingFilter" 255, "AutoOpenDB" 1, "Database" "Default").
class CAppSettings {
public:
    // Role numbers that can carry a chosen plug-in.
    static constexpr int kFirstRole = 1;
    static constexpr int kLastRole = 15;

    // Reads every value from the store, with the defaults and corrections of the store:
    // "DistUnits" outside 0..2 becomes 0, "BugMaxDays" outside 1..30 becomes 30, "SortColumn"
    // outside 0..18 becomes 6, an empty "Database" or "ImpDatabase" becomes "Default", a
    // "CenterPoint" that does not parse means no centre point, and only non-empty "Role1" to
    // "Role15" values count as role choices.
    void LoadSettings();
    // Writes every value to the store, changed or not, and flushes the file at once. The centre
    // point is written as its display text (empty without a centre point); "Role%d" is written
    // for every role with a chosen plug-in and removed for the others.
    void SaveSettings() const;
    // Resets the list filters (texts empty, flags 0, "BearingFilter" 255) and saves. The sort
    // order and the list's category are kept.
    void ClearFilters();

    // The plug-in chosen for a role, or the empty text.
    QString GetRolePlugin(int role) const;
    // Sets the choice for a role (1 to 15) in memory; the empty name removes it. Written by the
    // next SaveSettings.
    void SetRolePlugin(int role, const QString& name);

    bool HasCenterPoint() const { return HasCoordinates(m_centerLat, m_centerLon); }

    // The global settings object, installed by the process (or a test); asserts when none is.
    static CAppSettings& Global();
    static void SetGlobal(CAppSettings* settings);

    // "Config"
    double m_centerLat = kNoCoordinate; // "CenterPoint", with m_centerLon
    double m_centerLon = kNoCoordinate;
    int m_distUnits = 0;           // "DistUnits": 0 kilometers, 1 nautical miles, 2 statute miles
    QString m_database;            // "Database": the current database
    int m_gpsAveraging = 0;        // "GpsAveraging"
    int m_autoVoiceNotes = 0;      // "AutoVoiceNotes"
    int m_autoInsLogTmpl = 0;      // "AutoInsLogTmpl"
    int m_autoOpenDb = 0;          // "AutoOpenDB"
    int m_dbChangeClearFilter = 0; // "DbChangeClearFilter"
    int m_bugMaxDays = 0;          // "BugMaxDays"
    int m_enableBugNag = 0;        // "EnableBugNag"

    // "ListView"
    QString m_filterType;      // "FilterType": empty = any type
    QString m_filterContainer; // "FilterContainer": empty = any container
    QString m_minDiff;         // "MinDiff": decimal text; empty = no bound
    QString m_maxDiff;         // "MaxDiff"
    QString m_minTerr;         // "MinTerr"
    QString m_maxTerr;         // "MaxTerr"
    QString m_maxDistance;     // "MaxDistance": decimal text in the current unit; empty = no limit
    QString m_matchText;       // "MatchText"
    int m_bearingFilter = 0;   // "BearingFilter": NW 1, N 2, NE 4, W 8, E 16, SW 32, S 64, SE 128
    int m_exactMatch = 0;      // "ExactMatch"
    int m_foundOnly = 0;       // "FoundOnly"
    int m_notFoundOnly = 0;    // "NotFoundOnly"
    int m_activeOnly = 0;      // "ActiveOnly"
    int m_inactiveOnly = 0;    // "InactiveOnly"
    int m_notesOnly = 0;       // "NotesOnly"
    int m_sortColumn = 6;      // "SortColumn": the column kind the list is sorted by
    int m_sortAscend = 1;      // "SortAscend"
    int m_saveColumns = 0;     // "SaveColumns"
    int m_useSmallFont = 0;    // "UseSmallFont"
    int m_showDistUnits = 0;   // "ShowDistUnits"

    // "Actions"
    QString m_categFound;  // "CategFound"
    QString m_categNF;     // "CategNF"
    int m_changeFound = 0; // "ChangeFound"
    int m_timeFound = 0;   // "TimeFound"
    int m_markFound = 0;   // "MarkFound"
    int m_changeNF = 0;    // "ChangeNF"
    int m_timeNF = 0;      // "TimeNF"
    int m_foundCount = 0;  // "FoundCount": number of the next counted find

    // "Plugins"
    QString m_impDatabase;   // "ImpDatabase"
    QString m_impCateg;      // "ImpCateg"
    QString m_impCategOwned; // "ImpCategOwned"
    QString m_impCategFound; // "ImpCategFound"
    QString m_impCategExtra; // "ImpCategExtra"
    QString m_expMaxRec;     // "ExpMaxRec": decimal text; empty = no limit
    int m_impForceCateg = 0; // "ImpForceCateg"
    int m_impMerge = 1;      // "ImpMerge"
    int m_impSaveDb = 0;     // "ImpSaveDB"

private:
    std::map<int, QString> m_rolePlugins; // "Role%d": role number -> chosen plug-in name
};
