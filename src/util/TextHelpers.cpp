#include "util/TextHelpers.h"

#include <algorithm>

void Rot13(QString& text) {
    static const char16_t kUpper[] = u"NOPQRSTUVWXYZABCDEFGHIJKLM";
    static const char16_t kLower[] = u"nopqrstuvwxyzabcdefghijklm";

    bool inBrackets = false;
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if (inBrackets) {
            if (u == u']')
                inBrackets = false;
        } else if (u == u'[') {
            inBrackets = true;
        } else if (u >= u'A' && u <= u'Z') {
            c = QChar(kUpper[u - u'A']);
        } else if (u >= u'a' && u <= u'z') {
            c = QChar(kLower[u - u'a']);
        }
    }
}

QString HtmlEscape(const QString& text) {
    QString out = text;
    out.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    out.replace(QLatin1Char('<'), QLatin1String("&lt;"));
    out.replace(QLatin1Char('>'), QLatin1String("&gt;"));
    return out;
}

QString HtmlText(const QString& text, bool escaped) {
    QString out = escaped ? text : HtmlEscape(text);
    out.replace(QLatin1String("\r\n"), QLatin1String("<br>\r\n"));
    return out;
}

void SplitText(const QString& text, QStringList& out, QChar separator, bool skipEmpty) {
    out = text.split(separator, skipEmpty ? Qt::SkipEmptyParts : Qt::KeepEmptyParts);
}

QByteArray ToUtf8(const QString& text) {
    QByteArray out;
    out.reserve(text.size() * 3);
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80) {
            out.append(static_cast<char>(u));
        } else if (u < 0x800) {
            out.append(static_cast<char>(0xC0 | (u >> 6)));
            out.append(static_cast<char>(0x80 | (u & 0x3F)));
        } else {
            out.append(static_cast<char>(0xE0 | (u >> 12)));
            out.append(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
            out.append(static_cast<char>(0x80 | (u & 0x3F)));
        }
    }
    return out;
}

namespace {

// Decodes up to the first zero byte or `end`, whichever comes first.
QString DecodeLenient(const char* bytes, const char* end) {
    QString out;
    if (!bytes)
        return out;
    int expected = 0;
    quint32 accumulator = 0; // wraps on long sequences; only the low 16 bits are kept
    for (const char* p = bytes; p != end && *p; ++p) {
        const quint32 b = static_cast<unsigned char>(*p);
        if (expected > 0) {
            accumulator = accumulator * 64 + b - 128;
            if (--expected == 0)
                out.append(QChar(static_cast<char16_t>(accumulator & 0xFFFF)));
        } else if (b < 0x80) {
            out.append(QChar(static_cast<char16_t>(b)));
        } else if (b >= 0xFC) {
            expected = 5;
            accumulator = b - 0xFC;
        } else if (b >= 0xF8) {
            expected = 4;
            accumulator = b - 0xF8;
        } else if (b >= 0xF0) {
            expected = 3;
            accumulator = b - 0xF0;
        } else if (b >= 0xE0) {
            expected = 2;
            accumulator = b - 0xE0;
        } else if (b >= 0xC0) {
            expected = 1;
            accumulator = b - 0xC0;
        }
        // A continuation byte where none is expected is dropped.
    }
    return out;
}

} // namespace

QString FromUtf8(const char* bytes) {
    return DecodeLenient(bytes, nullptr);
}

QString FromUtf8(const QByteArray& bytes) {
    return DecodeLenient(bytes.constData(), bytes.constData() + bytes.size());
}

void SortStrings(QStringList& list) {
    // QString's operator< compares code unit by code unit, case-sensitively.
    std::stable_sort(list.begin(), list.end());
}
