// The record list with 10,000 and 100,000 records: loading, filtering, sorting and memory.

#include "BenchHome.h"

#include "db/CCacheDb.h"
#include "list/CRecordList.h"
#include "settings/CAppSettings.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>

#include <malloc.h>

#include <map>

namespace {

// One home for the whole program, with one generated database per record count.
class ListEnv {
public:
    static ListEnv& Get() {
        static ListEnv env;
        return env;
    }

    // The database of `count` records, with or without long texts (descriptions, hints, logs).
    CCacheDb& Db(int count, bool longTexts = true) {
        auto& db = m_dbs[{count, longTexts}];
        if (!db) {
            db =
                m_home.OpenDb(QStringLiteral("Bench%1%2").arg(count).arg(longTexts ? "" : "Short"));
            GenerateRecords(*db, count, 1, longTexts);
        }
        return *db;
    }

    // Filters as a user in the field would: centre point set, no other filter, sorted by
    // distance, nearest first.
    CAppSettings& Settings() {
        CAppSettings& s = m_home.Settings();
        s.ClearFilters();
        s.m_centerLat = 47.62;
        s.m_centerLon = -122.35;
        s.m_sortColumn = kKindDistance;
        s.m_sortAscend = 1;
        return s;
    }

private:
    BenchHome m_home;
    std::map<std::pair<int, bool>, std::unique_ptr<CCacheDb>> m_dbs;
};

void BM_LoadFilterSortByDistance(benchmark::State& state) {
    const int count = int(state.range(0));
    CCacheDb& db = ListEnv::Get().Db(count);
    ListEnv::Get().Settings();
    CRecordList list;
    list.SetDatabase(&db);
    for (auto _ : state) {
        list.LoadSummaries();
        list.ApplyFilters();
        benchmark::DoNotOptimize(list.VisibleAt(0));
    }
    state.counters["records"] = list.LoadedCount();
    state.counters["db_MB"] = double(QFileInfo(db.GetPath()).size()) / 1e6;
}
BENCHMARK(BM_LoadFilterSortByDistance)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Opening the database and loading it, as at start-up or after Select Database: a fresh
// connection each time, so the whole file is read anew (from the system's file cache). The
// second argument is 1 for records with long texts, 0 for records without them.
void BM_OpenLoadFilterSort(benchmark::State& state) {
    const int count = int(state.range(0));
    CCacheDb& generated = ListEnv::Get().Db(count, state.range(1) != 0);
    const QString path = generated.GetPath();
    ListEnv::Get().Settings();
    for (auto _ : state) {
        CCacheDb db;
        if (!db.Open(path, QStringLiteral("Fresh"))) {
            state.SkipWithError("cannot open the database");
            break;
        }
        CRecordList list;
        list.SetDatabase(&db);
        list.LoadSummaries();
        list.ApplyFilters();
        benchmark::DoNotOptimize(list.VisibleAt(0));
        list.Clear();
        db.Close();
    }
    state.counters["db_MB"] = double(QFileInfo(path).size()) / 1e6;
}
BENCHMARK(BM_OpenLoadFilterSort)
    ->Args({10000, 1})
    ->Args({100000, 1})
    ->Args({100000, 0})
    ->Unit(benchmark::kMillisecond);

void BM_LoadSummaries(benchmark::State& state) {
    CCacheDb& db = ListEnv::Get().Db(int(state.range(0)));
    CRecordList list;
    list.SetDatabase(&db);
    for (auto _ : state) {
        list.LoadSummaries();
        benchmark::DoNotOptimize(list.LoadedAt(0));
    }
}
BENCHMARK(BM_LoadSummaries)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Filtering and sorting by distance with every distance computed afresh (after the centre point
// changed).
void BM_ResetFilterSortByDistance(benchmark::State& state) {
    CCacheDb& db = ListEnv::Get().Db(int(state.range(0)));
    ListEnv::Get().Settings();
    CRecordList list;
    list.SetDatabase(&db);
    list.LoadSummaries();
    for (auto _ : state) {
        list.ResetDistances();
        list.ApplyFilters();
        benchmark::DoNotOptimize(list.VisibleAt(0));
    }
}
BENCHMARK(BM_ResetFilterSortByDistance)->Arg(100000)->Unit(benchmark::kMillisecond);

// A search text over name, waypoint and container, with the other filters on.
void BM_FilterSearchText(benchmark::State& state) {
    CCacheDb& db = ListEnv::Get().Db(int(state.range(0)));
    CAppSettings& settings = ListEnv::Get().Settings();
    CRecordList list;
    list.SetDatabase(&db);
    list.LoadSummaries();
    settings.m_matchText = QStringLiteral("mill");
    settings.m_minDiff = QStringLiteral("1.5");
    settings.m_maxTerr = QStringLiteral("4");
    settings.m_maxDistance = QStringLiteral("80");
    settings.m_notFoundOnly = 1;
    for (auto _ : state) {
        list.ApplyFilters();
        benchmark::DoNotOptimize(list.VisibleCount());
    }
    state.counters["visible"] = list.VisibleCount();
    settings.ClearFilters();
}
BENCHMARK(BM_FilterSearchText)->Arg(100000)->Unit(benchmark::kMillisecond);

// Re-sorting every visible record by another column (a tap on a column header), starting from
// the order by distance each time.
void BM_Resort(benchmark::State& state) {
    CCacheDb& db = ListEnv::Get().Db(int(state.range(0)));
    CAppSettings& settings = ListEnv::Get().Settings();
    const int kind = int(state.range(1));
    CRecordList list;
    list.SetDatabase(&db);
    list.LoadSummaries();
    list.ApplyFilters();
    for (auto _ : state) {
        state.PauseTiming();
        settings.m_sortColumn = kKindDistance;
        list.SortVisible();
        settings.m_sortColumn = kind;
        state.ResumeTiming();
        list.SortVisible();
        benchmark::DoNotOptimize(list.VisibleAt(0));
    }
    state.SetLabel(CListColumns::HeaderTitle(kind).toStdString());
}
BENCHMARK(BM_Resort)
    ->ArgsProduct({{100000},
                   {kKindName, kKindWpt, kKindDiff, kKindOwner, kKindType, kKindBearing, kKindFound,
                    kKindFindRating, kKindHuntEnd, kKindDistance}})
    ->Unit(benchmark::kMillisecond);

// Memory held by the loaded summaries: heap in use and resident size, before and after loading.
void BM_LoadedMemory(benchmark::State& state) {
    const int count = int(state.range(0));
    CCacheDb& db = ListEnv::Get().Db(count);
    ListEnv::Get().Settings();
    CRecordList list;
    list.SetDatabase(&db);
    double heap = 0, resident = 0;
    for (auto _ : state) {
        list.Clear();
        malloc_trim(0);
        const std::size_t heapBefore = HeapInUse();
        const std::size_t residentBefore = ResidentBytes();
        list.LoadSummaries();
        list.ApplyFilters();
        heap = double(HeapInUse() - heapBefore);
        resident = double(ResidentBytes()) - double(residentBefore);
    }
    state.counters["heap_MB"] = heap / 1e6;
    state.counters["rss_MB"] = resident / 1e6;
    state.counters["heap_bytes_per_record"] = heap / count;
}
BENCHMARK(BM_LoadedMemory)->Arg(10000)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
