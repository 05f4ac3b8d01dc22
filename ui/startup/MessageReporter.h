#pragma once

#include <string>

namespace vorlix {

// Shows a message to the user and returns once it has been dismissed. Unattended runs (no display,
// tests) write it to stderr and go on as if it had been dismissed, so nothing ever waits for a click.
class IMessageReporter {
public:
    enum class Icon { Information, Warning, Stop };
    virtual ~IMessageReporter() = default;
    virtual void ShowMessage(const std::string& caption, const std::string& text, Icon icon) = 0;
};

}  // namespace vorlix
