#pragma once

#include <cstdint>
#include <span>

// The pauses the mouse's protocol lays down for a mouse of the 0x24 family that answers every command
// at once, written out step by step from the protocol rather than taken from the code's clock. The
// benchmarks hold their wall time against these sums and report what the code asked for beside them,
// so a pause that goes missing shows as a gap instead of improving the ratio.
namespace vorlix::bench {

struct SPrescribedPause {
    const char* step;
    int times;
    uint32_t ms;
};

// Five profile blocks read, one written.
inline constexpr SPrescribedPause kReadFiveWriteOne[] = {
    {"settle after each block select before a read", 5, 10},
    {"read delay of the 0x24 family", 5, 0},
    {"settle after the block select before the write", 1, 10},
    {"write delay of the 0x24 family", 1, 0},
};

// Connect and full load.
inline constexpr SPrescribedPause kConnectAndLoad[] = {
    {"two opens, each checking signature bytes 4030 and 4031 read twice: settle per read", 8, 10},
    {"option byte and profile byte: settle after each read command", 2, 10},
    {"option byte and profile byte: pause after each read", 2, 10},
    {"settle after each of the five block selects", 5, 10},
    {"read delay of the 0x24 family", 5, 0},
};

// The configuration window checks the firmware version after every load (an identify), before it shows
// the main face; the session alone, with no window, does not.
inline constexpr SPrescribedPause kVersionCheck[] = {
    {"identify: settle after the command and after its answer", 2, 10},
};

inline constexpr uint64_t SumMs(std::span<const SPrescribedPause> steps) {
    uint64_t sum = 0;
    for (const SPrescribedPause& step : steps) {
        sum += static_cast<uint64_t>(step.times) * step.ms;
    }
    return sum;
}

}  // namespace vorlix::bench
