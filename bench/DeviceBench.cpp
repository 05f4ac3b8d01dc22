// Reads all five profile blocks from the virtual mouse and writes one back, with no device latency, on
// the real clock. Reports the HID transfers per round (the protocol prescribes 12: per block one
// select command and one data transfer), the pauses the protocol prescribes (from its own table) and
// the pauses the code asked for, and the wall time as a ratio to the prescribed pauses (goal: at most
// 1.2; below 1.0, or a pause gap other than 0, means a pause is missing).
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <memory>

#include "PrescribedPauses.h"
#include "device/IcQT47.h"
#include "shared/SteadyClock.h"
#include "virtualmouse/VirtualTransport.h"

namespace {

using namespace vorlix;

// Counts every feature transfer that reaches the mouse.
class CCountingTransport final : public IHidTransport {
public:
    explicit CCountingTransport(std::shared_ptr<IHidTransport> inner) : m_inner(std::move(inner)) {}
    HidStatus Enumerate(std::vector<HidInterfaceInfo>& list) override { return m_inner->Enumerate(list); }
    HidStatus Open(const std::string& path, std::unique_ptr<IHidDevice>& device) override {
        std::unique_ptr<IHidDevice> inner;
        const HidStatus status = m_inner->Open(path, inner);
        if (status == HidStatus::Ok) {
            device = std::make_unique<CDevice>(std::move(inner), transfers);
        }
        return status;
    }
    int Subscribe(HidClass cls, HidNotifyCallback callback) override {
        return m_inner->Subscribe(cls, callback);
    }
    bool Unsubscribe(int id) override { return m_inner->Unsubscribe(id); }

    std::atomic<uint64_t> transfers{0};

private:
    class CDevice final : public IHidDevice {
    public:
        CDevice(std::unique_ptr<IHidDevice> inner, std::atomic<uint64_t>& count)
            : m_inner(std::move(inner)), m_count(count) {}
        HidStatus SetFeature(const uint8_t* data, size_t length) override {
            ++m_count;
            return m_inner->SetFeature(data, length);
        }
        HidStatus GetFeature(uint8_t* data, size_t length, size_t& received) override {
            ++m_count;
            return m_inner->GetFeature(data, length, received);
        }
        HidStatus ReadInput(uint8_t* data, size_t length, size_t& received, int timeoutMs) override {
            return m_inner->ReadInput(data, length, received, timeoutMs);
        }

    private:
        std::unique_ptr<IHidDevice> m_inner;
        std::atomic<uint64_t>& m_count;
    };
    std::shared_ptr<IHidTransport> m_inner;
};

// The real clock, adding up the pauses it was asked for.
class CSummingClock final : public IClock {
public:
    uint64_t NowMs() override { return CSteadyClock::Instance().NowMs(); }
    void SleepMs(uint32_t ms) override {
        pausedMs += ms;
        CSteadyClock::Instance().SleepMs(ms);
    }
    uint64_t pausedMs = 0;
};

void BM_ReadFiveBlocksWriteOne(benchmark::State& state) {
    auto mice = std::make_shared<CVirtualMouseSet>(SVirtualMouseOptions{});
    auto transport = std::make_shared<CCountingTransport>(std::make_shared<CVirtualTransport>(mice));
    CSummingClock clock;
    CIcQT47 protocol(transport, clock, CRealTransferWaiter::Instance());
    protocol.Reset();
    protocol.SetFamily(0x2401);
    if (!protocol.SetDevicePath("virtual/mouse0/if0") ||
        !protocol.FindDataInterfaces(kVendorId, kProductId)) {
        state.SkipWithError("no virtual mouse");
        return;
    }
    uint64_t transfers = 0;
    uint64_t paused = 0;
    double wallMs = 0;
    int value = 0;
    for (auto _ : state) {
        const uint64_t transfersBefore = transport->transfers;
        const uint64_t pausedBefore = clock.pausedMs;
        const auto start = std::chrono::steady_clock::now();
        bool ok = true;
        for (unsigned p = 0; p < 5; ++p) {
            ok = ok && protocol.ReadProfileBlock(p);
        }
        protocol.SetCell(512 + 2, 0x40 + (++value % 4));
        ok = ok && protocol.WriteProfileBlock(1);
        wallMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (!ok) {
            state.SkipWithError("a block transfer failed");
            return;
        }
        transfers += transport->transfers - transfersBefore;
        paused += clock.pausedMs - pausedBefore;
    }
    const double rounds = static_cast<double>(state.iterations());
    const double prescribed = static_cast<double>(bench::SumMs(bench::kReadFiveWriteOne));
    const double asked = static_cast<double>(paused) / rounds;
    state.counters["transfers"] = static_cast<double>(transfers) / rounds;
    state.counters["prescribed_pause_ms"] = prescribed;
    state.counters["asked_pause_ms"] = asked;
    state.counters["pause_gap_ms"] = asked - prescribed;
    state.counters["wall_ms"] = wallMs / rounds;
    state.counters["wall_ratio"] = wallMs / rounds / prescribed;
}

BENCHMARK(BM_ReadFiveBlocksWriteOne)->Iterations(30)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
