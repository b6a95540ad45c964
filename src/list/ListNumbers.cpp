#include "list/ListNumbers.h"

#include <clocale>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace {

// Copies the ASCII start of the text into `buffer` (zero-terminated); the first character outside
// ASCII ends the copy, as it ends every number anyway. Numbers longer than the buffer are cut.
template <qsizetype N> const char* AsciiPrefix(const QString& text, char (&buffer)[N]) {
    qsizetype n = 0;
    const qsizetype size = text.size();
    const QChar* data = text.constData();
    while (n < size && n < N - 1) {
        const char16_t u = data[n].unicode();
        if (u == 0 || u >= 0x80)
            break;
        buffer[n] = char(u);
        ++n;
    }
    buffer[n] = '\0';
    return buffer;
}

locale_t CLocale() {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return cLocale;
}

} // namespace

double TextToDouble(const QString& text) {
    if (text.isEmpty())
        return 0.0;
    char buffer[128];
    return strtod_l(AsciiPrefix(text, buffer), nullptr, CLocale());
}

qint32 TextToInt(const QString& text) {
    if (text.isEmpty())
        return 0;
    char buffer[64];
    const long long value = std::strtoll(AsciiPrefix(text, buffer), nullptr, 10);
    if (value > std::numeric_limits<qint32>::max())
        return std::numeric_limits<qint32>::max();
    if (value < std::numeric_limits<qint32>::min())
        return std::numeric_limits<qint32>::min();
    return qint32(value);
}

quint32 TextToUInt(const QString& text) {
    if (text.isEmpty())
        return 0;
    char buffer[64];
    return quint32(std::strtoull(AsciiPrefix(text, buffer), nullptr, 10));
}
