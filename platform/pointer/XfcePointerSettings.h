#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DesktopPointerBase.h"

namespace vorlix {

class CSessionBus;

// Xfce: the acceleration of each pointer device in the xfconf channel "pointers" and the double-click
// time in the channel "xsettings", through the xfconf service on the session bus. Xfce's settings
// helper puts a changed device entry into effect at once. Xfce has no wheel-lines setting.
class CXfcePointerSettings : public CDesktopPointerBase {
public:
    // The pointer devices' names as the X server gives them (Xfce keys its entries by them).
    using DeviceLister = std::function<std::vector<std::string>()>;

    CXfcePointerSettings(DeviceLister devices, std::shared_ptr<CSessionBus> bus,
                         std::shared_ptr<CPointerFaults> faults);

    bool Read(SPointerValues& values) override;

    // Xfce's acceleration scale (0..10, 5 = the device's default) against the store's speed.
    static double SpeedToXfce(int speed);
    static int XfceToSpeed(double acceleration);
    // The entry name Xfce gives a device: letters, digits, '_' and '-' kept, spaces as '_'.
    static std::string EntryName(const std::string& deviceName);

protected:
    bool Put(const SPointerValues& values) override;

private:
    // Device entries: those the channel holds already and those of the devices present now.
    std::vector<std::string> Entries();
    // A numeric property; none when it is missing or no number. reached turns false when the service
    // did not answer.
    std::optional<double> Number(const char* channel, const std::string& property, bool* reached);

    DeviceLister m_devices;
    std::shared_ptr<CSessionBus> m_bus;
};

}  // namespace vorlix
