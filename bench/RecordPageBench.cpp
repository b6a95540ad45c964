// Building record pages: the main page of a record with 20 past logs, and opening a record of a
// 50,000-record database (related waypoints query plus the main page).
#include "BenchHome.h"
#include "db/CCacheDb.h"
#include "db/CCacheRecord.h"
#include "db/CDbStatement.h"
#include "recordview/CPageSink.h"
#include "recordview/CRecPageGenerator.h"

#include <benchmark/benchmark.h>

#include <QStringList>

#include <memory>

namespace {

// A page display that only keeps the size of what it is given.
class CCountingSink : public CPageSink {
public:
    void Clear() override { size = 0; }
    void SetImageShrink(bool) override {}
    void AppendHtml(const QString& html) override { size += html.size(); }
    void EndOfSource() override {}
    void ScrollToAnchor(const QString&) override {}
    qsizetype size = 0;
};

// A well-filled cache record: 3 KB of description, hints, 20 logs of about 600 characters each
// (with line breaks and characters to escape), five image links and all the short fields.
CCacheRecord BusyRecord() {
    CCacheRecord r;
    r.name = QStringLiteral("Old Mill & Bridge <Series #4>");
    r.wpt = QStringLiteral("GC12AB");
    r.rtype = QStringLiteral("Traditional Cache");
    r.owner = QStringLiteral("Miller & Sons");
    r.diff = QStringLiteral("2.5");
    r.terr = QStringLiteral("3");
    r.cont = QStringLiteral("Regular");
    r.url = QStringLiteral("https://example.org/cache?wp=GC12AB");
    r.lat = 47.5;
    r.lon = -122.25;
    r.log_type = 2;
    r.log_notes = QStringLiteral("Found it after a long walk.\r\nTFTC <3");
    r.custom1 = QStringLiteral("Bring a torch");
    QString descr;
    for (int i = 0; i < 30; ++i)
        descr +=
            QStringLiteral("Line %1 of the description: walk <north> & look around.\r\n").arg(i);
    r.descr = descr;
    r.hints = QStringLiteral("Haqre gur [oevqtr] fgbar, arne gur byq zvyy jurry.");
    QStringList pieces;
    for (int i = 0; i < 20; ++i) {
        pieces << QStringLiteral("<img src=\"icon_smile.gif\"> 2024-03-%1").arg(i + 1)
               << QStringLiteral("Finder & friend %1").arg(i)
               << (i % 2 ? QString() : QStringLiteral("by <i>Team %1</i>").arg(i));
        QString text;
        for (int k = 0; k < 8; ++k)
            text += QStringLiteral("Avpr jnyx <gbqnl> & n terng uvqr, gunaxf [TC]!\r\n");
        pieces << text;
    }
    r.past_log = pieces.join(QChar(0x0001));
    QStringList images;
    for (int i = 0; i < 5; ++i)
        images << QStringLiteral("https://img.example.org/gc12ab/photo%1.jpg").arg(i);
    r.img_urls = images.join(QChar(0x0001));
    return r;
}

void BM_MainPage20Logs(benchmark::State& state) {
    const CCacheRecord record = BusyRecord();
    CRecPageGenerator generator(record, nullptr);
    generator.SetHyperlinks({QStringLiteral("Show Map"), QStringLiteral("mapper")});
    generator.PrepareRelatedSection();
    CCountingSink sink;
    for (auto _ : state) {
        generator.ShowPage(QStringLiteral("main"), sink);
        benchmark::DoNotOptimize(sink.size);
    }
    state.counters["html_chars"] = double(sink.size);
}
BENCHMARK(BM_MainPage20Logs)->Unit(benchmark::kMicrosecond);

// What opening the record view costs: the generator's lists, the related waypoints query on a
// database of 50,000 records and the main page.
void BM_OpenRecord20Logs50k(benchmark::State& state) {
    BenchHome home;
    std::unique_ptr<CCacheDb> db = home.OpenDb(QStringLiteral("Bench"));
    if (!db) {
        state.SkipWithError("cannot create the database");
        return;
    }
    GenerateRecords(*db, 50000);
    CCacheRecord parking;
    parking.wpt = QStringLiteral("PK12AB");
    parking.name = QStringLiteral("Parking");
    db->SaveRecord(parking, true);

    const CCacheRecord record = BusyRecord();
    CCountingSink sink;
    for (auto _ : state) {
        CRecPageGenerator generator(record, db.get());
        generator.PrepareRelatedSection();
        generator.ShowPage(QStringLiteral("main"), sink);
        benchmark::DoNotOptimize(sink.size);
    }
}
BENCHMARK(BM_OpenRecord20Logs50k)->Unit(benchmark::kMillisecond);

// The related waypoints of a GC record in a database of 50,000 records, side by side: the
// statement that defines them, which scans the table, and GetAdditionalWaypoints, which reads
// the waypoint index and then the few matches by id.
std::unique_ptr<CCacheDb> RelatedDb(BenchHome& home) {
    std::unique_ptr<CCacheDb> db = home.OpenDb(QStringLiteral("Bench"));
    if (!db)
        return db;
    GenerateRecords(*db, 50000);
    for (const char* wpt : {"PK12AB", "TR12AB", "0112AB"}) {
        CCacheRecord related;
        related.wpt = QString::fromLatin1(wpt);
        related.name = QStringLiteral("Related ") + related.wpt;
        db->SaveRecord(related, true);
    }
    return db;
}

void BM_RelatedByTableScan50k(benchmark::State& state) {
    BenchHome home;
    std::unique_ptr<CCacheDb> db = RelatedDb(home);
    if (!db) {
        state.SkipWithError("cannot create the database");
        return;
    }
    for (auto _ : state) {
        CDbStatement rows;
        int count = 0;
        if (db->Execute(QStringLiteral("select wpt,name from t_main where wpt like '__12AB'  and "
                                       "wpt<>'GC12AB'"),
                        rows)) {
            while (rows.Next() == CDbStatement::Step::Row)
                ++count;
        }
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(BM_RelatedByTableScan50k)->Unit(benchmark::kMillisecond);

void BM_RelatedThroughIndex50k(benchmark::State& state) {
    BenchHome home;
    std::unique_ptr<CCacheDb> db = RelatedDb(home);
    if (!db) {
        state.SkipWithError("cannot create the database");
        return;
    }
    for (auto _ : state) {
        QString out;
        benchmark::DoNotOptimize(db->GetAdditionalWaypoints(QStringLiteral("GC12AB"), out));
    }
}
BENCHMARK(BM_RelatedThroughIndex50k)->Unit(benchmark::kMillisecond);

} // namespace
