#include "cli/CCliDatabase.h"

#include "cli/CliOutput.h"
#include "db/CCacheDb.h"
#include "db/CCacheDbManager.h"

CCliDatabase::~CCliDatabase() {
    Release();
}

QString CCliDatabase::ExistingName(const QString& name) {
    const CCacheDbManager& databases = CCacheDbManager::Global();
    if (CCacheDbManager::NormalizeName(name).isEmpty() || !databases.DbExists(name)) {
        Fail(QStringLiteral("no database named \"%1\"").arg(name));
        return QString();
    }
    return databases.ResolveName(name);
}

bool CCliDatabase::Open(const QString& name) {
    Release();
    const QString existing = ExistingName(name);
    if (existing.isEmpty())
        return false;
    m_db = CCacheDbManager::Global().OpenDb(existing);
    if (!m_db) {
        Fail(QStringLiteral("cannot open the database \"%1\"").arg(existing));
        return false;
    }
    m_name = m_db->GetName();
    return true;
}

void CCliDatabase::Release() {
    if (m_db)
        CCacheDbManager::Global().ReleaseDb(m_db);
    m_db = nullptr;
    m_name.clear();
}
