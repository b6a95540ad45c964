#include "util/TextHelpers.h"

#include <cstring>

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
    // Written through a raw pointer into a buffer sized for the worst case: statement texts of
    // whole records pass through here, and appending byte by byte costs more than the encoding.
    QByteArray out(text.size() * 3, Qt::Uninitialized);
    char* w = out.data();
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80) {
            *w++ = static_cast<char>(u);
        } else if (u < 0x800) {
            *w++ = static_cast<char>(0xC0 | (u >> 6));
            *w++ = static_cast<char>(0x80 | (u & 0x3F));
        } else {
            *w++ = static_cast<char>(0xE0 | (u >> 12));
            *w++ = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            *w++ = static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    out.truncate(w - out.constData());
    return out;
}

namespace {

// Decodes up to the first zero byte or `end`, whichever comes first.
QString DecodeLenient(const char* bytes, const char* end) {
    if (!bytes)
        return QString();
    const char* stop = end ? static_cast<const char*>(std::memchr(bytes, 0, size_t(end - bytes)))
                           : bytes + std::strlen(bytes);
    if (!stop)
        stop = end;
    // Never more code units than bytes.
    QString out(qsizetype(stop - bytes), Qt::Uninitialized);
    char16_t* w = reinterpret_cast<char16_t*>(out.data());
    int expected = 0;
    quint32 accumulator = 0; // wraps on long sequences; only the low 16 bits are kept
    for (const char* p = bytes; p != stop; ++p) {
        const quint32 b = static_cast<unsigned char>(*p);
        if (expected > 0) {
            accumulator = accumulator * 64 + b - 128;
            if (--expected == 0)
                *w++ = static_cast<char16_t>(accumulator & 0xFFFF);
        } else if (b < 0x80) {
            *w++ = static_cast<char16_t>(b);
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
    out.truncate(w - reinterpret_cast<const char16_t*>(out.constData()));
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
