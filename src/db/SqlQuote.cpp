#include "db/SqlQuote.h"

QString QuoteText(const QString& text) {
    if (text.isEmpty())
        return QStringLiteral("null");
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

QString QuoteTimestamp(Timestamp ts) {
    if (ts == 0)
        return QStringLiteral("null");
    return QLatin1Char('\'') + TimestampHex(ts) + QLatin1Char('\'');
}
