#pragma once

#include <string>
#include <vector>

#include "MessageReporter.h"
#include "shared/Clock.h"
#include "shared/MessagePoster.h"
#include "shared/RegStore.h"

namespace vorlix {

// The rules of the configuration program's start that need no window: the command line and the
// hand-over of a second start to the running instance.
class CStartupRules {
public:
    // True when any argument is the switch "Automation" written with "/" or "-", in any letter case.
    static bool ParseAutomation(const std::vector<std::string>& args);

    enum class HandOver { PostedShow, ReportedTooMany };

    // A second start: posts "Show" to the window in "Process Handle"; when there is none, reports
    // tooManyText. A first instance that is still starting has not published its handle yet, so the
    // handle is looked for a little while (settleMs) before giving up.
    static HandOver HandOverToRunningInstance(CRegStore& store, IMessagePoster& poster,
                                              IMessageReporter& reporter, IClock& clock,
                                              const std::string& caption, const std::string& tooManyText,
                                              uint32_t settleMs = 2000);
};

}  // namespace vorlix
