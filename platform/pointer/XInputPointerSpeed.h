#pragma once

#include <memory>
#include <string>
#include <vector>

#include "DesktopPointerBase.h"

namespace vorlix {

// The speed of the pointer devices of an X server whose input driver is libinput: the device property
// "libinput Accel Speed" of every slave pointer that has it. Devices without it (the XTEST pointer,
// other drivers) are left alone. X11 keeps no double-click or wheel setting of its own.
class CXInputPointerSpeed : public CDesktopPointerBase {
public:
    static constexpr const char* kProperty = "libinput Accel Speed";

    // display: an X display name; empty: DISPLAY.
    CXInputPointerSpeed(std::string display, std::shared_ptr<CPointerFaults> faults);

    bool Read(SPointerValues& values) override;

protected:
    bool Put(const SPointerValues& values) override;

private:
    std::string m_display;
};

// The names of the X server's slave pointer devices, empty when it cannot be reached.
std::vector<std::string> ListXPointerNames(const std::string& display);

}  // namespace vorlix
