#pragma once

#include "util/CClock.h"

// A clock that stands still until the test moves it on. Installed for its lifetime.
class CManualClock : public CClock {
public:
    CManualClock() { CClock::Install(this); }
    ~CManualClock() override { CClock::Install(nullptr); }
    CManualClock(const CManualClock&) = delete;
    CManualClock& operator=(const CManualClock&) = delete;

    qint64 NowMs() const override { return m_now; }
    void Advance(qint64 ms) { m_now += ms; }

private:
    qint64 m_now = 1000000;
};
