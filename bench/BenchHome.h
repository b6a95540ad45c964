#pragma once

#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <memory>

class CAppSettings;
class CCacheDb;
class COptionList;

// A temporary home folder for a benchmark program: QUARRYBOOK_HOME points at it, the settings
// (store defaults) and the three option lists are installed as the global objects. Everything is
// removed when the object goes.
class BenchHome {
public:
    BenchHome();
    ~BenchHome();
    BenchHome(const BenchHome&) = delete;
    BenchHome& operator=(const BenchHome&) = delete;

    QString Path(const QString& relative) const { return m_dir.filePath(relative); }
    CAppSettings& Settings() { return *m_settings; }

    // Opens (creating) the database `name` in DB_Files; the caller owns it.
    std::unique_ptr<CCacheDb> OpenDb(const QString& name) const;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<CAppSettings> m_settings;
    std::unique_ptr<COptionList> m_cacheTypes;
    std::unique_ptr<COptionList> m_containerTypes;
    std::unique_ptr<COptionList> m_siteUserIds;
};

// Fills a database with `count` records that look like an imported pocket query around one spot
// (47.6 N, 122.3 W, within about 150 km): names, types, containers, difficulty and terrain,
// a few thousand owners, descriptions, hints and logs of realistic length, some custom fields and
// find rates, some found, disabled, bookmarked and logged records. The same seed gives the same
// records. Written in write batches. Without `longTexts` the records have no description, hints
// or logs (about 250 bytes each instead of about 4 KB).
void GenerateRecords(CCacheDb& db, int count, unsigned seed = 1, bool longTexts = true);

// Bytes of heap in use (malloc statistics) and the resident set size of the process.
std::size_t HeapInUse();
std::size_t ResidentBytes();
