#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>

// The hint cipher: ROT13 on A-Z and a-z, leaving bracketed stretches ("[...]") alone. Applying it
// twice restores the text.
void Rot13(QString& text);

// "&" -> "&amp;", then "<" -> "&lt;", then ">" -> "&gt;".
QString HtmlEscape(const QString& text);

// HtmlEscape unless `escaped`, then every "\r\n" becomes "<br>\r\n".
QString HtmlText(const QString& text, bool escaped);

// Splits `text` at every `separator` into `out` (replaced); empty pieces are dropped when
// `skipEmpty`. The empty text gives one empty piece, or none when skipping.
void SplitText(const QString& text, QStringList& out, QChar separator, bool skipEmpty);

// UTF-8 as the databases store it: every 16-bit code unit encoded on its own (surrogate halves
// become two three-byte sequences). The array is zero-terminated like every QByteArray.
QByteArray ToUtf8(const QString& text);

// The lenient UTF-8 decoder: stray continuation bytes are dropped, continuation bytes are not
// checked, results are cut to 16 bits. A null pointer gives the empty text. Both forms stop at the
// first zero byte, as the databases hand back zero-terminated text.
QString FromUtf8(const char* bytes);
QString FromUtf8(const QByteArray& bytes);

// Stable ascending sort by code unit (case-sensitive).
void SortStrings(QStringList& list);
