#pragma once

#include "ui/startup/MessageReporter.h"

namespace vorlix {

// Shows messages in the system message box: topmost, through the modal runner, so that an unattended
// run (no display, offscreen platform, VORLIX_UNATTENDED set) writes them to stderr instead of waiting
// for a click nobody will make.
class CQtMessageReporter final : public IMessageReporter {
public:
    // Built once the QApplication exists: from then on the Qt platform in use counts for every modal run.
    CQtMessageReporter();
    void ShowMessage(const std::string& caption, const std::string& text, Icon icon) override;
    static bool IsUnattended();
};

}  // namespace vorlix
