#pragma once

#include <QString>

// Where a record page goes: the operations of the page display, called in page order. The record
// view window forwards them to its HTML viewer; CPageRecorder keeps them as a list.
class CPageSink {
public:
    virtual ~CPageSink() = default;

    // Empties the display.
    virtual void Clear() = 0;
    // While on, images wider than the display are scaled down to fit.
    virtual void SetImageShrink(bool on) = 0;
    // Appends one piece of HTML text to the page.
    virtual void AppendHtml(const QString& html) = 0;
    // The page is complete.
    virtual void EndOfSource() = 0;
    // Scrolls the page to the anchor of that name.
    virtual void ScrollToAnchor(const QString& anchor) = 0;
};
