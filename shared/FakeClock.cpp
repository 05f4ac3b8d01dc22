#include "FakeClock.h"

#include <numeric>

namespace vorlix {

uint64_t CFakeClock::NowMs() {
    std::lock_guard lock(m_mutex);
    return m_now;
}

void CFakeClock::SleepMs(uint32_t ms) {
    std::lock_guard lock(m_mutex);
    m_sleeps.push_back(ms);
    m_now += ms;
}

void CFakeClock::Advance(uint64_t ms) {
    std::lock_guard lock(m_mutex);
    m_now += ms;
}

std::vector<uint32_t> CFakeClock::Sleeps() const {
    std::lock_guard lock(m_mutex);
    return m_sleeps;
}

uint64_t CFakeClock::TotalSleptMs() const {
    std::lock_guard lock(m_mutex);
    return std::accumulate(m_sleeps.begin(), m_sleeps.end(), uint64_t{0});
}

void CFakeClock::ClearSleeps() {
    std::lock_guard lock(m_mutex);
    m_sleeps.clear();
}

}  // namespace vorlix
