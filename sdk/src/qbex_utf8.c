/* UTF-8 conversion of qbex_str text. */
#include "qbex_str_data.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#define REPLACEMENT 0xFFFD

/* Decodes one well-formed UTF-8 sequence at `s` (at most `n` bytes, n >= 1) into *cp and returns
 * its length; for an ill-formed sequence sets *cp to U+FFFD and returns the length of its maximal
 * subpart (at least 1), so that every ill-formed subpart yields exactly one replacement. */
static size_t decode_one(const unsigned char* s, size_t n, uint32_t* cp) {
    const unsigned char lead = s[0];
    if (lead < 0x80) {
        *cp = lead;
        return 1;
    }
    size_t need;                        /* continuation bytes */
    unsigned char lo = 0x80, hi = 0xBF; /* allowed range of the first continuation byte */
    uint32_t value;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
        value = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        value = lead & 0x0Fu;
        if (lead == 0xE0) {
            lo = 0xA0; /* no overlong forms */
        } else if (lead == 0xED) {
            hi = 0x9F; /* no surrogates */
        }
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        value = lead & 0x07u;
        if (lead == 0xF0) {
            lo = 0x90; /* no overlong forms */
        } else if (lead == 0xF4) {
            hi = 0x8F; /* nothing above U+10FFFF */
        }
    } else {
        *cp = REPLACEMENT; /* stray continuation byte, C0, C1, F5 to FF */
        return 1;
    }
    for (size_t i = 1; i <= need; ++i) {
        const unsigned char min = i == 1 ? lo : 0x80;
        const unsigned char max = i == 1 ? hi : 0xBF;
        if (i >= n || s[i] < min || s[i] > max) {
            *cp = REPLACEMENT;
            return i;
        }
        value = (value << 6) | (s[i] & 0x3Fu);
    }
    *cp = value;
    return need + 1;
}

int qbex_str_assign_utf8(qbex_str* field, const char* text, size_t length) {
    if (length == QBEX_ZERO_TERMINATED) {
        length = text != NULL ? strlen(text) : 0;
    }
    if (length == 0 || text == NULL) {
        qbex_str_free(field);
        return 1;
    }
    /* Every byte gives at most one code unit (a four-byte sequence gives two). */
    struct qbex_str_data* data = qbex_str_data_alloc(length);
    if (data == NULL) {
        return 0;
    }
    const unsigned char* s = (const unsigned char*)text;
    size_t out = 0;
    for (size_t pos = 0; pos < length;) {
        uint32_t cp;
        pos += decode_one(s + pos, length - pos, &cp);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            data->text[out++] = (qbex_char16)(0xD800 + (cp >> 10));
            data->text[out++] = (qbex_char16)(0xDC00 + (cp & 0x3FF));
        } else {
            data->text[out++] = (qbex_char16)cp;
        }
    }
    if (out < length) {
        data = qbex_str_data_shrink(data, out);
    }
    qbex_str_data_store(field, data);
    return 1;
}

/* Reads the code point at text[*pos] (advancing *pos); an unpaired surrogate gives U+FFFD. */
static uint32_t next_code_point(const qbex_char16* text, size_t length, size_t* pos) {
    uint32_t unit = text[(*pos)++];
    if (unit >= 0xD800 && unit <= 0xDBFF && *pos < length && text[*pos] >= 0xDC00 &&
        text[*pos] <= 0xDFFF) {
        return 0x10000 + ((unit - 0xD800) << 10) + (text[(*pos)++] - 0xDC00u);
    }
    if (unit >= 0xD800 && unit <= 0xDFFF) {
        return REPLACEMENT;
    }
    return unit;
}

static size_t encode_one(uint32_t cp, unsigned char* out) {
    if (cp < 0x80) {
        out[0] = (unsigned char)cp;
        return 1;
    }
    if (cp < 0x800) {
        out[0] = (unsigned char)(0xC0 | (cp >> 6));
        out[1] = (unsigned char)(0x80 | (cp & 0x3F));
        return 2;
    }
    if (cp < 0x10000) {
        out[0] = (unsigned char)(0xE0 | (cp >> 12));
        out[1] = (unsigned char)(0x80 | ((cp >> 6) & 0x3F));
        out[2] = (unsigned char)(0x80 | (cp & 0x3F));
        return 3;
    }
    out[0] = (unsigned char)(0xF0 | (cp >> 18));
    out[1] = (unsigned char)(0x80 | ((cp >> 12) & 0x3F));
    out[2] = (unsigned char)(0x80 | ((cp >> 6) & 0x3F));
    out[3] = (unsigned char)(0x80 | (cp & 0x3F));
    return 4;
}

size_t qbex_str_to_utf8(qbex_str value, char* buffer, size_t size) {
    const qbex_char16* text = qbex_str_text(value);
    const size_t length = qbex_str_length(value);
    size_t needed = 0;
    size_t written = 0;
    int fits = size > 0;
    for (size_t pos = 0; pos < length;) {
        unsigned char bytes[4];
        const size_t n = encode_one(next_code_point(text, length, &pos), bytes);
        /* Keep one byte for the terminator; once a character does not fit, stop writing so that
         * the text is cut at a character boundary. */
        if (fits && written + n < size) {
            memcpy(buffer + written, bytes, n);
            written += n;
        } else {
            fits = 0;
        }
        needed += n;
    }
    if (size > 0) {
        buffer[written] = '\0';
    }
    return needed;
}

char* qbex_str_to_utf8_alloc(qbex_str value, size_t* length) {
    const size_t needed = qbex_str_to_utf8(value, NULL, 0);
    char* buffer = malloc(needed + 1);
    if (buffer == NULL) {
        return NULL;
    }
    qbex_str_to_utf8(value, buffer, needed + 1);
    if (length != NULL) {
        *length = needed;
    }
    return buffer;
}
