#pragma once

#include <cstdint>

namespace vorlix {

// What a dialog over one profile of the mouse asks of the model behind it: open the profile, end the
// editing with OK or Cancel, and take the monitor's notices while it is open.
class IDeviceDialogModel {
public:
    virtual ~IDeviceDialogModel() = default;
    // False for a profile the dialog cannot edit.
    virtual bool Open(int profile) = 0;
    virtual int Profile() const = 0;
    virtual void Ok() = 0;
    // With deviceGone (the mouse was lost) nothing is sent to the mouse.
    virtual void Cancel(bool deviceGone) = 0;
    // Message 0x9101 from the monitor; true when it was handled.
    virtual bool OnNotice(uint32_t kind, uint32_t value) = 0;
};

}  // namespace vorlix
