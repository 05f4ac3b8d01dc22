#pragma once

#include <string>

namespace vorlix {

// Starts a program of the user's choice (a launch button, the configuration program from the monitor).
// The path is taken exactly as it stands: no shell, no arguments, no search along PATH.
class IProgramLauncher {
public:
    virtual ~IProgramLauncher() = default;
    // True when a new process was started. A path that names no regular, readable, executable file
    // starts nothing and returns false; the caller shows no message for it.
    virtual bool Launch(const std::string& path) = 0;
};

}  // namespace vorlix
