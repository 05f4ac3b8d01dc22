#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace vorlix {

// One line on stderr for each step of a program's life when VORLIX_TRACE is set, so tests and users can
// follow what a running program (the configuration program, the monitor, the notice library) did.
inline void Trace(std::string_view what) {
    static const bool enabled = std::getenv("VORLIX_TRACE") != nullptr;
    if (enabled) {
        std::fprintf(stderr, "vorlix-trace: %.*s\n", static_cast<int>(what.size()), what.data());
        std::fflush(stderr);
    }
}

}  // namespace vorlix
