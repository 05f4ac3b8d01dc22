#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace vorlix {

// One line on stderr for each step of the monitor's life when VORLIX_TRACE is set, so tests and users
// can follow what a running monitor did.
inline void MonitorTrace(const std::string& what) {
    static const bool enabled = std::getenv("VORLIX_TRACE") != nullptr;
    if (enabled) {
        std::fprintf(stderr, "vorlix-trace: %s\n", what.c_str());
        std::fflush(stderr);
    }
}

}  // namespace vorlix
