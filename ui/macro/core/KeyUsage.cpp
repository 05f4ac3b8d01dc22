#include "KeyUsage.h"

#include <array>
#include <utility>

namespace vorlix {

namespace {

// Input event codes as the kernel numbers them, paired with the macro's key usages.
constexpr std::pair<uint16_t, uint8_t> kKeys[] = {
    {1, 0x29},    // Escape
    {2, 0x1E},    // 1
    {3, 0x1F},    // 2
    {4, 0x20},    // 3
    {5, 0x21},    // 4
    {6, 0x22},    // 5
    {7, 0x23},    // 6
    {8, 0x24},    // 7
    {9, 0x25},    // 8
    {10, 0x26},   // 9
    {11, 0x27},   // 0
    {12, 0x2D},   // minus
    {13, 0x2E},   // equal
    {14, 0x2A},   // Backspace
    {15, 0x2B},   // Tab
    {16, 0x14},   // Q
    {17, 0x1A},   // W
    {18, 0x08},   // E
    {19, 0x15},   // R
    {20, 0x17},   // T
    {21, 0x1C},   // Y
    {22, 0x18},   // U
    {23, 0x0C},   // I
    {24, 0x12},   // O
    {25, 0x13},   // P
    {26, 0x2F},   // left brace
    {27, 0x30},   // right brace
    {28, 0x28},   // Enter
    {29, 0x70},   // left Ctrl
    {30, 0x04},   // A
    {31, 0x16},   // S
    {32, 0x07},   // D
    {33, 0x09},   // F
    {34, 0x0A},   // G
    {35, 0x0B},   // H
    {36, 0x0D},   // J
    {37, 0x0E},   // K
    {38, 0x0F},   // L
    {39, 0x33},   // semicolon
    {40, 0x34},   // apostrophe
    {41, 0x35},   // grave
    {42, 0x71},   // left Shift
    {43, 0x31},   // backslash
    {44, 0x1D},   // Z
    {45, 0x1B},   // X
    {46, 0x06},   // C
    {47, 0x19},   // V
    {48, 0x05},   // B
    {49, 0x11},   // N
    {50, 0x10},   // M
    {51, 0x36},   // comma
    {52, 0x37},   // dot
    {53, 0x38},   // slash
    {54, 0x75},   // right Shift
    {55, 0x55},   // keypad *
    {56, 0x72},   // left Alt
    {57, 0x2C},   // Space
    {58, 0x39},   // Caps Lock
    {59, 0x3A},   // F1
    {60, 0x3B},   // F2
    {61, 0x3C},   // F3
    {62, 0x3D},   // F4
    {63, 0x3E},   // F5
    {64, 0x3F},   // F6
    {65, 0x40},   // F7
    {66, 0x41},   // F8
    {67, 0x42},   // F9
    {68, 0x43},   // F10
    {69, 0x53},   // Num Lock
    {70, 0x47},   // Scroll Lock
    {71, 0x5F},   // keypad 7
    {72, 0x60},   // keypad 8
    {73, 0x61},   // keypad 9
    {74, 0x56},   // keypad -
    {75, 0x5C},   // keypad 4
    {76, 0x5D},   // keypad 5
    {77, 0x5E},   // keypad 6
    {78, 0x57},   // keypad +
    {79, 0x59},   // keypad 1
    {80, 0x5A},   // keypad 2
    {81, 0x5B},   // keypad 3
    {82, 0x62},   // keypad 0
    {83, 0x63},   // keypad .
    {87, 0x44},   // F11
    {88, 0x45},   // F12
    {96, 0x28},   // keypad Enter: the macro's key set has one Enter
    {97, 0x74},   // right Ctrl
    {98, 0x54},   // keypad /
    {99, 0x46},   // Print Screen
    {100, 0x76},  // right Alt
    {102, 0x4A},  // Home
    {103, 0x52},  // Up
    {104, 0x4B},  // Page Up
    {105, 0x50},  // Left
    {106, 0x4F},  // Right
    {107, 0x4D},  // End
    {108, 0x51},  // Down
    {109, 0x4E},  // Page Down
    {110, 0x49},  // Insert
    {111, 0x4C},  // Delete
    {119, 0x48},  // Pause
    {125, 0x73},  // left Super
    {126, 0x77},  // right Super
};

constexpr std::array<uint8_t, 128> BuildTable() {
    std::array<uint8_t, 128> table{};
    for (const auto& [code, usage] : kKeys) {
        table[code] = usage;
    }
    return table;
}

constexpr std::array<uint8_t, 128> kTable = BuildTable();

}  // namespace

int KeyUsageFromEventCode(uint32_t eventCode) {
    return eventCode < kTable.size() ? kTable[eventCode] : 0;
}

}  // namespace vorlix
