// What one program start costs the thread that asks for it (the monitor's GUI thread), with few and with
// many descriptors open in the caller, and whether every started program was reaped afterwards.
#include <benchmark/benchmark.h>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/launch/PosixLauncher.h"

namespace {

// Children of this process that have not been reaped (running or zombie).
int ChildrenLeft() {
    int count = 0;
    const std::string self = std::to_string(getpid());
    if (DIR* proc = opendir("/proc")) {
        while (const dirent* entry = readdir(proc)) {
            std::ifstream stat(std::string("/proc/") + entry->d_name + "/stat");
            std::string line;
            if (!std::getline(stat, line)) {
                continue;
            }
            // pid (comm) state ppid ...: the name may hold spaces, so read after the last ')'.
            const size_t close = line.rfind(')');
            if (close == std::string::npos) {
                continue;
            }
            std::string state;
            std::string ppid;
            std::istringstream rest(line.substr(close + 1));
            rest >> state >> ppid;
            count += ppid == self ? 1 : 0;
        }
        closedir(proc);
    }
    return count;
}

void BM_Launch(benchmark::State& state) {
    std::vector<int> held;
    for (int i = 0; i < state.range(0); ++i) {
        held.push_back(open("/dev/null", O_RDONLY));
    }
    vorlix::CPosixLauncher launcher([](const std::string&) {});
    int failed = 0;
    for (auto _ : state) {
        failed += launcher.Launch("/bin/true") ? 0 : 1;
    }
    // The programs end at once; give the reapers a bounded moment before counting what is left.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    int left = ChildrenLeft();
    while (left > 0 && std::chrono::steady_clock::now() < deadline) {
        poll(nullptr, 0, 10);
        left = ChildrenLeft();
    }
    for (int fd : held) {
        close(fd);
    }
    state.counters["failed"] = failed;
    state.counters["children_left"] = left;
    state.counters["launches_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Launch)
    ->Arg(0)
    ->Arg(1000)
    ->ArgName("open_fds")
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(500)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
