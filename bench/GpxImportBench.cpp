// Reading a pocket query of 10,000 caches with 5 logs each (about 45 MB), as the GPX import
// plug-in does: the GPX file, the same in its zip, and the whole import path up to the host's
// add_record (reading, linking waypoints, mapping to plug-in records).
//
// The file is made by make_pocket_query.py into a temporary folder, or taken from QB_PQ_FILE
// (a .gpx; its .zip beside it for the zip benchmark).
#include "CChildLinker.h"
#include "CGeoFileReader.h"
#include "CRecordMapper.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

QString PocketQuery(const char* suffix) {
    static QTemporaryDir dir;
    static QString gpx;
    if (gpx.isEmpty()) {
        gpx = qEnvironmentVariable("QB_PQ_FILE");
        if (gpx.isEmpty()) {
            gpx = dir.filePath(QStringLiteral("pq.gpx"));
            const QString script = QFileInfo(QStringLiteral(__FILE__)).absolutePath() +
                                   QStringLiteral("/make_pocket_query.py");
            if (QProcess::execute(QStringLiteral("python3"),
                                  {script, QStringLiteral("--zip"), gpx}) != 0) {
                std::abort();
            }
        }
    }
    QString path = gpx;
    path.replace(QStringLiteral(".gpx"), QString::fromLatin1(suffix));
    return path;
}

void ReadFile(benchmark::State& state, const QString& path) {
    int records = 0;
    for (auto _ : state) {
        CGeoFileReader reader;
        records = 0;
        reader.Read(path, [&records](CGeoRecord&) {
            ++records;
            return true;
        });
        if (!reader.Errors().isEmpty()) {
            state.SkipWithError("the file could not be read");
        }
    }
    state.counters["records"] = records;
    state.SetBytesProcessed(int64_t(state.iterations()) * QFileInfo(path).size());
}

void BM_ReadPocketQueryGpx(benchmark::State& state) {
    ReadFile(state, PocketQuery(".gpx"));
}
BENCHMARK(BM_ReadPocketQueryGpx)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadPocketQueryZip(benchmark::State& state) {
    ReadFile(state, PocketQuery(".zip"));
}
BENCHMARK(BM_ReadPocketQueryZip)->Unit(benchmark::kMillisecond)->UseRealTime();

// Everything the import does with each record before the host stores it.
void BM_ImportUpToTheHost(benchmark::State& state) {
    const QString path = PocketQuery(".gpx");
    QBEX_RECORD record{};
    record.version = 3;
    for (auto _ : state) {
        CGeoFileReader reader;
        CChildLinker linker(
            [&record](CGeoRecord& geo) { return CRecordMapper::ToRecord(geo, record); });
        reader.Read(path, [&linker](CGeoRecord& geo) { return linker.Add(geo); });
        linker.Flush();
    }
    qbex_record_free_strings(&record);
    state.SetBytesProcessed(int64_t(state.iterations()) * QFileInfo(path).size());
}
BENCHMARK(BM_ImportUpToTheHost)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
