#pragma once

#include "Clock.h"

namespace vorlix {

// The real clock: std::chrono::steady_clock and a real sleep.
class CSteadyClock final : public IClock {
public:
    uint64_t NowMs() override;
    void SleepMs(uint32_t ms) override;

    // One shared instance for code that has no clock handed to it.
    static CSteadyClock& Instance();
};

}  // namespace vorlix
