#pragma once

#include <cstdint>

namespace vorlix {

// Time as the device protocol and the session see it. Every pause the protocol prescribes and every
// wait for a worker goes through this interface, so tests can run a hung device in no real time and
// still check which pauses were asked for.
class IClock {
public:
    virtual ~IClock() = default;
    // Milliseconds on a monotonic scale with an arbitrary origin.
    virtual uint64_t NowMs() = 0;
    // Pauses the calling thread for the given number of milliseconds.
    virtual void SleepMs(uint32_t ms) = 0;
};

}  // namespace vorlix
