#include "CHtmlToText.h"

#include "GeoText.h"
#include "HtmlEntities.h"

using namespace qbgeo;

namespace {

bool IsHtmlSpace(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

// A character that goes out as it is: no markup, no blank, no control or special blank.
bool IsOrdinary(QChar c) {
    const char16_t u = c.unicode();
    return u > 0x20 && u != u'<' && u != u'&' && u != 0x00A0 && u != 0x00AD;
}

bool IsNameChar(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'-' || c == u':' || c == u'_';
}

bool IsAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// The text a numeric reference stands for; empty for characters that have no place in text.
QString NumericCharacter(char32_t value) {
    if (value >= 0x80 && value < 0xA0) {
        value = Windows1252Char(uint8_t(value)); // what browsers do with these
    }
    if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value < 0xE000)) {
        return QString(QChar::ReplacementCharacter);
    }
    if (value < 0x20 && value != u'\t' && value != u'\n' && value != u'\r') {
        return QString();
    }
    return QString::fromUcs4(&value, 1);
}

// Reads a reference at `at` ("&..."); returns its length, 0 when it is none, and its text.
qsizetype ReadReference(QStringView html, qsizetype at, QString& text) {
    qsizetype i = at + 1;
    const qsizetype n = html.size();
    if (i < n && html[i] == u'#') {
        ++i;
        const bool hex = i < n && (html[i] == u'x' || html[i] == u'X');
        i += hex ? 1 : 0;
        char32_t value = 0;
        const qsizetype digitsStart = i;
        for (; i < n && i - digitsStart < 10; ++i) {
            const QChar c = html[i];
            int digit = -1;
            if (c >= u'0' && c <= u'9') {
                digit = c.unicode() - u'0';
            } else if (hex && c >= u'a' && c <= u'f') {
                digit = c.unicode() - u'a' + 10;
            } else if (hex && c >= u'A' && c <= u'F') {
                digit = c.unicode() - u'A' + 10;
            } else {
                break;
            }
            value = value > 0x10FFFF ? value : value * (hex ? 16 : 10) + char32_t(digit);
        }
        if (i == digitsStart) {
            return 0;
        }
        text = NumericCharacter(value);
        return (i < n && html[i] == u';' ? i + 1 : i) - at;
    }
    const qsizetype nameStart = i;
    while (i < n && i - nameStart < 32 && (IsAsciiLetter(html[i]) || html[i].isDigit())) {
        ++i;
    }
    const QStringView name = html.mid(nameStart, i - nameStart);
    const char32_t code = name.isEmpty() ? 0 : HtmlEntity(name);
    if (code == 0) {
        return 0;
    }
    const bool terminated = i < n && html[i] == u';';
    // Without ";" only the oldest entities count, as browsers read them in old pages.
    if (!terminated && name != u"amp" && name != u"lt" && name != u"gt" && name != u"quot" &&
        name != u"nbsp") {
        return 0;
    }
    text = QString::fromUcs4(&code, 1);
    return (terminated ? i + 1 : i) - at;
}

enum class EBlock { None, Line, Paragraph };

EBlock BlockOf(const QString& name) {
    // Lengths are taken once, not at every tag.
    static const QStringView paragraphs[] = {
        u"p",  u"h1", u"h2", u"h3",  u"h4",         u"h5", u"h6",      u"table",
        u"ul", u"ol", u"dl", u"pre", u"blockquote", u"hr", u"address", u"figure"};
    static const QStringView lines[] = {
        u"div",     u"tr",     u"li",     u"dt",         u"dd",     u"section",  u"article",
        u"header",  u"footer", u"nav",    u"aside",      u"form",   u"fieldset", u"legend",
        u"caption", u"main",   u"center", u"figcaption", u"option", u"tbody",    u"thead"};
    for (const QStringView p : paragraphs) {
        if (name == p) {
            return EBlock::Paragraph;
        }
    }
    for (const QStringView l : lines) {
        if (name == l) {
            return EBlock::Line;
        }
    }
    return EBlock::None;
}

