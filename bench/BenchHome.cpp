#include "BenchHome.h"

#include "db/CCacheDb.h"
#include "db/CCacheRecord.h"
#include "db/CWriteBatch.h"
#include "settings/CAppSettings.h"
#include "settings/COptionList.h"
#include "util/HomeFolder.h"

#include <QDir>
#include <QFile>

#include <malloc.h>
#include <unistd.h>

#include <random>

BenchHome::BenchHome() {
    qputenv("QUARRYBOOK_HOME", m_dir.path().toLocal8Bit());
    ResetHomeFolder();
    QDir().mkpath(Path("DB_Files"));
    m_settings = std::make_unique<CAppSettings>();
    m_settings->LoadSettings();
    CAppSettings::SetGlobal(m_settings.get());
    m_cacheTypes = std::make_unique<COptionList>(COptionList::MakeCacheTypes());
    m_containerTypes = std::make_unique<COptionList>(COptionList::MakeContainerTypes());
    m_siteUserIds = std::make_unique<COptionList>(COptionList::MakeSiteUserIds());
    COptionList::SetGlobals(m_cacheTypes.get(), m_containerTypes.get(), m_siteUserIds.get());
    QFile ids(Path("SiteUserIDs.txt"));
    if (ids.open(QIODevice::WriteOnly))
        ids.write("owner17\nowner42\n");
}

BenchHome::~BenchHome() {
    COptionList::SetGlobals(nullptr, nullptr, nullptr);
    CAppSettings::SetGlobal(nullptr);
    qunsetenv("QUARRYBOOK_HOME");
    ResetHomeFolder();
}

std::unique_ptr<CCacheDb> BenchHome::OpenDb(const QString& name) const {
    auto db = std::make_unique<CCacheDb>();
    if (!db->Open(Path("DB_Files/") + name, name))
        return nullptr;
    return db;
}

namespace {

const char* const kTypes[] = {"Traditional Cache", "Multi-cache", "Unknown Cache",
                              "Letterbox Hybrid",  "Earthcache",  "Virtual Cache",
                              "Wherigo Cache",     "Event Cache"};
const char* const kContainers[] = {"Micro", "Small", "Regular", "Large", "Other", "Virtual", ""};
const char* const kWords[] = {"Old",  "Mill",  "Creek", "Bridge", "Tower", "Forest", "Hidden",
                              "Lake", "Trail", "View",  "Rock",   "Park",  "North",  "Cache",
                              "Hill", "Light", "Stone", "Church", "Fox",   "River"};

QString Words(std::mt19937& rng, int count) {
    QString text;
    for (int i = 0; i < count; ++i) {
        if (i)
            text += QLatin1Char(' ');
        text += QLatin1String(kWords[rng() % std::size(kWords)]);
    }
    return text;
}

QString Half(std::mt19937& rng, int from, int to) {
    const int halves = from * 2 + int(rng() % unsigned(to * 2 - from * 2 + 1));
    return halves % 2 ? QString::number(halves / 2) + QStringLiteral(".5")
                      : QString::number(halves / 2);
}

} // namespace

void GenerateRecords(CCacheDb& db, int count, unsigned seed, bool longTexts) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> offset(-1.4, 1.4);
    CWriteBatch batch(db);
    for (int i = 0; i < count; ++i) {
        CCacheRecord r;
        r.name = Words(rng, 2 + int(rng() % 4));
        r.rtype = QLatin1String(kTypes[rng() % std::size(kTypes)]);
        r.wpt = QStringLiteral("GC%1").arg(QString::number(0x10000 + i, 36).toUpper());
        r.diff = Half(rng, 1, 5);
        r.terr = Half(rng, 1, 5);
        r.owner = QStringLiteral("owner%1").arg(rng() % 4000);
        r.cont = QLatin1String(kContainers[rng() % std::size(kContainers)]);
        if (longTexts) {
            r.descr = Words(rng, 200);
            r.hints = Words(rng, 6);
            r.past_log = Words(rng, 180);
        }
        r.url = QStringLiteral("https://coord.info/") + r.wpt;
        r.lat = 47.6 + offset(rng);
        r.lon = -122.3 + offset(rng);
        const unsigned kind = rng() % 20;
        r.flags = (kind == 0 ? kFlagFound : 0) | (kind == 1 ? kFlagDisabled : 0) |
                  (kind == 2 ? kFlagBookmarked : 0) | (kind == 3 ? kFlagBugs : 0);
        r.log_type = kind == 0 ? 2 : (kind == 4 ? 3 : 0);
        if (r.log_type)
            r.log_end = 0x01D9000000000000ull + rng();
        if (rng() % 5 == 0)
            r.custom1 = Words(rng, 1);
        if (rng() % 2 == 0)
            r.find_rat = QString::number(rng() % 101);
        db.SaveRecord(r, true);
    }
}

std::size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

std::size_t ResidentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? std::size_t(fields[1].toULongLong()) * sysconf(_SC_PAGESIZE) : 0;
}
