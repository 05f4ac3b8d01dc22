#include <gtest/gtest.h>

#include "shared/FakeClock.h"
#include "shared/MemoryStoreBackend.h"
#include "shared/StoreNames.h"
#include "ui/startup/StartupRules.h"

namespace vorlix {
namespace {

TEST(StartupRulesTest, AutomationSwitch) {
    struct Case {
        std::vector<std::string> args;
        bool automation;
    };
    const Case cases[] = {
        {{}, false},
        {{"/Automation"}, true},
        {{"-AUTOMATION"}, true},
        {{"x", "-automation", "y"}, true},
        {{"/Automation2"}, false},
        {{"Automation"}, false},
        {{"--automation"}, false},
        {{"/Automatio"}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CStartupRules::ParseAutomation(c.args), c.automation) << ::testing::PrintToString(c.args);
    }
}

struct RecordingPoster : IMessagePoster {
    std::vector<std::pair<WindowHandle, PostedMessage>> posts;
    bool Post(WindowHandle target, uint32_t message, uint32_t wParam, uint32_t lParam) override {
        posts.push_back({target, {message, wParam, lParam}});
        return false;  // a stale window: the hand-over must not care
    }
    bool IsWindow(WindowHandle) override { return false; }
};

struct RecordingReporter : IMessageReporter {
    std::vector<std::string> shown;
    void ShowMessage(const std::string& caption, const std::string& text, Icon icon) override {
        shown.push_back(caption + "|" + text + "|" + std::to_string(static_cast<int>(icon)));
    }
};

class HandOverTest : public ::testing::Test {
protected:
    CStartupRules::HandOver Run() {
        return CStartupRules::HandOverToRunningInstance(store, poster, reporter, clock, "CAPTION",
                                                        "TOO MANY INSTANCES!");
    }
    CMemoryStoreBackend backend;
    CRegStore store{backend};
    RecordingPoster poster;
    RecordingReporter reporter;
    CFakeClock clock;
};

TEST_F(HandOverTest, PostsShowToThePublishedWindow) {
    ASSERT_EQ(store.WriteDword(store::kProcessHandle, 0x1234), 1);
    EXPECT_EQ(Run(), CStartupRules::HandOver::PostedShow);
    ASSERT_EQ(poster.posts.size(), 1u);
    EXPECT_EQ(poster.posts[0].first, 0x1234u);
    EXPECT_EQ(poster.posts[0].second.message, msg::kCommand);
    EXPECT_EQ(poster.posts[0].second.wParam, 32774u);
    EXPECT_EQ(poster.posts[0].second.lParam, 0u);
    EXPECT_TRUE(reporter.shown.empty());
    EXPECT_TRUE(clock.Sleeps().empty());
}

TEST_F(HandOverTest, NoUsableHandleReportsTooManyInstancesAfterWaiting) {
    for (uint32_t value : {0u, 0xFFFFFFFFu}) {
        ASSERT_EQ(store.WriteDword(store::kProcessHandle, value), 1);
        reporter.shown.clear();
        clock.ClearSleeps();
        EXPECT_EQ(Run(), CStartupRules::HandOver::ReportedTooMany);
        EXPECT_EQ(reporter.shown, std::vector<std::string>{"CAPTION|TOO MANY INSTANCES!|2"});
        EXPECT_GE(clock.TotalSleptMs(), 2000u);
        EXPECT_LT(clock.TotalSleptMs(), 2100u);
    }
    EXPECT_TRUE(poster.posts.empty());
}

}  // namespace
}  // namespace vorlix
