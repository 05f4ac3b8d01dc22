#pragma once

#include <functional>
#include <string>

#include "shared/ProgramLauncher.h"

namespace vorlix {

// Starts a program as a new process with posix_spawn: exactly the given path, with the path as its only
// argument and the user's environment, never through a shell. Only a regular file this user may read and
// execute is started. The new process inherits no descriptor of ours but 0, 1 and 2, starts with every
// signal at its default and none blocked, and runs in its own session, so it lives on independently of
// the program that started it. Nobody waits for it, yet it never stays behind as a zombie: a small
// detached thread reaps it when it ends, which matters for the long-running monitor.
class CPosixLauncher final : public IProgramLauncher {
public:
    // Receives one line saying why a path was not started.
    using TraceSink = std::function<void(const std::string&)>;

    // Reasons go to stderr when the environment sets VORLIX_TRACE, else nowhere.
    CPosixLauncher();
    explicit CPosixLauncher(TraceSink trace);

    bool Launch(const std::string& path) override;

private:
    void Trace(const std::string& path, const std::string& reason) const;

    TraceSink m_trace;
};

}  // namespace vorlix
