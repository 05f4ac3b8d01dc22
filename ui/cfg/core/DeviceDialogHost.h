#pragma once

namespace vorlix {

// What the advanced settings and LED dialogs need from the main window while they are open. The
// dialogs hear the monitor's notices themselves (their published endpoints); when the mouse switches
// profile meanwhile they follow it, and the desktop's pointer settings follow through the window, as
// they do when the window itself shows another profile. The profile a dialog ended on goes back to the
// window when the dialog closes (EndProfile of each dialog).
class IDeviceDialogHost {
public:
    virtual ~IDeviceDialogHost() = default;
    // The device variant of the loaded mouse (0, 1 or 2): it fixes the sensitivity scale and the
    // factory defaults.
    virtual int DeviceVariant() const = 0;
    // Puts a profile's recorded pointer settings into effect on the desktop.
    virtual void ApplyProfilePointer(int profile) = 0;
};

}  // namespace vorlix
