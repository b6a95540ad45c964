#pragma once

#include <QString>
#include <QStringList>

class CAppSettings;
class CCacheDbManager;

// The values the import dialog edits: the import plug-in, the target database, the three import
// options and the four categories incoming records are routed to. They are loaded from the
// settings section "Plugins" and stored back on Start. Selecting a target database checks the
// routing categories against it, so that each names a category the database has ("Unfiled" when
// it has none of that name). Holds no widgets, so the rules can be used and tested on their own.
class CImportChoices {
public:
    virtual ~CImportChoices() = default;

    // The plug-in from "Role7", the flags "ImpForceCateg", "ImpMerge", "ImpSaveDB", the four
    // categories, and the database from "ImpDatabase", which is taken as empty when the database
    // selection is not to be remembered.
    void Load(const CAppSettings& settings);
    // Writes every value into the settings ("ImpDatabase" whether or not it is to be remembered:
    // the flag only decides whether it is preselected next time) and saves them.
    void Store(CAppSettings& settings) const;

    // Makes `name` the target database: fails when the name is empty, when no database of that
    // name exists or when it cannot be opened. Otherwise each routing category (default, found,
    // owned, extra) is replaced by the name its lookup in that database gives ("Unfiled" for a
    // name the database lacks), the categories are marked for reloading, and when any of them
    // changed the warning "Import categories have changed.  Please check the Routing page." is
    // shown once.
    bool SelectDatabase(const QString& name, CCacheDbManager& databases);
    // The database the dialog opens on: the loaded one, else the current database (setting
    // "Database"), else the first of `names`. False when none of them can be selected.
    bool SelectInitialDatabase(const QStringList& names, const CAppSettings& settings,
                               CCacheDbManager& databases);

    // The four routing categories in the order they are checked.
    QString* Categories(int index);
    static constexpr int kCategoryCount = 4;

    QString m_plugin;                    // "Role7"
    QString m_database;                  // "ImpDatabase"
    bool m_overrideCategory = false;     // "ImpForceCateg"
    bool m_merge = true;                 // "ImpMerge"
    bool m_rememberDatabase = true;      // "ImpSaveDB"
    QString m_categDefault;              // "ImpCateg"
    QString m_categFound;                // "ImpCategFound"
    QString m_categOwned;                // "ImpCategOwned"
    QString m_categExtra;                // "ImpCategExtra"
    bool m_categoriesNeedReload = false; // set whenever a database is selected
};
