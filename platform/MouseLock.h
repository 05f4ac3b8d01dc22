#pragma once

#include <cstdint>
#include <string>

namespace vorlix {

class IClock;

// Serialises the changes to one mouse among the processes of one user. A change reads the mouse's
// settings, selects a block and writes it; a second process doing the same at once selects another
// block in between and the mouse drops one of the writes. Whoever reads or writes profile blocks
// (vorlixctl's commands, the configuration program's save and reset) holds this lock from the first
// read to the last write.
//
// The lock is an open-file-description lock on a file in the user's runtime folder, named after a hash
// of the mouse's device path, so two mice never wait for each other. The kernel drops it when the
// process ends, so a crash or kill -9 never leaves a stale lock.
class CMouseLock {
public:
    enum class Result {
        Acquired,
        Busy,   // another process kept the mouse for the whole wait
        Error,  // the lock file could not be opened or locked (the reason is in error)
    };
    // Between two attempts while the lock is held elsewhere.
    static constexpr uint32_t kRetryMs = 25;

    // Every pause of the wait goes through clock.
    explicit CMouseLock(IClock& clock);
    ~CMouseLock();
    CMouseLock(const CMouseLock&) = delete;
    CMouseLock& operator=(const CMouseLock&) = delete;

    // Takes the lock of the mouse at devicePath, waiting at most waitMs while another process holds it
    // (0: one attempt). Taking it again while held is fine and keeps it.
    Result Acquire(const std::string& runtimeDir, const std::string& devicePath, uint32_t waitMs,
                   std::string* error = nullptr);
    void Release();
    bool IsHeld() const { return m_fd >= 0; }
    const std::string& DevicePath() const { return m_devicePath; }

    // True when another process holds the lock of this mouse right now.
    static bool IsHeldByAnyone(const std::string& runtimeDir, const std::string& devicePath);
    // The lock file of a mouse: "mouse-" and a 64-bit hash of its path in hexadecimal.
    static std::string LockPath(const std::string& runtimeDir, const std::string& devicePath);

private:
    IClock& m_clock;
    int m_fd = -1;
    std::string m_devicePath;
};

}  // namespace vorlix
