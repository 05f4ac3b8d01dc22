#pragma once

#include "Messages.h"

namespace vorlix {

// Posts messages to published windows of this user's programs. A post never blocks; a post to a
// window that is gone or cannot take more is dropped, as a post to a stale window is.
class IMessagePoster {
public:
    virtual ~IMessagePoster() = default;
    // True when the message was handed over.
    virtual bool Post(WindowHandle target, uint32_t message, uint32_t wParam, uint32_t lParam) = 0;
    // True when the handle names a live window of this user.
    virtual bool IsWindow(WindowHandle target) = 0;
};

}  // namespace vorlix
