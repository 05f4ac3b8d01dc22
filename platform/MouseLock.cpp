#include "MouseLock.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "InstanceLock.h"
#include "shared/Clock.h"

namespace vorlix {

namespace {

struct flock WholeFile(short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    return lock;
}

// FNV-1a: stable across runs and builds, so every program finds the same file for a mouse.
uint64_t HashPath(const std::string& path) {
    uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : path) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

}  // namespace

CMouseLock::CMouseLock(IClock& clock) : m_clock(clock) {}

CMouseLock::~CMouseLock() {
    Release();
}

std::string CMouseLock::LockPath(const std::string& runtimeDir, const std::string& devicePath) {
    char name[40];
    std::snprintf(name, sizeof name, "mouse-%016llx.lock",
                  static_cast<unsigned long long>(HashPath(devicePath)));
    return runtimeDir + "/" + name;
}

CMouseLock::Result CMouseLock::Acquire(const std::string& runtimeDir, const std::string& devicePath,
                                       uint32_t waitMs, std::string* error) {
    if (m_fd >= 0 && devicePath == m_devicePath) {
        return Result::Acquired;
    }
    Release();
    const std::string path = LockPath(runtimeDir, devicePath);
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        if (error != nullptr) {
            *error = "cannot open the lock file " + path + ": " + std::strerror(errno);
        }
        return Result::Error;
    }
    const uint64_t start = m_clock.NowMs();
    for (;;) {
        struct flock lock = WholeFile(F_WRLCK);
        if (fcntl(fd, F_OFD_SETLK, &lock) == 0) {
            m_fd = fd;
            m_devicePath = devicePath;
            return Result::Acquired;
        }
        const int failure = errno;
        if (failure == EINTR) {
            continue;
        }
        if (failure != EAGAIN && failure != EACCES) {
            close(fd);
            if (error != nullptr) {
                *error = "cannot lock " + path + ": " + std::strerror(failure);
            }
            return Result::Error;
        }
        const uint64_t waited = m_clock.NowMs() - start;
        if (waited >= waitMs) {
            close(fd);
            return Result::Busy;
        }
        m_clock.SleepMs(static_cast<uint32_t>(std::min<uint64_t>(kRetryMs, waitMs - waited)));
    }
}

void CMouseLock::Release() {
    if (m_fd >= 0) {
        // The file stays: removing it could let one process lock a new file while another still
        // holds the old one.
        struct flock unlock = WholeFile(F_UNLCK);
        fcntl(m_fd, F_OFD_SETLK, &unlock);
        close(m_fd);
        m_fd = -1;
        m_devicePath.clear();
    }
}

bool CMouseLock::IsHeldByAnyone(const std::string& runtimeDir, const std::string& devicePath) {
    return CInstanceLock::IsFileHeld(LockPath(runtimeDir, devicePath));
}

}  // namespace vorlix
