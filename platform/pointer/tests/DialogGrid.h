#pragma once

#include <string>
#include <vector>

#include "shared/PointerSettings.h"

namespace vorlix::testing {

// Every value the advanced dialog can produce: speed 1 and 2..20 in steps of 2, double-click
// 100..1000 in steps of 100, wheel lines 1..10 and a page. Zipped into one list of value sets so that
// each value of each setting appears in at least one set.
inline std::vector<SPointerValues> DialogGrid() {
    std::vector<int> speeds{1};
    for (int s = 2; s <= 20; s += 2) {
        speeds.push_back(s);
    }
    std::vector<int> clicks;
    for (int ms = 100; ms <= 1000; ms += 100) {
        clicks.push_back(ms);
    }
    std::vector<int> lines;
    for (int l = 1; l <= 10; ++l) {
        lines.push_back(l);
    }
    lines.push_back(SPointerValues::kWheelPage);
    std::vector<SPointerValues> grid;
    for (size_t i = 0; i < 11; ++i) {
        grid.push_back({speeds[i % speeds.size()], clicks[i % clicks.size()], lines[i % lines.size()]});
    }
    return grid;
}

inline std::string Describe(const SPointerValues& v) {
    return "speed " + std::to_string(v.speed) + ", double-click " + std::to_string(v.doubleClickMs) +
           ", lines " + std::to_string(v.wheelLines);
}

// Collects what a backend reports, to check each fault is told once.
struct FaultLines {
    std::vector<std::string> lines;
    size_t CountContaining(const std::string& text) const {
        size_t n = 0;
        for (const std::string& line : lines) {
            n += line.find(text) != std::string::npos ? 1 : 0;
        }
        return n;
    }
};

}  // namespace vorlix::testing
