#include "plugins/CImportChoices.h"

#include "db/CCacheDb.h"
#include "db/CCacheDbManager.h"
#include "plugins/CPluginMgr.h"
#include "settings/CAppSettings.h"
#include "util/CUserInterface.h"

void CImportChoices::Load(const CAppSettings& settings) {
    m_plugin = settings.GetRolePlugin(kRoleImportRecords);
    m_overrideCategory = settings.m_impForceCateg != 0;
    m_merge = settings.m_impMerge != 0;
    m_rememberDatabase = settings.m_impSaveDb != 0;
    m_database = m_rememberDatabase ? settings.m_impDatabase : QString();
    m_categDefault = settings.m_impCateg;
    m_categFound = settings.m_impCategFound;
    m_categOwned = settings.m_impCategOwned;
    m_categExtra = settings.m_impCategExtra;
}

void CImportChoices::Store(CAppSettings& settings) const {
    settings.SetRolePlugin(kRoleImportRecords, m_plugin);
    settings.m_impForceCateg = m_overrideCategory ? 1 : 0;
    settings.m_impMerge = m_merge ? 1 : 0;
    settings.m_impSaveDb = m_rememberDatabase ? 1 : 0;
    settings.m_impDatabase = m_database;
    settings.m_impCateg = m_categDefault;
    settings.m_impCategFound = m_categFound;
    settings.m_impCategOwned = m_categOwned;
    settings.m_impCategExtra = m_categExtra;
    settings.SaveSettings();
}

QString* CImportChoices::Categories(int index) {
    switch (index) {
    case 0:
        return &m_categDefault;
    case 1:
        return &m_categFound;
    case 2:
        return &m_categOwned;
    case 3:
        return &m_categExtra;
    default:
        return nullptr;
    }
}

bool CImportChoices::SelectDatabase(const QString& name, CCacheDbManager& databases) {
    // Only an existing file is a database to import into: opening a missing one would create it.
    if (name.isEmpty() || !databases.DbExists(name))
        return false;
    CCacheDb* db = databases.OpenDb(name);
    if (!db)
        return false;
    // The name as the database list shows it.
    m_database = databases.ResolveName(name);
    bool changed = false;
    for (int i = 0; i < kCategoryCount; ++i) {
        QString& category = *Categories(i);
        QString checked = db->CategoryNameOf(db->CategoryIdOf(category));
        if (checked.isEmpty())
            checked = kUnfiledCategory;
        if (checked != category) {
            category = checked;
            changed = true;
        }
    }
    databases.ReleaseDb(db);
    m_categoriesNeedReload = true;
    if (changed)
        ShowWarning(
            QStringLiteral("Import categories have changed.  Please check the Routing page."));
    return true;
}

bool CImportChoices::SelectInitialDatabase(const QStringList& names, const CAppSettings& settings,
                                           CCacheDbManager& databases) {
    return SelectDatabase(m_database, databases) ||
           SelectDatabase(settings.m_database, databases) ||
           SelectDatabase(names.value(0), databases);
}
