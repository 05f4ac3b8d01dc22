#include "SteadyClock.h"

#include <chrono>
#include <thread>

namespace vorlix {

uint64_t CSteadyClock::NowMs() {
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void CSteadyClock::SleepMs(uint32_t ms) {
    if (ms > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
}

CSteadyClock& CSteadyClock::Instance() {
    static CSteadyClock clock;
    return clock;
}

}  // namespace vorlix
