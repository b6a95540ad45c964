#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Turns the HTML of a cache description into readable plain text: tags removed, entities decoded,
// blanks collapsed as a browser would, paragraphs, line breaks, list items and table rows kept as
// line ends ("\r\n"), comments, scripts and styles dropped. Image addresses (<img src>) are
// collected on the way. One converter per description.
class CHtmlToText {
public:
    QString Convert(QStringView html);

    // Absolute image addresses in the order they appear, each once.
    const QStringList& Images() const { return m_images; }

private:
    void Pending();
    void Emit(QChar c);
    void Text(QChar c);
    void Break(int lines);
    qsizetype Tag(QStringView html, qsizetype at);
    qsizetype Entity(QStringView html, qsizetype at);
    void OnTag(const QString& name, bool closing, QStringView attributes);
    void AddImage(QString address);

    QString m_out;
    QStringList m_images;
    int m_breaks = 0;      // line ends waiting for the next character (at most two)
    bool m_space = false;  // a blank waiting for the next character
    bool m_bullet = false; // a list item mark waiting for the next character
    int m_pre = 0;         // depth of <pre>: blanks and line ends kept
};

// Decodes the character references of an HTML text (attribute values, plain pieces).
QString DecodeHtmlEntities(QStringView text);
