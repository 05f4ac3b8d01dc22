// What a profile switch costs on the desktop backends that run here without a desktop: KDE's two files
// rewritten (no bus: the change signal is skipped), GNOME's settings in a key file. Each iteration is one
// Apply with its read-back check, alternating two profiles so every apply really writes.
#include <benchmark/benchmark.h>

#include <fstream>
#include "platform/pointer/GnomePointerSettings.h"
#include "platform/pointer/KdePointerSettings.h"

#include "tests/support/TempDir.h"

namespace {

using namespace vorlix;

const SPointerValues kProfiles[2] = {{6, 300, 2}, {16, 700, 8}};

void BM_KdeApply(benchmark::State& state) {
    testing::TempDir home;
    testing::ScopedEnv noBus("DBUS_SESSION_BUS_ADDRESS", nullptr);
    testing::ScopedEnv noSocket("XDG_RUNTIME_DIR", home.Path().c_str());
    std::ofstream(home / "kdeglobals") << "[General]\nColorScheme=Breeze\n\n[KDE]\nSingleClick=false\n";
    auto faults = std::make_shared<CPointerFaults>([](std::string_view) {});
    CKdePointerSettings kde(home.Path(), nullptr, nullptr, faults);
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kde.Apply(kProfiles[i++ & 1]));
    }
}
BENCHMARK(BM_KdeApply)->Unit(benchmark::kMicrosecond);

void BM_GnomeApply(benchmark::State& state) {
    testing::TempDir dir;
    auto faults = std::make_shared<CPointerFaults>([](std::string_view) {});
    CGnomePointerSettings gnome({"", dir / "settings.ini"}, faults);
    if (!gnome.Usable()) {
        state.SkipWithError("the GNOME mouse schema is not installed");
        return;
    }
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(gnome.Apply(kProfiles[i++ & 1]));
    }
}
BENCHMARK(BM_GnomeApply)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
