#include "recordview/CPageRecorder.h"

void CPageRecorder::Clear() {
    CPageEvent event;
    event.kind = CPageEvent::Kind::Clear;
    m_events.push_back(event);
}

void CPageRecorder::SetImageShrink(bool on) {
    CPageEvent event;
    event.kind = CPageEvent::Kind::ImageShrink;
    event.on = on;
    m_events.push_back(event);
}

void CPageRecorder::AppendHtml(const QString& html) {
    CPageEvent event;
    event.kind = CPageEvent::Kind::Append;
    event.text = html;
    m_events.push_back(event);
}

void CPageRecorder::EndOfSource() {
    CPageEvent event;
    event.kind = CPageEvent::Kind::EndOfSource;
    m_events.push_back(event);
}

void CPageRecorder::ScrollToAnchor(const QString& anchor) {
    CPageEvent event;
    event.kind = CPageEvent::Kind::ScrollToAnchor;
    event.text = anchor;
    m_events.push_back(event);
}

QStringList CPageRecorder::Pieces() const {
    QStringList pieces;
    for (const CPageEvent& event : m_events) {
        if (event.kind == CPageEvent::Kind::Clear)
            pieces.clear();
        else if (event.kind == CPageEvent::Kind::Append)
            pieces.append(event.text);
    }
    return pieces;
}

QString CPageRecorder::Html() const {
    return Pieces().join(QString());
}
