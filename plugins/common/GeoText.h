#pragma once

#include <QString>

#include <cstdint>

// The plug-ins' own text helpers, apart from the program's helpers of the same names.
namespace qbgeo {

// Text helpers shared by the readers, the writers and the record mapping.

// The hint cipher of the record pages: ROT13 on A-Z and a-z, bracketed stretches ("[...]")
// left alone; the first "]" ends a stretch. Applying it twice restores the text.
QString Rot13(const QString& text);

// "&" -> "&amp;", "<" -> "&lt;", ">" -> "&gt;", in this order.
QString HtmlEscape(const QString& text);

// The reverse of HtmlEscape: "&lt;", "&gt;" and "&amp;" become "<", ">" and "&".
QString HtmlUnescape(const QString& text);

// Every line end ("\r\n", "\n" or a lone "\r") becomes "\r\n".
QString NormalizeLineEnds(const QString& text);

// Text for a record field: line ends as "\r\n", the entry separators U+0001 and U+0002 and other
// control characters except tab removed, leading and trailing blanks and line ends removed.
QString CleanFieldText(const QString& text);

// "2024-05-01" when `text` starts with an ISO date (whatever time, fraction or zone follows),
// otherwise `text` with surrounding blanks removed.
QString IsoDateOf(const QString& text);

// Unicode code points of the bytes 0x80 to 0x9F in the Windows-1252 code page (the bytes that
// code page does not define map to themselves). The other bytes are the same as in Latin-1.
char16_t Windows1252Char(uint8_t byte);

// The characters of the IBM PC code page 437 (DOS names in zip files).
char16_t Cp437Char(uint8_t byte);

// An address fit to be put into a page as it stands: blanks, quotes, angle brackets, backslashes,
// backquotes and control characters are percent-encoded (UTF-8), everything else is kept.
QString SafeAddress(const QString& address);

// A latitude (limit 90) or longitude (limit 180) in decimal degrees from the text of an
// attribute, blanks around it allowed; 200.0 (no coordinates) when it is empty, not a number or
// out of range.
double ParseCoordinate(const char* text, double limit);

// A coordinate written for a file: the shortest decimal form that reads back as the same value.
QString FormatCoordinate(double value);

} // namespace qbgeo
