#include "CXmlCharFilter.h"

#include <cstdint>
#include <cstring>

namespace {

enum class ERef { NotRef, Incomplete, Allowed, Forbidden };

bool AllowedInXml(uint32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// Looks at a character reference starting with "&" at `p`; `length` receives its length.
ERef ClassifyReference(const unsigned char* p, size_t n, size_t& length) {
    if (n < 2) {
        return ERef::Incomplete;
    }
    if (p[1] != '#') {
        return ERef::NotRef;
    }
    size_t i = 2;
    const bool hex = n > 2 && p[2] == 'x';
    if (n <= 2) {
        return ERef::Incomplete;
    }
    if (hex) {
        ++i;
    }
    uint32_t value = 0;
    size_t digits = 0;
    for (; i < n && i < CXmlCharFilter::kMaxHeld; ++i) {
        const unsigned char c = p[i];
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (hex && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (hex && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else if (c == ';' && digits > 0) {
            length = i + 1;
            return AllowedInXml(value) ? ERef::Allowed : ERef::Forbidden;
        } else {
            return ERef::NotRef;
        }
        ++digits;
        value = value > 0x10FFFF ? value : value * (hex ? 16 : 10) + uint32_t(digit);
    }
    return i >= CXmlCharFilter::kMaxHeld ? ERef::NotRef : ERef::Incomplete;
}

bool Interesting(unsigned char c) {
    return c < 0x20 || c == '&' || c == 0xEF;
}

} // namespace

size_t CXmlCharFilter::Filter(const char* in, size_t size, char* out, size_t& written, bool last) {
    const auto* p = reinterpret_cast<const unsigned char*>(in);
    size_t i = 0;
    size_t o = 0;
    while (i < size) {
        const size_t start = i;
        while (i < size && !Interesting(p[i])) {
            ++i;
        }
        if (i > start) {
            std::memcpy(out + o, in + start, i - start);
            o += i - start;
        }
        if (i == size) {
            break;
        }
        const unsigned char c = p[i];
        if (c == '&') {
            size_t length = 0;
            const ERef ref = ClassifyReference(p + i, size - i, length);
            if (ref == ERef::Incomplete && !last) {
                break;
            }
            if (ref == ERef::Forbidden) {
                i += length;
                ++m_dropped;
                continue;
            }
            out[o++] = '&';
            ++i;
        } else if (c == 0xEF) {
            if (size - i < 3 && !last) {
                break;
            }
            if (size - i >= 3 && p[i + 1] == 0xBF && (p[i + 2] == 0xBE || p[i + 2] == 0xBF)) {
                i += 3;
                ++m_dropped;
                continue;
            }
            out[o++] = char(c);
            ++i;
        } else {
            if (c == '\t' || c == '\n' || c == '\r') {
                out[o++] = char(c);
            } else {
                ++m_dropped;
            }
            ++i;
        }
    }
    written = o;
    return i;
}
