#include "db/SqlQuote.h"

QString QuoteText(const QString& text) {
    if (text.isEmpty())
        return QStringLiteral("null");
    // Built in one allocation: record texts of several kilobytes pass through here.
    const qsizetype quotes = text.count(QLatin1Char('\''));
    QString quoted;
    quoted.reserve(text.size() + quotes + 2);
    quoted += QLatin1Char('\'');
    if (quotes == 0) {
        quoted += text;
    } else {
        for (const QChar c : text) {
            quoted += c;
            if (c == QLatin1Char('\''))
                quoted += c;
        }
    }
    quoted += QLatin1Char('\'');
    return quoted;
}

QString QuoteTimestamp(Timestamp ts) {
    if (ts == 0)
        return QStringLiteral("null");
    return QLatin1Char('\'') + TimestampHex(ts) + QLatin1Char('\'');
}
