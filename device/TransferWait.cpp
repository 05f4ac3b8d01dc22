#include "TransferWait.h"

#include <chrono>

namespace vorlix {

namespace {
thread_local STransferSync* t_currentSync = nullptr;
}

void MarkTransferStalled() {
    STransferSync* sync = t_currentSync;
    if (sync == nullptr) {
        return;
    }
    std::lock_guard lock(sync->mutex);
    sync->stalled = true;
    sync->changed.notify_all();
}

CWorkerScope::CWorkerScope(STransferSync* sync) {
    t_currentSync = sync;
}

CWorkerScope::~CWorkerScope() {
    t_currentSync = nullptr;
}

bool CRealTransferWaiter::Wait(STransferSync& sync, uint32_t timeoutMs) {
    std::unique_lock lock(sync.mutex);
    return sync.changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return sync.done; });
}

CRealTransferWaiter& CRealTransferWaiter::Instance() {
    static CRealTransferWaiter instance;
    return instance;
}

bool CClockTransferWaiter::Wait(STransferSync& sync, uint32_t timeoutMs) {
    std::unique_lock lock(sync.mutex);
    sync.changed.wait(lock, [&] { return sync.done || sync.stalled; });
    if (sync.done) {
        return true;
    }
    lock.unlock();
    m_clock.SleepMs(timeoutMs);
    return false;
}

}  // namespace vorlix
