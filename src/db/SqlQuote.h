#pragma once

#include "util/Timestamps.h"

#include <QString>

// The only way values enter SQL statements.

// 'text' with every single quote doubled; the bare word null for an empty text.
QString QuoteText(const QString& text);

// null for 0, otherwise the 16 upper-case hex digits in single quotes, high 32 bits first.
QString QuoteTimestamp(Timestamp ts);
