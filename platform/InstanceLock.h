#pragma once

#include <string>

namespace vorlix {

// A named, per-user single-instance lock: an advisory lock on a file in the user's runtime folder.
// The kernel drops the lock when the process ends, so a crash never leaves a stale lock behind.
class CInstanceLock {
public:
    enum class Result { Acquired, HeldElsewhere, Error };

    CInstanceLock() = default;
    ~CInstanceLock();
    CInstanceLock(const CInstanceLock&) = delete;
    CInstanceLock& operator=(const CInstanceLock&) = delete;

    // name: the lock's name as the programs know it (e.g. "VORLIX DAZE Monitor").
    Result Acquire(const std::string& runtimeDir, const std::string& name, std::string* error = nullptr);
    void Release();
    bool IsHeld() const { return m_fd >= 0; }

    // True when some process holds the named lock right now.
    static bool IsHeldByAnyone(const std::string& runtimeDir, const std::string& name);
    // True when some process holds a lock on the lock file at path (taken by this class or CMouseLock).
    static bool IsFileHeld(const std::string& path);
    // The lock file of a name: unsafe characters become '_'.
    static std::string LockPath(const std::string& runtimeDir, const std::string& name);

private:
    int m_fd = -1;
};

}  // namespace vorlix
