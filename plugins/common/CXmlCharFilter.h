#pragma once

#include <cstddef>

// Removes from the bytes of an XML file what XML 1.0 forbids although the file is otherwise good,
// so that one stray character does not cost the rest of the file: character references to
// forbidden characters ("&#xB;", "&#0;", "&#xFFFE;"), raw control bytes other than tab, line feed
// and carriage return, and the UTF-8 forms of U+FFFE and U+FFFF. Line ends are never removed, so
// line numbers stay true. Works on UTF-8 and on single-byte encodings that extend ASCII.
class CXmlCharFilter {
public:
    // The longest piece the filter may hold back at the end of a buffer.
    static constexpr size_t kMaxHeld = 16;

    // Filters `size` bytes from `in` into `out` (room for `size` bytes) and returns how many bytes
    // of `in` it consumed; `written` receives the number of bytes put into `out`. Unless `last`,
    // an incomplete reference or sequence at the end (at most kMaxHeld bytes) is left unconsumed:
    // hand it in again, followed by the next bytes.
    size_t Filter(const char* in, size_t size, char* out, size_t& written, bool last);

    // Number of references, bytes and sequences removed so far.
    int Dropped() const { return m_dropped; }

private:
    int m_dropped = 0;
};
