#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

// A timestamp is a count of 100-nanosecond intervals since 1601-01-01 00:00 UTC; 0 = not set.
using Timestamp = quint64;

// Reads the 16-hex-digit database form (high 32 bits first); 0 unless exactly 16 characters.
Timestamp ParseTimestamp(const QString& text);

// The 16 upper-case hex digits of a timestamp, high 32 bits first ("%08X%08X").
QString TimestampHex(Timestamp ts);

// The timestamp as local date and time (the system time zone); invalid for 0.
QDateTime TimestampToLocal(Timestamp ts);

// The reverse: a local date and time (as picked by the user) to a UTC timestamp.
Timestamp LocalToTimestamp(const QDateTime& local);

// Conversions to and from UTC date-times and the current time.
Timestamp DateTimeToTimestamp(const QDateTime& dt);
QDateTime TimestampToUtc(Timestamp ts);
Timestamp CurrentTimestamp();
