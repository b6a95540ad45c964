#include "db/CCacheDbManager.h"

#include "db/CCacheDb.h"
#include "settings/CAppSettings.h"
#include "util/CUserInterface.h"
#include "util/CVoiceNotes.h"
#include "util/FileHelpers.h"
#include "util/HomeFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cassert>

namespace {

CCacheDbManager* g_manager = nullptr;

const QString kDefaultDb = QStringLiteral("Default");

// Files the database library keeps beside a database file while it works on it.
const char* const kSideFileSuffixes[] = {"-journal", "-wal", "-shm"};

// Whether the file holds an SQLite 3 database (or nothing yet): only such files are ever renamed
// or deleted, so that a stranger's file in the folder is left alone.
bool IsDatabaseFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (file.size() == 0)
        return true;
    static const QByteArray header("SQLite format 3\0", 16);
    return file.read(header.size()) == header;
}

} // namespace

CCacheDbManager::CCacheDbManager(const QString& dbFolder)
    : m_folder(dbFolder.isEmpty() ? HomePath(QStringLiteral("DB_Files")) : dbFolder) {
    QDir().mkpath(m_folder);
}

CCacheDbManager::~CCacheDbManager() {
    m_open.clear();
    if (g_manager == this)
        g_manager = nullptr;
}

CCacheDbManager& CCacheDbManager::Global() {
    assert(g_manager && "no database manager installed");
    return *g_manager;
}

void CCacheDbManager::SetGlobal(CCacheDbManager* manager) {
    g_manager = manager;
}

QString CCacheDbManager::NormalizeName(const QString& name) {
    QString normalized;
    normalized.reserve(name.size());
    for (const QChar c : name) {
        if (c != u'\\' && c != u'/' && c != u'.' && c != u'-' && c != QChar(0))
            normalized += c;
    }
    return normalized;
}

QString CCacheDbManager::FindFile(const QString& normalized) const {
    if (normalized.isEmpty())
        return {};
    if (QFileInfo::exists(m_folder + u'/' + normalized))
        return normalized;
    const QString key = normalized.toLower();
    const QStringList entries = QDir(m_folder).entryList(
        QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.toLower() == key)
            return entry;
    }
    return {};
}

QString CCacheDbManager::ResolveName(const QString& name) const {
    const QString normalized = NormalizeName(name);
    const QString existing = FindFile(normalized);
    return existing.isEmpty() ? normalized : existing;
}

QString CCacheDbManager::DbPath(const QString& name) const {
    const QString resolved = ResolveName(name);
    return resolved.isEmpty() ? QString() : m_folder + u'/' + resolved;
}

CCacheDb* CCacheDbManager::OpenDb(const QString& name) {
    const QString normalized = NormalizeName(name);
    if (normalized.isEmpty())
        return nullptr;
    const auto found = m_open.find(normalized.toLower());
    if (found != m_open.end()) {
        found->second->AddRef();
        return found->second.get();
    }

    const QString resolved = ResolveName(normalized);
    QDir().mkpath(m_folder);
    auto db = std::make_unique<CCacheDb>();
    if (!db->Open(m_folder + u'/' + resolved, resolved))
        return nullptr;
    CCacheDb* opened = db.get();
    m_open[db->GetKey()] = std::move(db);
    return opened;
}

void CCacheDbManager::ReleaseDb(CCacheDb* db) {
    if (!db)
        return;
    const auto found = m_open.find(db->GetKey());
    assert(found != m_open.end() && found->second.get() == db && "database not from this manager");
    if (found == m_open.end() || found->second.get() != db)
        return;
    if (db->ReleaseRef() <= 0)
        m_open.erase(found);
}

bool CCacheDbManager::IsOpen(const QString& name) const {
    const QString normalized = NormalizeName(name);
    return !normalized.isEmpty() && m_open.count(normalized.toLower()) > 0;
}

bool CCacheDbManager::DbExists(const QString& name) const {
    const QString file = FindFile(NormalizeName(name));
    if (file.isEmpty())
        return false;
    QFile probe(m_folder + u'/' + file);
    return QFileInfo(probe).isFile() && probe.open(QIODevice::ReadOnly);
}

bool CCacheDbManager::RenameDb(const QString& oldName, const QString& newName) {
    const QString oldFile = FindFile(NormalizeName(oldName));
    const QString newNormalized = NormalizeName(newName);
    if (oldFile.isEmpty() || newNormalized.isEmpty())
        return false;
    // An open database keeps its file; a new name that already has a file (other than the old
    // one, whose letter case may change) is refused before anything moves.
    if (IsOpen(oldFile) || IsOpen(newNormalized))
        return false;
    const QString newExisting = FindFile(newNormalized);
    if (!newExisting.isEmpty() && newExisting != oldFile)
        return false;
    const QString oldPath = m_folder + u'/' + oldFile;
    const QString newPath = m_folder + u'/' + newNormalized;
    if (!QFileInfo(oldPath).isFile() || !IsDatabaseFile(oldPath))
        return false;
    if (oldFile == newNormalized)
        return true;
    if (!QFile::rename(oldPath, newPath))
        return false;
    for (const char* suffix : kSideFileSuffixes) {
        if (QFileInfo::exists(oldPath + QLatin1String(suffix)))
            QFile::rename(oldPath + QLatin1String(suffix), newPath + QLatin1String(suffix));
    }

    CVoiceNotes::Global().RenameDbFolder(oldFile, newNormalized);
    return true;
}

bool CCacheDbManager::DeleteDb(const QString& name) {
    const QString file = FindFile(NormalizeName(name));
    if (file.isEmpty() || IsOpen(file))
        return false;
    const QString path = m_folder + u'/' + file;
    if (!QFileInfo(path).isFile() || !IsDatabaseFile(path))
        return false;
    if (!QFile::remove(path))
        return false;
    for (const char* suffix : kSideFileSuffixes)
        QFile::remove(path + QLatin1String(suffix));
    CVoiceNotes::Global().DeleteDbFolder(file);
    return true;
}

void CCacheDbManager::ListDbs(QStringList& out) const {
    out.clear();
    QStringList entries;
    ListFolder(m_folder, entries);
    for (const QString& entry : entries) {
        // A name that normalisation would change cannot be opened under that name.
        if (NormalizeName(entry) == entry && QFileInfo(m_folder + u'/' + entry).isFile())
            out << entry;
    }
}

CCacheDb* CCacheDbManager::OpenCurrentDb() {
    CAppSettings& settings = CAppSettings::Global();
    for (;;) {
        if (CCacheDb* db = OpenDb(settings.m_database))
            return db;
        if (settings.m_database == kDefaultDb) {
            ShowError(QStringLiteral("Error opening default database!"));
            return nullptr;
        }
        ShowWarning(QStringLiteral("Error opening database.  Attempting to use default database."));
        settings.m_database = kDefaultDb;
        settings.SaveSettings();
    }
}

bool CCacheDbManager::CompactDb(CCacheDb& db) {
    return db.Compact();
}
