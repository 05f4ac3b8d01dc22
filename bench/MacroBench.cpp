// Speed of the macro program model: parse + serialize of a full 2000-byte macro, single edits on a
// program at the budget's maximum, and the heaviest edits a full program allows. Goals: parse +
// serialize under 50 us, any edit under 50 us (held against the 99th percentile and the maximum of
// all timings, on the thread's CPU clock).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "macro/MacroProgram.h"
#include "macro/MacroTextSource.h"

namespace {

using namespace vorlix;

class Texts : public IMacroTextSource {
public:
    std::u16string_view CommandName(int) const override { return u"Copy"; }
    std::u16string_view DelayUnitName(int index) const override { return index == 0 ? u"sec" : u"ms"; }
};

// A recorded-looking macro: key strokes with delays, commands, a loop and jumps, 2000 bytes.
std::vector<uint8_t> MixedCode() {
    std::vector<uint8_t> code;
    std::mt19937 random(1);
    while (code.size() < kMaxCodeBytes - 24) {
        const uint8_t key = static_cast<uint8_t>(0x04 + random() % 0x60);
        const int at = static_cast<int>(code.size());
        code.insert(code.end(), {0x02,
                                 0x03,
                                 key,
                                 0x01,
                                 0x0A,
                                 0x00,
                                 static_cast<uint8_t>(key | 0x80),
                                 0x82,
                                 static_cast<uint8_t>(at),
                                 static_cast<uint8_t>(at >> 8),
                                 0x83,
                                 0x82,
                                 0x70,
                                 0x06,
                                 0x86,
                                 0xF0,
                                 0x83,
                                 0x02,
                                 static_cast<uint8_t>(at),
                                 static_cast<uint8_t>(at >> 8)});
    }
    code.resize(kMaxCodeBytes, 0x04);
    return code;
}

// 2000 one-byte instructions: the most lines a macro can have.
std::vector<uint8_t> KeyCode() {
    std::vector<uint8_t> code(kMaxCodeBytes);
    for (size_t i = 0; i < code.size(); ++i) {
        code[i] = static_cast<uint8_t>(i % 2 == 0 ? 0x04 + i % 0x70 : 0x84 + (i - 1) % 0x70);
    }
    return code;
}

void ParseSerialize(benchmark::State& state, const std::vector<uint8_t>& code) {
    Texts texts;
    CMacroProgram program(texts);
    uint8_t out[kMaxCodeBytes];
    for (auto _ : state) {
        program.Parse(code.data(), static_cast<int>(code.size()));
        benchmark::DoNotOptimize(program.Serialize(out, kMaxCodeBytes));
    }
    state.counters["lines"] = program.Count();
    state.counters["jumps"] = program.JumpCount();
}

void BM_ParseSerializeMixed(benchmark::State& state) {
    ParseSerialize(state, MixedCode());
}
void BM_ParseSerializeKeys(benchmark::State& state) {
    ParseSerialize(state, KeyCode());
}

double ThreadMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

enum EditKind { kDelete, kInsert, kInsertCommand, kRetime, kMoveUp, kMoveDown, kKinds };
const char* const kKindNames[kKinds] = {"delete", "insert", "command", "retime", "up", "down"};

// One edit of the selected line; its time on the thread's own CPU clock, so that a busy machine's
// preemptions do not count as edit time (its interrupts still do).
double TimedEdit(CMacroProgram& program, EditKind kind, int value) {
    const double start = ThreadMicroseconds();
    switch (kind) {
        case kDelete:
            program.DeleteSelected(true);
            break;
        case kInsert:
            program.InsertPlain(0x04 + value % 0x70);
            break;
        case kInsertCommand:
            program.InsertExtended(0x80 + value % 20);
            break;
        case kRetime:
            program.SetDelayOfSelected(value % 300);
            break;
        case kMoveUp:
            program.MoveSelectedUp();
            break;
        default:
            program.MoveSelectedDown();
            break;
    }
    return ThreadMicroseconds() - start;
}

double Percentile(std::vector<double>& sorted, double fraction) {
    if (sorted.empty()) {
        return 0;
    }
    return sorted[std::min(sorted.size() - 1,
                           static_cast<size_t>(static_cast<double>(sorted.size()) * fraction))];
}

// Room left before an edit that adds bytes (an insert, a longer delay), so the budget takes it: the
// largest instruction these edits add.
constexpr int kGrowthRoom = 8;

// 1000 random edits per iteration (half deletes with pairs, the rest inserts, command inserts,
// re-times and moves), the same sequence every iteration. Before every edit the program is put back
// at the budget's maximum (kGrowthRoom bytes short of it for an edit that adds bytes), so no edit
// runs on a program that earlier deletes have shrunk. Reports per kind the 50th, 99th and 99.9th
// percentile and the maximum over every timing of every repetition; the goal (50 us) is held against
// the worst kind's 99th percentile and maximum. refused_edits counts inserts the budget turned down,
// min_used_bytes the smallest program an edit started from.
void RandomEdits(benchmark::State& state, const std::vector<uint8_t>& code) {
    constexpr int kEdits = 1000;
    Texts texts;
    CMacroProgram program(texts);
    std::vector<uint8_t> shortCode = code;
    shortCode.resize(code.size() - kGrowthRoom);
    std::vector<double> times[kKinds];
    int64_t refused = 0;
    int minUsed = kMaxCodeBytes;
    for (auto _ : state) {
        std::mt19937 random(2);
        double elapsed = 0;
        for (int edit = 0; edit < kEdits; ++edit) {
            const auto kind = static_cast<EditKind>(edit % 2 == 0 ? 0 : 1 + static_cast<int>(random() % 5));
            const bool grows = kind == kInsert || kind == kInsertCommand || kind == kRetime;
            const std::vector<uint8_t>& start = grows ? shortCode : code;
            program.Parse(start.data(), static_cast<int>(start.size()));
            minUsed = std::min(minUsed, program.UsedBytes());
            const int line = static_cast<int>(random() % static_cast<unsigned>(std::max(1, program.Count())));
            const int value = static_cast<int>(random() % 0x10000);
            program.SelectOnly(line);
            const int usedBefore = program.UsedBytes();
            const double us = TimedEdit(program, kind, value);
            if (grows && kind != kRetime && program.UsedBytes() == usedBefore) {
                ++refused;
            }
            times[kind].push_back(us);
            elapsed += us;
        }
        state.SetIterationTime(elapsed / 1e6);
    }
    double worstP99 = 0;
    double worstMax = 0;
    for (int kind = 0; kind < kKinds; ++kind) {
        std::vector<double>& sorted = times[kind];
        std::sort(sorted.begin(), sorted.end());
        const std::string name = kKindNames[kind];
        const double p99 = Percentile(sorted, 0.99);
        const double max = sorted.empty() ? 0 : sorted.back();
        state.counters[name + "_p50_us"] = Percentile(sorted, 0.50);
        state.counters[name + "_p99_us"] = p99;
        state.counters[name + "_p999_us"] = Percentile(sorted, 0.999);
        state.counters[name + "_max_us"] = max;
        worstP99 = std::max(worstP99, p99);
        worstMax = std::max(worstMax, max);
    }
    state.counters["goal_p99_us"] = worstP99;
    state.counters["goal_max_us"] = worstMax;
    state.counters["refused_edits"] = static_cast<double>(refused);
    state.counters["min_used_bytes"] = minUsed;
}

void BM_EditsKeys(benchmark::State& state) {
    RandomEdits(state, KeyCode());
}
void BM_EditsWithJumps(benchmark::State& state) {
    RandomEdits(state, MixedCode());
}

// The heaviest single edits a full program allows, each on a fresh copy: the edit's minimum, 99th
// percentile and maximum over the repetitions. lines_before/lines and used_bytes show that the edit
// was made, not refused by the budget.
enum Heavy {
    kDeletePressesWithPairs,  // 2000 one-byte lines: the 1000 key presses selected, their releases too
    kDeleteAllWithJumps,      // the program with 128 jumps: every line selected and deleted
    kInsertAtTopOfKeys,       // 1999 one-byte lines: a key inserted before line 1, filling the budget
    kInsertAtTopOfJumps,      // the program with 128 jumps, 4 bytes short: "Page UP" before line 1
    kRetimeTopOfJumps,        // the program with 128 jumps, 4 bytes short: line 1 given a 5000 ms delay
};

void BM_HeavyEdit(benchmark::State& state) {
    const auto heavy = static_cast<Heavy>(state.range(0));
    const bool keys = heavy == kDeletePressesWithPairs || heavy == kInsertAtTopOfKeys;
    std::vector<uint8_t> code = keys ? KeyCode() : MixedCode();
    if (heavy == kInsertAtTopOfKeys) {
        code.resize(kMaxCodeBytes - 1);
    } else if (heavy == kInsertAtTopOfJumps || heavy == kRetimeTopOfJumps) {
        code.resize(kMaxCodeBytes - 4);
    }
    Texts texts;
    CMacroProgram program(texts);
    std::vector<double> times;
    int linesBefore = 0;
    for (auto _ : state) {
        program.Parse(code.data(), static_cast<int>(code.size()));
        linesBefore = program.Count();
        program.ClearSelection();
        if (heavy == kDeletePressesWithPairs) {
            for (int line = 0; line < program.Count(); line += 2) {
                program.SelectLine(line);
            }
        } else if (heavy == kDeleteAllWithJumps) {
            for (int line = 0; line < program.Count(); ++line) {
                program.SelectLine(line);
            }
        } else {
            program.SelectOnly(0);
        }
        const EditKind kind = heavy == kInsertAtTopOfKeys    ? kInsert
                              : heavy == kInsertAtTopOfJumps ? kInsertCommand
                              : heavy == kRetimeTopOfJumps   ? kRetime
                                                             : kDelete;
        double us = 0;
        if (kind == kRetime) {
            const double start = ThreadMicroseconds();
            program.SetDelayOfSelected(5000);
            us = ThreadMicroseconds() - start;
        } else {
            us = TimedEdit(program, kind, 0);
        }
        times.push_back(us);
        state.SetIterationTime(us / 1e6);
    }
    std::sort(times.begin(), times.end());
    state.counters["lines_before"] = linesBefore;
    state.counters["lines"] = program.Count();
    state.counters["used_bytes"] = program.UsedBytes();
    state.counters["jumps"] = program.JumpCount();
    state.counters["p50_us"] = Percentile(times, 0.50);
    state.counters["p99_us"] = Percentile(times, 0.99);
    state.counters["max_us"] = times.back();
}

}  // namespace

BENCHMARK(BM_ParseSerializeMixed)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParseSerializeKeys)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditsKeys)->UseManualTime()->Iterations(40)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditsWithJumps)->UseManualTime()->Iterations(40)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HeavyEdit)
    ->DenseRange(kDeletePressesWithPairs, kRetimeTopOfJumps)
    ->UseManualTime()
    ->Iterations(300)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
