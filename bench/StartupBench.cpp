// Start-up of the configuration program as a user sees it: from the process start to the first paint
// of the main face with the mouse's settings loaded (against the virtual mouse), and to the first paint
// of the warning face when no mouse is there. Each iteration is a fresh process with its own folders.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "PrescribedPauses.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace {

using vorlix::testing::ChildProcess;
using vorlix::testing::TempDir;

std::string Bin(const char* program) {
    return std::string(VORLIX_BENCH_BIN_DIR) + "/" + program;
}

void StartUntilPainted(benchmark::State& state, bool withMouse, const char* trace) {
    TempDir mouseDir;
    const std::string socket = mouseDir.Path() + "/vm.sock";
    std::unique_ptr<ChildProcess> mouse;
    if (withMouse) {
        mouse = std::make_unique<ChildProcess>(
            std::vector<std::string>{Bin("vorlix-virtual-mouse"), "--socket", socket, "serve"});
        for (int i = 0; i < 500 && !std::filesystem::exists(socket); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (!std::filesystem::exists(socket)) {
            state.SkipWithError("the virtual mouse did not start");
            return;
        }
    }
    for (auto _ : state) {
        TempDir config;
        TempDir runtime;
        std::vector<std::string> env{"XDG_CONFIG_HOME=" + config.Path(),
                                     "XDG_RUNTIME_DIR=" + runtime.Path(),
                                     "HOME=" + config.Path(),
                                     "VORLIX_TRACE=1",
                                     "VORLIX_UNATTENDED=1",
                                     "LANG=C",
                                     "QT_QPA_PLATFORM=offscreen"};
        if (withMouse) {
            env.push_back("VORLIX_VIRTUAL_MOUSE=" + socket);
        }
        const auto start = std::chrono::steady_clock::now();
        ChildProcess app({Bin("VorlixDaze")}, env);
        const bool painted = app.WaitForOutput(trace, 10000);
        const auto end = std::chrono::steady_clock::now();
        app.Kill(9);
        app.Wait(5000);
        if (!painted) {
            state.SkipWithError(("no paint: " + app.Output()).c_str());
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    if (withMouse) {
        // What the protocol itself makes the start wait: the rest is the program's own time.
        state.counters["prescribed_pause_ms"] =
            static_cast<double>(vorlix::bench::SumMs(vorlix::bench::kConnectAndLoad) +
                                vorlix::bench::SumMs(vorlix::bench::kVersionCheck));
    }
}

void BM_StartToMainFace(benchmark::State& state) {
    StartUntilPainted(state, true, "vorlix-trace: main face painted");
}
void BM_StartToWarningFace(benchmark::State& state) {
    StartUntilPainted(state, false, "vorlix-trace: warning face painted");
}

}  // namespace

BENCHMARK(BM_StartToMainFace)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_StartToWarningFace)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK_MAIN();
