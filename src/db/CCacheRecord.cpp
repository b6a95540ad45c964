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
    // Asking for the local time zone consults the system's zone files each time; the offset is
    // therefore looked up again only once a minute, which is plenty for IDs that follow the
    // clock in steps of two seconds (the counter keeps them unique in any case).
    static bool offsetKnown = false;
    static qint64 offsetCheckedAt = 0;
    static qint64 utcOffset = 0;

    std::lock_guard<std::mutex> guard(lock);
    const qint64 utcSeconds = QDateTime::currentSecsSinceEpoch();
    if (!offsetKnown || utcSeconds - offsetCheckedAt >= 60 || utcSeconds < offsetCheckedAt) {
        utcOffset = QDateTime::fromSecsSinceEpoch(utcSeconds).offsetFromUtc();
        offsetCheckedAt = utcSeconds;
        offsetKnown = true;
    }
    quint32 n = quint32((utcSeconds + utcOffset) / 2);
    if (counter + 1 > n)
        n = counter + 1;
    counter = n;
    return WaypointIdFromNumber(n);
}
