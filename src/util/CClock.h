#pragma once

#include <QtGlobal>

// A monotonic clock in milliseconds. Code that waits for time to pass (the commit interval of a
// write batch, the end of the list's type-ahead search) reads the installed clock instead of the
// system's, so that a test can move time on by hand instead of waiting for it.
class CClock {
public:
    virtual ~CClock() = default;
    // Milliseconds since some fixed point; never goes back.
    virtual qint64 NowMs() const = 0;

    // The installed clock; the system's steady clock when nothing was installed. Install(nullptr)
    // returns to it. Ownership stays with the caller of Install.
    static CClock& Get();
    static void Install(CClock* clock);
};
