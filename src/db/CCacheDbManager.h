#pragma once

#include <QString>
#include <QStringList>

#include <map>
#include <memory>

class CCacheDb;

// Owns the database folder "DB_Files": names, lists, creates, renames and deletes the record
// database files, and shares open databases so that no file is opened twice by the program.
//
// A database is named by the text the user typed with every "\", "/", ".", "-" (and NUL) removed;
// its file is the folder, "/" and that name, without an extension, and its voice notes live in
// the voice folder of the same name. File names keep their letter case, but names compare without
// regard to it: an existing file whose name matches ignoring case is the database of that name,
// and open databases are shared under the name in lower case.
class CCacheDbManager {
public:
    // `dbFolder` empty means "DB_Files" in the home folder. The folder is created when missing
    // (a failure shows later, when a database cannot be opened).
    explicit CCacheDbManager(const QString& dbFolder = QString());
    // Closes every database still open.
    ~CCacheDbManager();
    CCacheDbManager(const CCacheDbManager&) = delete;
    CCacheDbManager& operator=(const CCacheDbManager&) = delete;

    // The manager of the process; asserts when none is installed.
    static CCacheDbManager& Global();
    static void SetGlobal(CCacheDbManager* manager);

    const QString& Folder() const { return m_folder; }

    // The name with every "\", "/", ".", "-" and NUL removed: My.Caches-1 and MyCaches1 name the
    // same database. An empty result names no database.
    static QString NormalizeName(const QString& name);
    // The name a database is known by: the name of its existing file (letter case as on disk),
    // otherwise the normalised name. Empty when the name normalises to nothing.
    QString ResolveName(const QString& name) const;
    // The path of the database's file (existing or to be created); empty for an empty name.
    QString DbPath(const QString& name) const;

    // The shared database of that name, opened (and created with its tables and default
    // categories when there is no file) on first use; null when it cannot be opened. Every
    // successful OpenDb is paired with one ReleaseDb.
    CCacheDb* OpenDb(const QString& name);
    // Gives up one hold on the database; the last release closes it.
    void ReleaseDb(CCacheDb* db);
    // Whether some holder has the database open.
    bool IsOpen(const QString& name) const;
    int OpenCount() const { return int(m_open.size()); }

    // Whether a file of that name exists and can be read.
    bool DbExists(const QString& name) const;
    // Gives the database file (and its voice folder) a new name. Fails when the old file is
    // missing, open or not a database, or when another file already has the new name.
    bool RenameDb(const QString& oldName, const QString& newName);
    // Deletes the database file and its voice folder with every note in it. Fails when the file
    // is missing, open or not a database.
    bool DeleteDb(const QString& name);
    // The names of the databases in the folder, sorted by character code: every file whose name
    // is a database name (files of the database library such as journals are not listed).
    void ListDbs(QStringList& out) const;

    // Opens the database named by the setting "Database". When that fails for another name than
    // "Default", says so, makes "Default" the setting, saves the settings and tries again; when
    // "Default" fails, says that and returns null.
    CCacheDb* OpenCurrentDb();

    // Rebuilds the database file to free unused space.
    bool CompactDb(CCacheDb& db);

private:
    // The existing file in the folder whose name equals `normalized` ignoring letter case (an
    // exact match first); empty when there is none.
    QString FindFile(const QString& normalized) const;

    QString m_folder;
    std::map<QString, std::unique_ptr<CCacheDb>> m_open; // key: name in lower case
};
