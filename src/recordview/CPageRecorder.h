#pragma once

#include "recordview/CPageSink.h"

#include <QString>
#include <QStringList>

#include <vector>

// One call the page generator made on its page display.
struct CPageEvent {
    enum class Kind { Clear, ImageShrink, Append, EndOfSource, ScrollToAnchor };

    virtual ~CPageEvent() = default;

    Kind kind = Kind::Clear;
    QString text;    // the HTML piece (Append) or the anchor name (ScrollToAnchor)
    bool on = false; // the new state (ImageShrink)
};

// A page display that keeps every call as an event, so that a page can be built without a viewer
// and its pieces read back in order.
class CPageRecorder : public CPageSink {
public:
    void Clear() override;
    void SetImageShrink(bool on) override;
    void AppendHtml(const QString& html) override;
    void EndOfSource() override;
    void ScrollToAnchor(const QString& anchor) override;

    // Every call so far, in order.
    const std::vector<CPageEvent>& Events() const { return m_events; }
    // The HTML pieces appended since the last Clear, in order, and their concatenation.
    QStringList Pieces() const;
    QString Html() const;
    // Forgets every event.
    void Reset() { m_events.clear(); }

private:
    std::vector<CPageEvent> m_events;
};
