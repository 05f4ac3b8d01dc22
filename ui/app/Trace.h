#pragma once

#include <cstdio>
#include <cstdlib>

namespace vorlix {

// One line on stderr for each step of the program's life when VORLIX_TRACE is set, so tests and
// users can follow what a running program did.
inline void Trace(const char* what) {
    static const bool enabled = std::getenv("VORLIX_TRACE") != nullptr;
    if (enabled) {
        std::fprintf(stderr, "vorlix-trace: %s\n", what);
        std::fflush(stderr);
    }
}

}  // namespace vorlix
