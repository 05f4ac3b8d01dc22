#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace vorlix {

// The side buttons as the kernel sees them: the mouse's pointer event nodes (/dev/input/eventN, the
// ones udev marks as a mouse and not as a keyboard), read with libevdev. Each input frame's state of
// the back and forward buttons goes to the callback on the reader's thread. Nothing is grabbed: the
// desktop keeps getting the buttons as well.
class CEvdevSideButtons {
public:
    static constexpr uint8_t kBack = 0x01;     // BTN_SIDE
    static constexpr uint8_t kForward = 0x02;  // BTN_EXTRA
    using Callback = std::function<void(uint8_t held)>;

    explicit CEvdevSideButtons(Callback callback);
    ~CEvdevSideButtons();
    CEvdevSideButtons(const CEvdevSideButtons&) = delete;
    CEvdevSideButtons& operator=(const CEvdevSideButtons&) = delete;

    // The pointer event nodes of the mouse with these ids that are present now.
    static std::vector<std::string> FindNodes(uint16_t vendorId, uint16_t productId);
    // Opens the nodes and starts the reader; false when none could be opened.
    bool Start(const std::vector<std::string>& nodes);
    // Wakes the reader and waits for it to end.
    void Stop();

private:
    void Run(std::vector<int> fds);

    Callback m_callback;
    int m_wake = -1;
    std::thread m_thread;
};

}  // namespace vorlix
