#pragma once

#include <string>
#include <vector>

#include <sys/types.h>

namespace vorlix::testing {

// A program started by a test, with its stdout and stderr captured. The test waits on what the child
// writes or on its exit, never for a fixed time. The child is killed if the test ends first.
class ChildProcess {
public:
    // env: extra "NAME=VALUE" entries on top of the test's own environment.
    ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return m_pid > 0; }
    pid_t Pid() const { return m_pid; }
    // Reads output until text has appeared count times; false after timeoutMs or at end of output.
    bool WaitForOutput(const std::string& text, int timeoutMs = 10000, size_t count = 1);
    // Waits for the exit and returns the exit status (-1 on timeout or a signal), reading all output.
    int Wait(int timeoutMs = 10000);
    void Kill(int signal);
    // Everything the child wrote so far, stdout and stderr interleaved.
    const std::string& Output() const { return m_output; }
    size_t Count(const std::string& text) const;

    // The folder the programs were built into.
    static std::string BinDir();

private:
    bool ReadSome(int timeoutMs);

    pid_t m_pid = -1;
    int m_fd = -1;
    bool m_exited = false;
    int m_status = -1;
    std::string m_output;
};

}  // namespace vorlix::testing
