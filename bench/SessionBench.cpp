// Connect and full load of the settings image against the in-process virtual mouse, on the real clock:
// how many HID transfers it takes, the pauses the protocol prescribes (from its own table) beside the
// pauses the code asked for, and how the wall time compares with the prescribed pauses (goal: within
// 1.2 times; below 1.0, or a pause gap other than 0, means a pause is missing).
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <memory>

#include "PrescribedPauses.h"
#include "device/HidClient.h"
#include "device/IcQT47.h"
#include "device/TransferWait.h"
#include "settings/DeviceSession.h"
#include "settings/QuietSessionOwner.h"
#include "shared/MemoryStoreBackend.h"
#include "shared/MessagePoster.h"
#include "shared/RegStore.h"
#include "shared/SteadyClock.h"
#include "virtualmouse/VirtualMouseSet.h"
#include "virtualmouse/VirtualTransport.h"

namespace {

using namespace vorlix;

// The real clock, adding up every pause asked for.
class CCountingClock final : public IClock {
public:
    uint64_t NowMs() override { return m_clock.NowMs(); }
    void SleepMs(uint32_t ms) override {
        m_paused += ms;
        m_clock.SleepMs(ms);
    }
    uint64_t PausedMs() const { return m_paused; }

private:
    CSteadyClock m_clock;
    std::atomic<uint64_t> m_paused{0};
};

class CNoPoster final : public IMessagePoster {
public:
    bool Post(WindowHandle, uint32_t, uint32_t, uint32_t) override { return true; }
    bool IsWindow(WindowHandle) override { return true; }
};

void BM_ConnectAndLoad(benchmark::State& state) {
    auto mice = std::make_shared<CVirtualMouseSet>(SVirtualMouseOptions{});
    auto transport = std::make_shared<CVirtualTransport>(mice);
    CCountingClock clock;
    CMemoryStoreBackend backend;
    CRegStore store(backend);
    CNoPoster poster;
    CQuietSessionOwner owner;
    CHidClient hid(transport);
    CIcQT47 device(transport, clock, CRealTransferWaiter::Instance());
    CDeviceSession session(owner, hid, device, store, poster, clock);
    uint64_t transfers = 0;
    uint64_t paused = 0;
    double wallMs = 0;
    int64_t failures = 0;
    for (auto _ : state) {
        const uint64_t transfersBefore = mice->TransferCount();
        const uint64_t pausedBefore = clock.PausedMs();
        const auto start = std::chrono::steady_clock::now();
        session.Connect();
        wallMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        failures += session.Ready() ? 0 : 1;
        transfers += mice->TransferCount() - transfersBefore;
        paused += clock.PausedMs() - pausedBefore;
        session.Disconnect();
    }
    const double runs = static_cast<double>(state.iterations());
    const double prescribed = static_cast<double>(bench::SumMs(bench::kConnectAndLoad));
    const double asked = static_cast<double>(paused) / runs;
    state.counters["hid_transfers"] = static_cast<double>(transfers) / runs;
    state.counters["prescribed_pause_ms"] = prescribed;
    state.counters["asked_pause_ms"] = asked;
    state.counters["pause_gap_ms"] = asked - prescribed;
    state.counters["wall_ms"] = wallMs / runs;
    state.counters["wall_to_pauses"] = wallMs / runs / prescribed;
    state.counters["failed_loads"] = static_cast<double>(failures);
}
BENCHMARK(BM_ConnectAndLoad)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
