#include "GeoText.h"

#include <QRegularExpression>

#include <charconv>
#include <cmath>
#include <cstring>

namespace qbgeo {

QString Rot13(const QString& text) {
    QString out = text;
    bool bracketed = false;
    for (QChar& ch : out) {
        const char16_t c = ch.unicode();
        if (bracketed) {
            if (c == u']') {
                bracketed = false;
            }
        } else if (c == u'[') {
            bracketed = true;
        } else if (c >= u'A' && c <= u'Z') {
            ch = QChar(char16_t(u'A' + (c - u'A' + 13) % 26));
        } else if (c >= u'a' && c <= u'z') {
            ch = QChar(char16_t(u'a' + (c - u'a' + 13) % 26));
        }
    }
    return out;
}

QString HtmlEscape(const QString& text) {
    QString out = text;
    out.replace(u'&', QStringLiteral("&amp;"));
    out.replace(u'<', QStringLiteral("&lt;"));
    out.replace(u'>', QStringLiteral("&gt;"));
    return out;
}

QString HtmlUnescape(const QString& text) {
    if (!text.contains(u'&')) {
        return text;
    }
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            const QStringView rest = QStringView(text).mid(i);
            if (rest.startsWith(u"&lt;")) {
                out += u'<';
                i += 3;
                continue;
            }
            if (rest.startsWith(u"&gt;")) {
                out += u'>';
                i += 3;
                continue;
            }
            if (rest.startsWith(u"&amp;")) {
                out += u'&';
                i += 4;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

QString NormalizeLineEnds(const QString& text) {
    if (!text.contains(u'\n') && !text.contains(u'\r')) {
        return text;
    }
    QString out;
    out.reserve(text.size() + text.size() / 32);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            out += u"\r\n";
            if (i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
        } else if (c == u'\n') {
            out += u"\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

QString CleanFieldText(const QString& text) {
    const QChar* in = text.constData();
    qsizetype begin = 0;
    qsizetype end = text.size();
    const auto blank = [](QChar c) { return c.unicode() < 0x20 || c.isSpace(); };
    while (begin < end && blank(in[begin])) {
        ++begin;
    }
    while (end > begin && blank(in[end - 1])) {
        --end;
    }
    // The size after line ends become "\r\n" and control characters are dropped.
    qsizetype size = 0;
    for (qsizetype i = begin; i < end; ++i) {
        const char16_t c = in[i].unicode();
        if (c >= 0x20 || c == u'\t') {
            ++size;
        } else if (c == u'\n') {
            size += (i > begin && in[i - 1] == u'\r') ? 0 : 2;
        } else if (c == u'\r') {
            size += 2;
        }
    }
    if (size == end - begin) {
        bool same = true;
        for (qsizetype i = begin; i < end && same; ++i) {
            same = in[i].unicode() >= 0x20 || in[i] == u'\t';
        }
        if (same) {
            return begin == 0 && end == text.size() ? text : text.mid(begin, end - begin);
        }
    }
    QString out(size, Qt::Uninitialized);
    QChar* o = out.data();
    for (qsizetype i = begin; i < end; ++i) {
        const char16_t c = in[i].unicode();
        if (c >= 0x20 || c == u'\t') {
            *o++ = QChar(c);
        } else if (c == u'\r' || (c == u'\n' && !(i > begin && in[i - 1] == u'\r'))) {
            *o++ = QChar(u'\r');
            *o++ = QChar(u'\n');
        }
    }
    return out;
}

QString IsoDateOf(const QString& text) {
    static const QRegularExpression date(QStringLiteral("^\\s*(\\d{4}-\\d{2}-\\d{2})(?:$|[T ])"));
    const QRegularExpressionMatch match = date.match(text);
    return match.hasMatch() ? match.captured(1) : text.trimmed();
}

char16_t Windows1252Char(uint8_t byte) {
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    return byte >= 0x80 && byte < 0xA0 ? high[byte - 0x80] : char16_t(byte);
}

char16_t Cp437Char(uint8_t byte) {
    static const char16_t high[128] = {
        0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8,
        0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2,
        0x00FB, 0x00F9, 0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1,
        0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD,
        0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562,
        0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534,
        0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560,
        0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
        0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393,
        0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6,
        0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248, 0x00B0,
        0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};
    return byte < 0x80 ? char16_t(byte) : high[byte - 0x80];
}

QString SafeAddress(const QString& address) {
    QString out;
    out.reserve(address.size());
    for (const QChar c : address) {
        const char16_t u = c.unicode();
        if (u <= 0x20 || u == 0x7F || u == u'"' || u == u'\'' || u == u'<' || u == u'>' ||
            u == u'\\' || u == u'`') {
            out += u'%';
            out += QString::number(int(u), 16).rightJustified(2, u'0').toUpper();
        } else {
            out += c;
        }
    }
    return out;
}

double ParseCoordinate(const char* text, double limit) {
    if (!text) {
        return 200.0;
    }
    const char* begin = text;
    while (*begin == ' ' || *begin == '\t' || *begin == '\n' || *begin == '\r') {
        ++begin;
    }
    const char* end = begin + std::strlen(begin);
    while (end > begin &&
           (end[-1] == ' ' || end[-1] == '\t' || end[-1] == '\n' || end[-1] == '\r')) {
        --end;
    }
    if (begin < end && *begin == '+') {
        ++begin;
    }
    double value = 0;
    const auto result = std::from_chars(begin, end, value);
    if (begin == end || result.ec != std::errc() || result.ptr != end || !std::isfinite(value) ||
        std::fabs(value) > limit) {
        return 200.0;
    }
    return value;
}

QString FormatCoordinate(double value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

} // namespace qbgeo
