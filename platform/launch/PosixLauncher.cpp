#include "PosixLauncher.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iostream>

extern char** environ;

namespace vorlix {

namespace {

// The reaper only waits; a small stack keeps many running programs cheap.
constexpr size_t kReaperStack = 64 * 1024;

void* Reap(void* argument) {
    const pid_t pid = static_cast<pid_t>(reinterpret_cast<intptr_t>(argument));
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    return nullptr;
}

bool StartReaper(pid_t pid) {
    pthread_attr_t attr;
    if (pthread_attr_init(&attr) != 0) {
        return false;
    }
    pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
    pthread_attr_setstacksize(&attr, kReaperStack);
    // The thread must not take signals meant for the program's own threads.
    sigset_t all;
    sigset_t old;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &old);
    pthread_t thread;
    const int created =
        pthread_create(&thread, &attr, Reap, reinterpret_cast<void*>(static_cast<intptr_t>(pid)));
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
    pthread_attr_destroy(&attr);
    return created == 0;
}

// Checks what the path names without opening anything that is not a regular file (opening a FIFO or a
// device for reading can block or act on the device). Empty on success, else the reason.
std::string Refusal(const std::string& path) {
    if (path.empty()) {
        return "the path is empty";
    }
    if (path.find('\0') != std::string::npos) {
        // The kernel would see only the part before the NUL: another file than the one named.
        return "the path contains a NUL character";
    }
    const int handle = ::open(path.c_str(), O_PATH | O_CLOEXEC);
    if (handle < 0) {
        return std::strerror(errno);
    }
    struct stat named {};
    const bool statted = ::fstat(handle, &named) == 0;
    ::close(handle);
    if (!statted) {
        return std::strerror(errno);
    }
    if (!S_ISREG(named.st_mode)) {
        return S_ISDIR(named.st_mode) ? "it is a folder" : "it is not a regular file";
    }
    if (::faccessat(AT_FDCWD, path.c_str(), X_OK, AT_EACCESS) != 0) {
        return std::string("not executable: ") + std::strerror(errno);
    }
    // Readable as the program runs it; the same file must still be there.
    const int readable = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (readable < 0) {
        return std::string("not readable: ") + std::strerror(errno);
    }
    struct stat opened {};
    const bool same =
        ::fstat(readable, &opened) == 0 && opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
    ::close(readable);
    if (!same) {
        return "the file changed while it was checked";
    }
    return {};
}

class CSpawnSettings {
public:
    CSpawnSettings() {
        m_ok = posix_spawnattr_init(&m_attr) == 0;
        if (posix_spawn_file_actions_init(&m_actions) != 0) {
            m_ok = false;
            return;
        }
        m_actionsReady = true;
        if (!m_ok) {
            return;
        }
        sigset_t none;
        sigemptyset(&none);
        // Every catchable signal back to its default, also those this program ignores (SIGPIPE).
        sigset_t defaults;
        sigfillset(&defaults);
        sigdelset(&defaults, SIGKILL);
        sigdelset(&defaults, SIGSTOP);
        m_ok = posix_spawnattr_setsigmask(&m_attr, &none) == 0 &&
               posix_spawnattr_setsigdefault(&m_attr, &defaults) == 0 &&
               posix_spawnattr_setflags(
                   &m_attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID) == 0 &&
               // Close-on-exec does not cover descriptors that libraries opened without it.
               posix_spawn_file_actions_addclosefrom_np(&m_actions, STDERR_FILENO + 1) == 0;
    }
    ~CSpawnSettings() {
        if (m_actionsReady) {
            posix_spawn_file_actions_destroy(&m_actions);
        }
        posix_spawnattr_destroy(&m_attr);
    }
    CSpawnSettings(const CSpawnSettings&) = delete;
    CSpawnSettings& operator=(const CSpawnSettings&) = delete;

    bool Ok() const { return m_ok; }
    const posix_spawnattr_t* Attr() const { return &m_attr; }
    const posix_spawn_file_actions_t* Actions() const { return &m_actions; }

private:
    posix_spawnattr_t m_attr;
    posix_spawn_file_actions_t m_actions;
    bool m_ok = false;
    bool m_actionsReady = false;
};

}  // namespace

CPosixLauncher::CPosixLauncher() {
    if (std::getenv("VORLIX_TRACE") != nullptr) {
        m_trace = [](const std::string& line) { std::cerr << line << std::endl; };
    }
}

CPosixLauncher::CPosixLauncher(TraceSink trace) : m_trace(std::move(trace)) {}

void CPosixLauncher::Trace(const std::string& path, const std::string& reason) const {
    if (m_trace) {
        m_trace("launcher: not started \"" + path + "\": " + reason);
    }
}

bool CPosixLauncher::Launch(const std::string& path) {
    const std::string refusal = Refusal(path);
    if (!refusal.empty()) {
        Trace(path, refusal);
        return false;
    }
    CSpawnSettings settings;
    if (!settings.Ok()) {
        Trace(path, "cannot prepare the new process");
        return false;
    }
    char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
    pid_t pid = -1;
    // glibc reports a failed exec here and has already collected that child.
    const int spawned = posix_spawn(&pid, path.c_str(), settings.Actions(), settings.Attr(), argv, environ);
    if (spawned != 0) {
        Trace(path, std::strerror(spawned));
        return false;
    }
    if (!StartReaper(pid)) {
        // The program runs; only its exit status will linger until this process ends.
        if (m_trace) {
            m_trace("launcher: started \"" + path + "\" but cannot reap it");
        }
    }
    return true;
}

}  // namespace vorlix
