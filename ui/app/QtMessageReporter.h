#pragma once

#include "ui/startup/MessageReporter.h"

namespace vorlix {

// Shows messages in a topmost message box on a real display; writes them to stderr when there is no
// display to show them on (offscreen platform, no DISPLAY or WAYLAND_DISPLAY, or VORLIX_UNATTENDED set).
class CQtMessageReporter final : public IMessageReporter {
public:
    void ShowMessage(const std::string& caption, const std::string& text, Icon icon) override;
    static bool IsUnattended();
};

}  // namespace vorlix