// The value of attribute `wanted` in the attribute text of a tag.
QString AttributeValue(QStringView attributes, QStringView wanted) {
    qsizetype i = 0;
    const qsizetype n = attributes.size();
    while (i < n) {
        while (i < n && (IsHtmlSpace(attributes[i]) || attributes[i] == u'/')) {
            ++i;
        }
        const qsizetype nameStart = i;
        while (i < n && !IsHtmlSpace(attributes[i]) && attributes[i] != u'=' &&
               attributes[i] != u'/') {
            ++i;
        }
        const QStringView name = attributes.mid(nameStart, i - nameStart);
        while (i < n && IsHtmlSpace(attributes[i])) {
            ++i;
        }
        QStringView value;
        if (i < n && attributes[i] == u'=') {
            ++i;
            while (i < n && IsHtmlSpace(attributes[i])) {
                ++i;
            }
            if (i < n && (attributes[i] == u'"' || attributes[i] == u'\'')) {
                const QChar quote = attributes[i++];
                const qsizetype valueStart = i;
                while (i < n && attributes[i] != quote) {
                    ++i;
                }
                value = attributes.mid(valueStart, i - valueStart);
                ++i;
            } else {
                const qsizetype valueStart = i;
                while (i < n && !IsHtmlSpace(attributes[i])) {
                    ++i;
                }
                value = attributes.mid(valueStart, i - valueStart);
            }
        }
        if (name.compare(wanted, Qt::CaseInsensitive) == 0) {
            return DecodeHtmlEntities(value).trimmed();
        }
        if (name.isEmpty() && i < n) {
            ++i;
        }
    }
    return QString();
}

} // namespace

