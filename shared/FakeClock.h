#pragma once

#include <mutex>
#include <vector>

#include "Clock.h"

namespace vorlix {

// A clock for tests: sleeping advances time at once and records the pause that was asked for.
// Safe to use from several threads.
class CFakeClock final : public IClock {
public:
    uint64_t NowMs() override;
    void SleepMs(uint32_t ms) override;

    void Advance(uint64_t ms);
    // Every pause asked for, in order.
    std::vector<uint32_t> Sleeps() const;
    uint64_t TotalSleptMs() const;
    void ClearSleeps();

private:
    mutable std::mutex m_mutex;
    uint64_t m_now = 1'000'000;
    std::vector<uint32_t> m_sleeps;
};

}  // namespace vorlix
