// Speed of the macro program model: parse + serialize of a full 2000-byte macro, and single edits
// on a program at the budget's maximum. Goals: parse + serialize under 50 us, any edit under 50 us.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <random>
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

// 1000 random edits per iteration (insert, command insert, delete with pairs, move, re-time); the
// program returns to its starting state between iterations, untimed. Each edit is timed on the
// thread's own CPU clock, so that a busy machine's preemptions do not count as edit time.
void RandomEdits(benchmark::State& state, const std::vector<uint8_t>& code) {
    Texts texts;
    CMacroProgram program(texts);
    std::mt19937 random(2);
    std::vector<double> times;
    for (auto _ : state) {
        program.Parse(code.data(), static_cast<int>(code.size()));
        double elapsed = 0;
        for (int edit = 0; edit < 1000; ++edit) {
            const int line = static_cast<int>(random() % static_cast<unsigned>(std::max(1, program.Count())));
            const unsigned kind = edit % 2 == 0 ? 0 : 1 + random() % 5;
            program.SelectOnly(line);
            const double start = ThreadMicroseconds();
            switch (kind) {
                case 0:
                    program.DeleteSelected(true);
                    break;
                case 1:
                    program.InsertPlain(static_cast<int>(0x04 + random() % 0x70));
                    break;
                case 2:
                    program.InsertExtended(static_cast<int>(0x80 + random() % 20));
                    break;
                case 3:
                    program.SetDelayOfSelected(static_cast<int>(random() % 300));
                    break;
                case 4:
                    program.MoveSelectedUp();
                    break;
                default:
                    program.MoveSelectedDown();
                    break;
            }
            const double us = ThreadMicroseconds() - start;
            times.push_back(us);
            elapsed += us;
        }
        state.SetIterationTime(elapsed / 1e6);
    }
    // The slowest edits of a busy, shared machine include its interruptions; the 99th percentile
    // shows the edits themselves.
    std::sort(times.begin(), times.end());
    double total = 0;
    for (double us : times) {
        total += us;
    }
    state.counters["mean_edit_us"] = total / static_cast<double>(times.size());
    state.counters["p99_edit_us"] = times[times.size() * 99 / 100];
    state.counters["max_edit_us"] = times.back();
}

void BM_EditsKeys(benchmark::State& state) {
    RandomEdits(state, KeyCode());
}
void BM_EditsWithJumps(benchmark::State& state) {
    RandomEdits(state, MixedCode());
}

}  // namespace

BENCHMARK(BM_ParseSerializeMixed)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParseSerializeKeys)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditsKeys)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditsWithJumps)->UseManualTime()->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
