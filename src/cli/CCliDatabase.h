#pragma once

#include <QString>

class CCacheDb;

// One hold on an existing record database, shared through the database manager and released
// when the object goes. Unlike the manager's OpenDb, opening never creates a database: a name
// the user mistyped must not leave an empty database behind.
class CCliDatabase {
public:
    CCliDatabase() = default;
    ~CCliDatabase();
    CCliDatabase(const CCliDatabase&) = delete;
    CCliDatabase& operator=(const CCliDatabase&) = delete;

    // Opens the database of that name. False, after a message on standard error, when there is
    // no such database or it cannot be opened.
    bool Open(const QString& name);
    void Release();

    CCacheDb* Get() const { return m_db; }
    CCacheDb* operator->() const { return m_db; }
    // The name the database is known by (letter case as on disk).
    const QString& Name() const { return m_name; }

    // The existing database of that name as the manager knows it; empty, after a message on
    // standard error, when there is none.
    static QString ExistingName(const QString& name);

private:
    CCacheDb* m_db = nullptr;
    QString m_name;
};
