#include "InstanceLock.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vorlix {

namespace {

// Open-file-description locks: owned by the open file, dropped by the kernel when the process ends, and
// testable with F_OFD_GETLK without being taken.
struct flock WholeFile(short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    return lock;
}

bool SetLock(int fd, short type) {
    struct flock lock = WholeFile(type);
    return fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

}  // namespace

CInstanceLock::~CInstanceLock() {
    Release();
}

std::string CInstanceLock::LockPath(const std::string& runtimeDir, const std::string& name) {
    std::string file;
    for (char c : name) {
        const bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                          c == '-' || c == '.';
        file.push_back(safe ? c : '_');
    }
    return runtimeDir + "/" + file + ".lock";
}

CInstanceLock::Result CInstanceLock::Acquire(const std::string& runtimeDir, const std::string& name,
                                             std::string* error) {
    Release();
    const std::string path = LockPath(runtimeDir, name);
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        if (error != nullptr) {
            *error = "cannot open the lock file " + path + ": " + std::strerror(errno);
        }
        return Result::Error;
    }
    if (!SetLock(fd, F_WRLCK)) {
        const int saved = errno;
        close(fd);
        if (saved == EAGAIN || saved == EACCES) {
            return Result::HeldElsewhere;
        }
        if (error != nullptr) {
            *error = "cannot lock " + path + ": " + std::strerror(saved);
        }
        return Result::Error;
    }
    m_fd = fd;
    return Result::Acquired;
}

void CInstanceLock::Release() {
    if (m_fd >= 0) {
        // The file stays: removing it could let a second process lock a new file while a third still
        // waits on the old one.
        SetLock(m_fd, F_UNLCK);
        close(m_fd);
        m_fd = -1;
    }
}

bool CInstanceLock::IsHeldByAnyone(const std::string& runtimeDir, const std::string& name) {
    return IsFileHeld(LockPath(runtimeDir, name));
}

bool CInstanceLock::IsFileHeld(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        return false;
    }
    // Asks who would block a write lock, without taking any lock that could turn away a real start.
    struct flock probe = WholeFile(F_WRLCK);
    const bool held = fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
    close(fd);
    return held;
}

}  // namespace vorlix
