// Three processes share the store, each writing its own values and reading them and the others'
// back, as the configuration program, the monitor and the notice library do. Reports the total
// operations per second, every failed operation (a write refused, a read of an unusable store, a
// process that died before reporting), and acknowledged writes that did not read back: straight
// after the write, and once more for every value after all three processes have ended.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <string>
#include <vector>

#include "platform/UserStore.h"
#include "tests/support/TempDir.h"

namespace {

using vorlix::StoreStatus;

constexpr int kProcesses = 3;
constexpr int kValues = 20;   // each process cycles through this many values of its own
constexpr int kRounds = 200;  // each round: one write, one read of its own, one read of a neighbour's

struct ChildResult {
    int operations = 0;
    int failures = 0;
    int lost = 0;
    // The last write of each own value that the store acknowledged; 0 when none was.
    std::array<uint32_t, kValues> acknowledged{};
};

std::string ValueName(int process, int value) {
    return "P" + std::to_string(process) + " V" + std::to_string(value);
}

ChildResult RunChild(const std::string& path, int self, int iteration) {
    vorlix::CUserStore user(path);
    vorlix::CRegStore& store = user.Store();
    ChildResult result;
    for (int i = 0; i < kRounds; ++i) {
        const std::string own = ValueName(self, i % kValues);
        const auto value = static_cast<uint32_t>(iteration * 100000 + i);
        ++result.operations;
        if (store.WriteDword(own, value) != 1) {
            ++result.failures;
            continue;
        }
        result.acknowledged[static_cast<size_t>(i % kValues)] = value;
        ++result.operations;
        if (store.ReadDword(own) != static_cast<int32_t>(value)) {
            // A store that could not be read is a failure; a value that read back wrong or not at all
            // is a lost write.
            if (store.LastStatus() == StoreStatus::Failed) {
                ++result.failures;
            } else {
                ++result.lost;
            }
        }
        ++result.operations;
        // A neighbour's value may not exist yet (missing is fine); a store that fails is not.
        if (store.ReadDword(ValueName((self + 1) % kProcesses, i % kValues)) == -1 &&
            store.LastStatus() != StoreStatus::NotFound) {
            ++result.failures;
        }
    }
    return result;
}

// Reads a child's report to the end of its pipe; false when the child died before writing all of it.
bool ReadReport(int fd, ChildResult& result) {
    auto* bytes = reinterpret_cast<char*>(&result);
    size_t got = 0;
    while (got < sizeof(result)) {
        const ssize_t n = read(fd, bytes + got, sizeof(result) - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        got += static_cast<size_t>(n);
    }
    return true;
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
    int64_t finalLost = 0;
    int64_t crashed = 0;
    int iteration = 0;
    for (auto _ : state) {
        ++iteration;
        std::array<int, kProcesses> readEnds{};
        std::array<pid_t, kProcesses> children{};
        for (int p = 0; p < kProcesses; ++p) {
            int fds[2];
            if (pipe(fds) != 0) {
                state.SkipWithError("pipe failed");
                return;
            }
            const pid_t pid = fork();
            if (pid == 0) {
                close(fds[0]);
                const ChildResult result = RunChild(path, p, iteration);
                const bool sent =
                    write(fds[1], &result, sizeof(result)) == static_cast<ssize_t>(sizeof(result));
                _exit(sent ? 0 : 1);
            }
            // Only the child keeps the write end: a child that dies ends the parent's read at once.
            close(fds[1]);
            if (pid < 0) {
                close(fds[0]);
                state.SkipWithError("fork failed");
                return;
            }
            readEnds[static_cast<size_t>(p)] = fds[0];
            children[static_cast<size_t>(p)] = pid;
        }
        std::array<ChildResult, kProcesses> results{};
        std::array<bool, kProcesses> reported{};
        for (size_t p = 0; p < kProcesses; ++p) {
            reported[p] = ReadReport(readEnds[p], results[p]);
            close(readEnds[p]);
            int status = 0;
            waitpid(children[p], &status, 0);
            reported[p] = reported[p] && WIFEXITED(status) && WEXITSTATUS(status) == 0;
            if (reported[p]) {
                operations += results[p].operations;
                failures += results[p].failures;
                lost += results[p].lost;
            } else {
                // Everything the dead process did is unaccounted for: all of it counts as failed.
                ++crashed;
                operations += 3 * kRounds;
                failures += 3 * kRounds;
            }
        }
        // Once all three have ended, every value must hold its process's last acknowledged write.
        vorlix::CUserStore user(path);
        for (int p = 0; p < kProcesses; ++p) {
            if (!reported[static_cast<size_t>(p)]) {
                continue;
            }
            for (int v = 0; v < kValues; ++v) {
                const uint32_t expected =
                    results[static_cast<size_t>(p)].acknowledged[static_cast<size_t>(v)];
                if (expected == 0) {
                    continue;
                }
                ++operations;
                const int32_t stored = user.Store().ReadDword(ValueName(p, v));
                if (stored == -1 && user.Store().LastStatus() == StoreStatus::Failed) {
                    ++failures;
                } else if (stored != static_cast<int32_t>(expected)) {
                    ++finalLost;
                }
            }
        }
    }
    state.SetItemsProcessed(operations);
    state.counters["ops_per_s"] =
        benchmark::Counter(static_cast<double>(operations), benchmark::Counter::kIsRate);
    state.counters["failed_ops"] = static_cast<double>(failures);
    state.counters["lost_writes"] = static_cast<double>(lost);
    state.counters["lost_final"] = static_cast<double>(finalLost);
    state.counters["crashed_children"] = static_cast<double>(crashed);
}
BENCHMARK(BM_StoreThreeProcesses)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
