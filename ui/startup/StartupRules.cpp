#include "StartupRules.h"

#include <algorithm>
#include <cctype>

#include "shared/Messages.h"
#include "shared/StoreNames.h"

namespace vorlix {

bool CStartupRules::ParseAutomation(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(), [](const std::string& arg) {
        if (arg.size() != 11 || (arg[0] != '/' && arg[0] != '-')) {
            return false;
        }
        std::string word = arg.substr(1);
        std::transform(word.begin(), word.end(), word.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return word == "automation";
    });
}

CStartupRules::HandOver CStartupRules::HandOverToRunningInstance(CRegStore& store, IMessagePoster& poster,
                                                                 IMessageReporter& reporter, IClock& clock,
                                                                 const std::string& caption,
                                                                 const std::string& tooManyText,
                                                                 uint32_t settleMs) {
    constexpr uint32_t kPollMs = 50;
    const uint64_t deadline = clock.NowMs() + settleMs;
    for (;;) {
        const int32_t handle = store.ReadDword(store::kProcessHandle);
        if (store::IsWindowHandle(handle)) {
            // Fire and forget: a stale handle loses the post, and this start ends all the same.
            poster.Post(static_cast<WindowHandle>(handle), msg::kCommand, msg::kShowCommandId, 0);
            return HandOver::PostedShow;
        }
        if (clock.NowMs() >= deadline) {
            break;
        }
        clock.SleepMs(kPollMs);
    }
    reporter.ShowMessage(caption, tooManyText, IMessageReporter::Icon::Stop);
    return HandOver::ReportedTooMany;
}

}  // namespace vorlix
