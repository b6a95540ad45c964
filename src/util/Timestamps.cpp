#include "util/Timestamps.h"

namespace {

// Milliseconds from 1601-01-01 to 1970-01-01, and timestamp units per millisecond.
constexpr qint64 kEpochOffsetMs = 11644473600000LL;
constexpr quint64 kUnitsPerMs = 10000;

// Reads hexadecimal digits until the first character that is not one.
quint32 ReadHex(QStringView text) {
    quint32 value = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        quint32 digit;
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        else if (u >= u'a' && u <= u'f')
            digit = u - u'a' + 10;
        else
            break;
        value = value * 16 + digit;
    }
    return value;
}

} // namespace

Timestamp ParseTimestamp(const QString& text) {
    if (text.size() != 16)
        return 0;
    const quint64 high = ReadHex(QStringView(text).left(8));
    const quint64 low = ReadHex(QStringView(text).mid(8));
    return (high << 32) | low;
}

QString TimestampHex(Timestamp ts) {
    return QString::asprintf("%08X%08X", static_cast<unsigned>(ts >> 32),
                             static_cast<unsigned>(ts & 0xFFFFFFFFu));
}

QDateTime TimestampToUtc(Timestamp ts) {
    if (ts == 0)
        return QDateTime();
    const qint64 ms = static_cast<qint64>(ts / kUnitsPerMs) - kEpochOffsetMs;
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
}

QDateTime TimestampToLocal(Timestamp ts) {
    if (ts == 0)
        return QDateTime();
    return TimestampToUtc(ts).toLocalTime();
}

Timestamp DateTimeToTimestamp(const QDateTime& dt) {
    if (!dt.isValid())
        return 0;
    const qint64 ms = dt.toMSecsSinceEpoch() + kEpochOffsetMs;
    // Times before 1601 have no timestamp; they read as "not set".
    if (ms <= 0)
        return 0;
    return static_cast<Timestamp>(ms) * kUnitsPerMs;
}

Timestamp LocalToTimestamp(const QDateTime& local) {
    if (!local.isValid())
        return 0;
    // The calendar fields are taken as local time, whatever time spec the value carries.
    return DateTimeToTimestamp(QDateTime(local.date(), local.time(), Qt::LocalTime));
}

Timestamp CurrentTimestamp() {
    return DateTimeToTimestamp(QDateTime::currentDateTimeUtc());
}
