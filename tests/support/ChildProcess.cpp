#include "ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace vorlix::testing {

namespace {

int64_t NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

std::string ChildProcess::BinDir() {
    const char* dir = std::getenv("VORLIX_BIN_DIR");
    return dir != nullptr ? dir : "bin";
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        return;
    }
    std::vector<std::string> environment;
    for (char** e = environ; *e != nullptr; ++e) {
        environment.emplace_back(*e);
    }
    for (const std::string& extra : env) {
        const std::string name = extra.substr(0, extra.find('=') + 1);
        std::erase_if(environment, [&](const std::string& e) { return e.rfind(name, 0) == 0; });
        environment.push_back(extra);
    }
    std::vector<char*> args;
    for (const std::string& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& e : environment) {
        envp.push_back(const_cast<char*>(e.c_str()));
    }
    envp.push_back(nullptr);

    m_pid = fork();
    if (m_pid == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        dup2(pipeFds[1], STDERR_FILENO);
        const int devnull = open("/dev/null", O_RDONLY);
        dup2(devnull, STDIN_FILENO);
        execve(args[0], args.data(), envp.data());
        std::fprintf(stderr, "exec %s: %s\n", args[0], std::strerror(errno));
        _exit(127);
    }
    close(pipeFds[1]);
    m_fd = pipeFds[0];
}

ChildProcess::~ChildProcess() {
    if (m_pid > 0 && !m_exited) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    if (m_fd >= 0) {
        close(m_fd);
    }
}

bool ChildProcess::ReadSome(int timeoutMs) {
    if (m_fd < 0) {
        return false;
    }
    pollfd p{m_fd, POLLIN, 0};
    if (poll(&p, 1, timeoutMs) <= 0) {
        return false;
    }
    char buffer[4096];
    const ssize_t n = read(m_fd, buffer, sizeof(buffer));
    if (n <= 0) {
        close(m_fd);
        m_fd = -1;
        return false;
    }
    m_output.append(buffer, static_cast<size_t>(n));
    return true;
}

bool ChildProcess::WaitForOutput(const std::string& text, int timeoutMs, size_t count) {
    const int64_t deadline = NowMs() + timeoutMs;
    for (;;) {
        if (Count(text) >= count) {
            return true;
        }
        const int64_t left = deadline - NowMs();
        if (left <= 0 || !ReadSome(static_cast<int>(left))) {
            return Count(text) >= count;
        }
    }
}

int ChildProcess::Wait(int timeoutMs) {
    if (m_exited) {
        return m_status;
    }
    const int64_t deadline = NowMs() + timeoutMs;
    // The output closes when the child (and anything it left running) is gone.
    while (m_fd >= 0 && NowMs() < deadline) {
        ReadSome(static_cast<int>(deadline - NowMs()));
    }
    int status = 0;
    pid_t done = waitpid(m_pid, &status, WNOHANG);
    while (done == 0 && NowMs() < deadline) {
        // The child closed its output but has not been reaped yet: wait for its exit notification.
        pollfd none{-1, 0, 0};
        poll(&none, 0, 5);
        done = waitpid(m_pid, &status, WNOHANG);
    }
    if (done != m_pid) {
        return -1;
    }
    m_exited = true;
    m_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return m_status;
}

void ChildProcess::Kill(int signal) {
    if (m_pid > 0 && !m_exited) {
        kill(m_pid, signal);
    }
}

size_t ChildProcess::Count(const std::string& text) const {
    size_t count = 0;
    for (size_t at = m_output.find(text); at != std::string::npos; at = m_output.find(text, at + 1)) {
        ++count;
    }
    return count;
}

}  // namespace vorlix::testing
