#pragma once

#include <cstdint>
#include <functional>

#include "device/TransferWait.h"
#include "shared/Clock.h"

namespace vorlix {

// The device session runs on the window's thread. Its pauses and its waits for the data channel go
// through these two wrappers, which cut them into short slices and call the pump between them, so the
// window keeps painting (the progress overlay turns) while the mouse is read or written. The pump must
// not run user input or anything that enters the session again; the window's pump runs paint and
// timer events only, and the session gate holds back whatever would reach the session.
class CPumpingClock final : public IClock {
public:
    static constexpr uint32_t kSliceMs = 10;

    CPumpingClock(IClock& inner, std::function<void()> pump) : m_inner(inner), m_pump(std::move(pump)) {}
    uint64_t NowMs() override { return m_inner.NowMs(); }
    void SleepMs(uint32_t ms) override;

private:
    IClock& m_inner;
    std::function<void()> m_pump;
};

class CPumpingWaiter final : public ITransferWaiter {
public:
    static constexpr uint32_t kSliceMs = 15;

    CPumpingWaiter(ITransferWaiter& inner, std::function<void()> pump)
        : m_inner(inner), m_pump(std::move(pump)) {}
    bool Wait(STransferSync& sync, uint32_t timeoutMs) override;

private:
    ITransferWaiter& m_inner;
    std::function<void()> m_pump;
};

}  // namespace vorlix
