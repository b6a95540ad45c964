#pragma once

#include <QString>
#include <QtGlobal>

// Number reading as the list has always done it: the longest number at the start of the text
// (after leading white space) counts and the rest is ignored; text without a number reads as 0.
// Decimal points are always ".", whatever the user's locale.

// A decimal floating-point number ("2.5 stars" reads as 2.5).
double TextToDouble(const QString& text);
// A signed decimal integer, limited to the range of a 32-bit integer.
qint32 TextToInt(const QString& text);
// An unsigned decimal integer; a leading minus wraps as in unsigned arithmetic.
quint32 TextToUInt(const QString& text);