QString DecodeHtmlEntities(QStringView text) {
    if (!text.contains(u'&')) {
        return text.toString();
    }
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        QString decoded;
        const qsizetype length = text[i] == u'&' ? ReadReference(text, i, decoded) : 0;
        if (length > 0) {
            out += decoded;
            i += length - 1;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Puts out what waits before the next character: line ends or a blank, a list item mark.
void CHtmlToText::Pending() {
    if (m_out.isEmpty()) {
        m_breaks = 0;
        m_space = false;
    }
    if (m_breaks > 0) {
        for (int i = 0; i < m_breaks; ++i) {
            m_out += QChar(u'\r');
            m_out += QChar(u'\n');
        }
        m_breaks = 0;
        m_space = false;
    } else if (m_space) {
        m_out += QChar(u' ');
        m_space = false;
    }
    if (m_bullet) {
        m_out += QChar(u'-');
        m_out += QChar(u' ');
        m_bullet = false;
    }
}

void CHtmlToText::Emit(QChar c) {
    Pending();
    m_out += c;
}

void CHtmlToText::Text(QChar c) {
    if (m_pre > 0) {
        if (c == u'\n') {
            m_breaks = m_out.isEmpty() ? 0 : qMin(m_breaks + 1, 2);
        } else if (c != u'\r') {
            Emit(c == u'\t' || c == u'\f' ? QChar(u' ') : c);
        }
        return;
    }
    if (IsHtmlSpace(c)) {
        m_space = !m_out.isEmpty();
    } else if (c == QChar(0x00A0)) {
        Emit(u' '); // a hard blank: kept, never collapsed
    } else if (c.unicode() >= 0x20 && c != QChar(0x00AD)) {
        Emit(c);
    }
}

void CHtmlToText::Break(int lines) {
    if (!m_out.isEmpty()) {
        m_breaks = qMax(m_breaks, lines);
    }
}

QString CHtmlToText::Convert(QStringView html) {
    m_out.clear();
    m_out.reserve(html.size());
    const qsizetype n = html.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = html[i];
        if (c == u'<') {
            const qsizetype length = Tag(html, i);
            if (length > 0) {
                i += length;
                continue;
            }
        } else if (c == u'&') {
            QString decoded;
            const qsizetype length = ReadReference(html, i, decoded);
            if (length > 0) {
                for (const QChar d : decoded) {
                    Text(d);
                }
                i += length;
                continue;
            }
        }
        if (m_pre == 0 && IsOrdinary(c)) {
            // A run of plain characters goes out in one piece.
            qsizetype end = i + 1;
            while (end < n && IsOrdinary(html[end])) {
                ++end;
            }
            Pending();
            m_out += html.mid(i, end - i);
            i = end;
            continue;
        }
        Text(c);
        ++i;
    }
    return m_out;
}

// Handles the markup at `at` ("<..."); returns its length, or 0 when the "<" is plain text.
qsizetype CHtmlToText::Tag(QStringView html, qsizetype at) {
    const qsizetype n = html.size();
    const QStringView rest = html.mid(at);
    if (rest.startsWith(u"<!--")) {
        const qsizetype end = html.indexOf(u"-->", at + 4);
        return end < 0 ? n - at : end + 3 - at;
    }
    if (rest.startsWith(u"<!") || rest.startsWith(u"<?")) {
        const qsizetype end = html.indexOf(u'>', at + 2);
        return end < 0 ? n - at : end + 1 - at;
    }
    qsizetype i = at + 1;
    const bool closing = i < n && html[i] == u'/';
    i += closing ? 1 : 0;
    if (i >= n || !IsAsciiLetter(html[i])) {
        return 0;
    }
    const qsizetype nameStart = i;
    while (i < n && IsNameChar(html[i])) {
        ++i;
    }
    const QString name = html.mid(nameStart, i - nameStart).toString().toLower();
    const qsizetype attributesStart = i;
    QChar quote;
    for (; i < n; ++i) {
        const QChar c = html[i];
        if (!quote.isNull()) {
            quote = c == quote ? QChar() : quote;
        } else if (c == u'"' || c == u'\'') {
            quote = html[i - 1] == u'=' || IsHtmlSpace(html[i - 1]) ? c : QChar();
        } else if (c == u'>') {
            break;
        }
    }
    if (i >= n) {
        return 0; // never closed: the "<" was text
    }
    const qsizetype end = i + 1;
    if (!closing &&
        (name == u"script" || name == u"style" || name == u"head" || name == u"template")) {
        qsizetype close = end;
        const QString closeTag = QStringLiteral("</") + name;
        for (;;) {
            close = html.indexOf(closeTag, close, Qt::CaseInsensitive);
            if (close < 0) {
                return n - at;
            }
            const qsizetype after = close + closeTag.size();
            if (after >= n || !IsNameChar(html[after])) {
                break;
            }
            close = after;
        }
        const qsizetype closeEnd = html.indexOf(u'>', close);
        return (closeEnd < 0 ? n : closeEnd + 1) - at;
    }
    OnTag(name, closing, html.mid(attributesStart, i - attributesStart));
    return end - at;
}

void CHtmlToText::OnTag(const QString& name, bool closing, QStringView attributes) {
    if (name == u"br") {
        if (!m_out.isEmpty()) {
            m_breaks = qMin(m_breaks + 1, 2);
        }
        return;
    }
    if (name == u"img") {
        AddImage(AttributeValue(attributes, u"src"));
        return;
    }
    if (name == u"td" || name == u"th") {
        m_space = !m_out.isEmpty();
        return;
    }
    if (name == u"pre") {
        m_pre = closing ? qMax(m_pre - 1, 0) : m_pre + 1;
    }
    const EBlock block = BlockOf(name);
    if (block != EBlock::None) {
        Break(block == EBlock::Paragraph ? 2 : 1);
    }
    if (name == u"li" || name == u"ul" || name == u"ol") {
        m_bullet = name == u"li" && !closing; // an empty item leaves no mark behind
    }
}

void CHtmlToText::AddImage(QString address) {
    if (address.startsWith(u"//")) {
        address.prepend(u"https:");
    }
    const bool absolute = address.startsWith(u"http://", Qt::CaseInsensitive) ||
                          address.startsWith(u"https://", Qt::CaseInsensitive) ||
                          address.startsWith(u"ftp://", Qt::CaseInsensitive);
    if (absolute && !address.contains(QChar(1)) && !m_images.contains(address)) {
        m_images.append(address);
    }
}
