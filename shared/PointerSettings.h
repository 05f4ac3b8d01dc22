#pragma once

namespace vorlix {

// The three pointer settings a profile carries on the desktop, on the mouse-speed scale the store uses.
struct SPointerValues {
    // Wheel lines that mean "scroll one page per notch".
    static constexpr int kWheelPage = -1;

    int speed = 10;           // 1..20, 10 = the desktop's own default speed
    int doubleClickMs = 500;  // double-click time in milliseconds
    int wheelLines = 3;       // 1..10, or kWheelPage

    bool operator==(const SPointerValues&) const = default;
};

// The desktop's pointer settings. A backend acts on what its desktop holds and leaves the rest alone;
// failures never block or throw, they return false.
class IPointerSettings {
public:
    virtual ~IPointerSettings() = default;
    // Puts the values into effect on the desktop.
    virtual bool Apply(const SPointerValues& values) = 0;
    // Reads the desktop's current values. A setting the desktop does not hold keeps what values holds.
    virtual bool Read(SPointerValues& values) = 0;
};

}  // namespace vorlix
