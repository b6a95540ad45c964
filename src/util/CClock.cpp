#include "util/CClock.h"

#include <chrono>

namespace {

class CSteadyClock : public CClock {
public:
    qint64 NowMs() const override {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
};

CSteadyClock s_steady;
CClock* s_installed = nullptr;

} // namespace

CClock& CClock::Get() {
    return s_installed ? *s_installed : s_steady;
}

void CClock::Install(CClock* clock) {
    s_installed = clock;
}
