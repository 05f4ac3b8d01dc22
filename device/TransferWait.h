#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "shared/Clock.h"

namespace vorlix {

// What a worker of the data channel and the caller waiting for it share. The worker owns nothing of
// the protocol object; this record (held by both through a shared pointer) is their only contact.
struct STransferSync {
    std::mutex mutex;
    std::condition_variable changed;
    bool done = false;
    // Set by a transport that knows the transfer will not come back (a test's hung device), so a
    // waiter on a fake clock can time out at once instead of blocking for real.
    bool stalled = false;
};

// Called by a transport from inside a transfer it is about to hang on purpose. Does nothing when the
// calling thread is not a data-channel worker.
void MarkTransferStalled();

// Binds the calling worker thread to its record for MarkTransferStalled.
class CWorkerScope {
public:
    explicit CWorkerScope(STransferSync* sync);
    ~CWorkerScope();
    CWorkerScope(const CWorkerScope&) = delete;
    CWorkerScope& operator=(const CWorkerScope&) = delete;
};

// How the caller waits for a worker: up to timeoutMs, true when the worker finished in time.
class ITransferWaiter {
public:
    virtual ~ITransferWaiter() = default;
    virtual bool Wait(STransferSync& sync, uint32_t timeoutMs) = 0;
};

// Waits in real time.
class CRealTransferWaiter final : public ITransferWaiter {
public:
    bool Wait(STransferSync& sync, uint32_t timeoutMs) override;
    static CRealTransferWaiter& Instance();
};

// Waits on a clock that does not run by itself (tests, benchmarks): returns as soon as the worker is
// done, and when the transport declares the transfer stalled, lets the whole wait pass on the clock at
// once and reports the timeout.
class CClockTransferWaiter final : public ITransferWaiter {
public:
    explicit CClockTransferWaiter(IClock& clock) : m_clock(clock) {}
    bool Wait(STransferSync& sync, uint32_t timeoutMs) override;

private:
    IClock& m_clock;
};

}  // namespace vorlix
