#include "db/CCacheRecord.h"

#include <QDateTime>

#include <mutex>

CCacheRecord::CCacheRecord(bool newId) {
    InitRecord(*this, kRecordVersion, newId);
}

void InitRecord(CCacheRecord& record, int version, bool newId) {
    record.version = version;
    record.flags = 0;
    record.name.clear();
    record.rtype = kDefaultRecordType;
    record.wpt.clear();
    record.diff.clear();
    record.terr.clear();
    record.owner.clear();
    record.cont = kDefaultContainer;
    record.descr.clear();
    record.hints.clear();
    record.past_log.clear();
    record.url.clear();
    record.img_urls.clear();
    record.lat = 200.0;
    record.lon = 200.0;
    record.log_type = 0;
    record.log_start = 0;
    record.log_end = 0;
    record.log_notes.clear();
    if (version >= 2)
        record.bugs.clear();
    if (version >= 3) {
        record.custom1.clear();
        record.custom2.clear();
        record.custom3.clear();
        record.find_rat.clear();
    }
    if (newId) {
        record.wpt = NewWaypointId();
        record.name = record.wpt;
    }
}

QString WaypointIdFromNumber(quint32 n) {
    static const char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    QString id(6, QLatin1Char('X'));
    for (int pos = 5; pos >= 1; --pos) {
        id[pos] = QLatin1Char(kDigits[n % 36]);
        n /= 36;
    }
    return id;
}

QString NewWaypointId() {
    static std::mutex lock;
    static quint32 counter = 0;

    const QDateTime now = QDateTime::currentDateTime();
    const qint64 localSeconds = now.toSecsSinceEpoch() + now.offsetFromUtc();
    quint32 n = quint32(localSeconds / 2);

    std::lock_guard<std::mutex> guard(lock);
    if (counter + 1 > n)
        n = counter + 1;
    counter = n;
    return WaypointIdFromNumber(n);
}
