#pragma once

#include "shared/MessagePoster.h"

namespace vorlix {

// Where the screenshot tools' windows post their notices: nowhere, and no window is ever live, so no
// notice window or monitor is needed to take the pictures.
class CSilentPoster final : public IMessagePoster {
public:
    bool Post(WindowHandle, uint32_t, uint32_t, uint32_t) override { return true; }
    bool IsWindow(WindowHandle) override { return false; }
};

}  // namespace vorlix
