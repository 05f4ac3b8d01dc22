#pragma once

#include <cstdint>

namespace vorlix {

// Turns the state of the side buttons after each input frame into presses: a button counts once, in the
// frame where it goes down. Both readers of the side buttons (the kernel's pointer events and the
// virtual mouse's reports) feed it.
class CSideButtonTracker {
public:
    static constexpr uint8_t kButton4 = 0x01;  // back
    static constexpr uint8_t kButton5 = 0x02;  // forward

    struct SPresses {
        bool button4 = false;
        bool button5 = false;
        bool Any() const { return button4 || button5; }
    };

    // The buttons held down now (kButton4 | kButton5); the buttons that went down since the last frame.
    SPresses Update(uint8_t held) {
        const uint8_t pressed = held & static_cast<uint8_t>(~m_held);
        m_held = held;
        return {(pressed & kButton4) != 0, (pressed & kButton5) != 0};
    }
    // Buttons 4 and 5 of a boot-protocol mouse report: bits 3 and 4 of its first byte.
    static uint8_t FromBootReport(uint8_t buttons) {
        return static_cast<uint8_t>(((buttons >> 3) & 1u) * kButton4 | ((buttons >> 4) & 1u) * kButton5);
    }

private:
    uint8_t m_held = 0;
};

}  // namespace vorlix
