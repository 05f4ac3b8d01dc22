#include "PumpingWait.h"

#include <algorithm>

namespace vorlix {

void CPumpingClock::SleepMs(uint32_t ms) {
    uint32_t left = ms;
    do {
        m_pump();
        const uint32_t slice = std::min(left, kSliceMs);
        m_inner.SleepMs(slice);
        left -= slice;
    } while (left > 0);
}

bool CPumpingWaiter::Wait(STransferSync& sync, uint32_t timeoutMs) {
    uint32_t left = timeoutMs;
    do {
        const uint32_t slice = std::min(left, kSliceMs);
        if (m_inner.Wait(sync, slice)) {
            return true;
        }
        left -= slice;
        m_pump();
    } while (left > 0);
    return false;
}

}  // namespace vorlix
