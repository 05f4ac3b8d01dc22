// The monitor as users run it, against a virtual mouse: how long a mouse event takes to become a shown
// notice, and what the idle monitor costs (resident memory with the notice library loaded, CPU time
// while nothing happens).
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "platform/DatagramPoster.h"
#include "platform/UserStore.h"
#include "platform/hid/virtual/VirtualMouseClient.h"
#include "shared/Messages.h"
#include "shared/StoreNames.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace {

using namespace vorlix;
using testing::ChildProcess;

// A virtual mouse and a monitor (with its notice library) in their own folders. With an X display the
// notice window is a real X window; without one it runs offscreen.
struct SMonitorRig {
    SMonitorRig() {
        ::mkdir((runtime.Path() + "/vorlix-daze").c_str(), 0700);
        mouse = std::make_unique<ChildProcess>(std::vector<std::string>{
            ChildProcess::BinDir() + "/vorlix-virtual-mouse", "--socket", socket, "serve"});
        mouse->WaitForOutput("serving");
        monitor = std::make_unique<ChildProcess>(
            std::vector<std::string>{ChildProcess::BinDir() + "/VorlixMonitor", "/Automation"},
            std::vector<std::string>{
                "XDG_CONFIG_HOME=" + config.Path(), "XDG_RUNTIME_DIR=" + runtime.Path(),
                "HOME=" + config.Path(),
                std::string("QT_QPA_PLATFORM=") + (std::getenv("DISPLAY") ? "xcb" : "offscreen"),
                "VORLIX_TRACE=1", "VORLIX_VIRTUAL_MOUSE=" + socket,
                "DBUS_SESSION_BUS_ADDRESS=unix:path=" + runtime.Path() + "/no-bus"});
        ready = monitor->WaitForOutput("monitor started") &&
                monitor->Output().find("osd loaded") != std::string::npos;
    }
    void PostToOsd(uint32_t kind, uint32_t value) {
        CUserStore store(config.Path() + "/Vorlix Daze/store.sqlite3");
        CDatagramPoster poster(runtime.Path() + "/vorlix-daze");
        poster.Post(static_cast<WindowHandle>(store.Store().ReadDword(store::kOsdHandle)), msg::kOsdNotice,
                    kind, value);
    }

    testing::TempDir config;
    testing::TempDir runtime;
    testing::TempDir dir;
    std::string socket = dir / "mouse.sock";
    std::unique_ptr<ChildProcess> mouse;
    std::unique_ptr<ChildProcess> monitor;
    bool ready = false;
};

long StatusKb(pid_t pid, const std::string& field) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(field + ":", 0) == 0) {
            return std::stol(line.substr(field.size() + 1));
        }
    }
    return -1;
}

long CpuTicks(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    long utime = 0;
    long stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14) {
            utime = std::stol(field);
        } else if (i == 15) {
            stime = std::stol(field);
        }
    }
    return utime + stime;
}

// From the event report leaving the virtual mouse to the notice window being shown. Each round starts
// with the window hidden (turned off and on again through its own notices), so no blink is measured.
void BM_EventToOsdShown(benchmark::State& state) {
    SMonitorRig rig;
    if (!rig.ready) {
        state.SkipWithError("the monitor did not start");
        return;
    }
    CVirtualMouseClient client(rig.socket);
    size_t shown = 0;
    int profile = 0;
    std::vector<double> times;
    for (auto _ : state) {
        rig.PostToOsd(osd::kEnabled, 0);
        rig.PostToOsd(osd::kSideButton, 3);  // hides whatever is up
        rig.PostToOsd(osd::kEnabled, 1);
        rig.monitor->WaitForOutput("osd prepared 320", 10000, shown + 1);
        profile = (profile + 1) % 5;
        std::string answer;
        const auto start = std::chrono::steady_clock::now();
        client.Control("EVENT 0 " + std::to_string(0xA2) + " " + std::to_string(profile) + " 0 0", answer);
        if (!rig.monitor->WaitForOutput("osd shown", 10000, ++shown)) {
            state.SkipWithError("no notice shown");
            return;
        }
        const auto end = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(end - start).count();
        times.push_back(seconds * 1000.0);
        state.SetIterationTime(seconds);
    }
    std::sort(times.begin(), times.end());
    if (!times.empty()) {
        state.counters["median_ms"] = times[times.size() / 2];
        state.counters["p90_ms"] = times[times.size() * 9 / 10];
        state.counters["max_ms"] = times.back();
    }
}
BENCHMARK(BM_EventToOsdShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

// The idle monitor: resident memory with the notice library loaded and a notice shown once, and the
// CPU time it uses over five idle seconds (clock ticks; 0 means no polling loop).
void BM_IdleMonitor(benchmark::State& state) {
    SMonitorRig rig;
    if (!rig.ready) {
        state.SkipWithError("the monitor did not start");
        return;
    }
    CVirtualMouseClient client(rig.socket);
    std::string answer;
    client.Control("EVENT 0 " + std::to_string(0xA2) + " 1 0 0", answer);
    rig.monitor->WaitForOutput("osd shown");
    const pid_t pid = rig.monitor->Pid();
    long rssKb = 0;
    long ticks = 0;
    for (auto _ : state) {
        // Past the notice's three seconds, then measure a quiet stretch.
        std::this_thread::sleep_for(std::chrono::seconds(4));
        const long before = CpuTicks(pid);
        std::this_thread::sleep_for(std::chrono::seconds(5));
        ticks = CpuTicks(pid) - before;
        rssKb = StatusKb(pid, "VmRSS");
    }
    state.counters["rss_MB"] = static_cast<double>(rssKb) / 1024.0;
    state.counters["idle_cpu_ticks_5s"] = static_cast<double>(ticks);
}
BENCHMARK(BM_IdleMonitor)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
