// Three processes share the store, each writing its own values and reading them and the others'
// back, as the configuration program, the monitor and the notice library do. Reports the total
// operations per second, the failed operations, and acknowledged writes that did not read back.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

#include "platform/UserStore.h"
#include "tests/support/TempDir.h"

namespace {

constexpr int kProcesses = 3;
constexpr int kRounds = 200;  // each round: one write, one read of its own, one read of a neighbour's

struct ChildResult {
    int operations = 0;
    int failures = 0;
    int lost = 0;
};

ChildResult RunChild(const std::string& path, int self, int iteration) {
    vorlix::CUserStore user(path);
    vorlix::CRegStore& store = user.Store();
    ChildResult result;
    for (int i = 0; i < kRounds; ++i) {
        const std::string own = "P" + std::to_string(self) + " V" + std::to_string(i % 20);
        const auto value = static_cast<uint32_t>(iteration * 100000 + i);
        ++result.operations;
        if (store.WriteDword(own, value) != 1) {
            ++result.failures;
            continue;
        }
        ++result.operations;
        if (store.ReadDword(own) != static_cast<int32_t>(value)) {
            ++result.lost;
        }
        const int other = (self + 1) % kProcesses;
        ++result.operations;
        // A neighbour's value may not exist yet: only a failed store counts as a failure here.
        (void)store.ReadDword("P" + std::to_string(other) + " V" + std::to_string(i % 20));
    }
    return result;
}

void BM_StoreThreeProcesses(benchmark::State& state) {
    vorlix::testing::TempDir dir;
    const std::string path = dir.Path() + "/Vorlix Daze/store.sqlite3";
    {
        vorlix::CUserStore user(path);
        user.Store().WriteDword("seed", 0);
    }
    int64_t operations = 0;
    int64_t failures = 0;
    int64_t lost = 0;
    int iteration = 0;
    for (auto _ : state) {
        ++iteration;
        int pipes[kProcesses][2];
        std::vector<pid_t> children;
        for (int p = 0; p < kProcesses; ++p) {
            if (pipe(pipes[p]) != 0) {
                state.SkipWithError("pipe failed");
                return;
            }
            const pid_t pid = fork();
            if (pid == 0) {
                const ChildResult result = RunChild(path, p, iteration);
                (void)!write(pipes[p][1], &result, sizeof(result));
                _exit(0);
            }
            children.push_back(pid);
        }
        for (int p = 0; p < kProcesses; ++p) {
            ChildResult result;
            if (read(pipes[p][0], &result, sizeof(result)) == static_cast<ssize_t>(sizeof(result))) {
                operations += result.operations;
                failures += result.failures;
                lost += result.lost;
            } else {
                ++failures;
            }
            close(pipes[p][0]);
            close(pipes[p][1]);
            waitpid(children[static_cast<size_t>(p)], nullptr, 0);
        }
    }
    state.SetItemsProcessed(operations);
    state.counters["ops_per_s"] =
        benchmark::Counter(static_cast<double>(operations), benchmark::Counter::kIsRate);
    state.counters["failed_ops"] = static_cast<double>(failures);
    state.counters["lost_writes"] = static_cast<double>(lost);
}
BENCHMARK(BM_StoreThreeProcesses)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
