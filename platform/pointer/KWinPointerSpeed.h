#pragma once

#include <memory>
#include <string>
#include <vector>

#include "DesktopPointerBase.h"

namespace vorlix {

class CSessionBus;

// The pointer acceleration of KWin's input devices on a Plasma Wayland session, set through KWin's
// input-device objects on the session bus. Only mice are touched: devices that are no pointer, or are
// a touchpad, or cannot accelerate keep their own setting. KWin keeps the value for the next login.
class CKWinPointerSpeed : public CDesktopPointerBase {
public:
    CKWinPointerSpeed(std::shared_ptr<CSessionBus> bus, std::shared_ptr<CPointerFaults> faults);

    bool Read(SPointerValues& values) override;

protected:
    bool Put(const SPointerValues& values) override;

private:
    // Object paths of the mice KWin has now.
    std::vector<std::string> Mice();
    bool Flag(const std::string& path, const char* name);

    std::shared_ptr<CSessionBus> m_bus;
};

}  // namespace vorlix
