#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/DatagramEndpoint.h"
#include "platform/UserPaths.h"
#include "platform/UserStore.h"
#include "shared/Messages.h"
#include "shared/StoreNames.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

using testing::ChildProcess;

// vorlixctl post and osd-listen as processes, each run with the test's own store and runtime folder.
class ProbeProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(mkdir(runtime.c_str(), 0700), 0);
        ASSERT_TRUE(CUserPaths::EnsurePrivateDir(endpoints, nullptr));
    }
    std::vector<std::string> Env() const {
        return {"XDG_CONFIG_HOME=" + home.Path(), "XDG_RUNTIME_DIR=" + runtime};
    }
    std::unique_ptr<ChildProcess> Start(const std::vector<std::string>& args) const {
        std::vector<std::string> argv{ChildProcess::BinDir() + "/vorlixctl"};
        argv.insert(argv.end(), args.begin(), args.end());
        return std::make_unique<ChildProcess>(argv, Env());
    }
    int Ctl(const std::vector<std::string>& args, std::string* output = nullptr) const {
        auto child = Start(args);
        const int status = child->Wait();
        if (output != nullptr) {
            *output = child->Output();
        }
        return status;
    }
    CRegStore& Store() { return store.Store(); }
    // The OSD handle as stored, or nothing when no value is stored under the name.
    std::optional<uint32_t> StoredOsdHandle() {
        IStoreBackend& backend = store.Backend();
        StoreValue value;
        const bool found =
            backend.Open() == StoreStatus::Ok && backend.Get(store::kOsdHandle, value) == StoreStatus::Ok;
        backend.Close();
        return found ? std::optional(value.AsDword()) : std::nullopt;
    }

    testing::TempDir home;
    std::string runtime = home / "run";
    std::string endpoints = runtime + "/vorlix-daze";
    CUserStore store{home.Path() + "/Vorlix Daze/store.sqlite3"};
};

TEST_F(ProbeProcessTest, PostHandsEachMessageToTheNamedEndpoint) {
    CDatagramEndpoint endpoint;
    ASSERT_TRUE(endpoint.Create(endpoints));
    ASSERT_EQ(Store().WriteDword("Process Handle", endpoint.Id()), 1);
    struct Case {
        std::vector<std::string> args;
        PostedMessage expected;
    };
    const Case cases[] = {
        {{"show"}, {msg::kCommand, msg::kShowCommandId, 0}},
        {{"close"}, {msg::kClose, 0, 0}},
        {{"command", "1"}, {msg::kCommand, 1, 0}},
        {{"command", "0x8006"}, {msg::kCommand, 32774, 0}},
        {{"osd", "5", "3"}, {msg::kOsdNotice, 5, 3}},
        {{"device", "0", "0x90"}, {msg::kDeviceNotice, 0, 0x90}},
        {{"osd", "-1", "4294967295"}, {msg::kOsdNotice, 0xFFFFFFFF, 0xFFFFFFFF}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"post", "process handle"};  // names match in any letter case
        args.insert(args.end(), c.args.begin(), c.args.end());
        SCOPED_TRACE(args[2]);
        std::string out;
        ASSERT_EQ(Ctl(args, &out), 0) << out;
        const std::optional<PostedMessage> got = endpoint.Receive();
        ASSERT_TRUE(got.has_value());
        EXPECT_EQ(got->message, c.expected.message);
        EXPECT_EQ(got->wParam, c.expected.wParam);
        EXPECT_EQ(got->lParam, c.expected.lParam);
        EXPECT_FALSE(endpoint.Receive().has_value()) << "exactly one message";
    }
}

TEST_F(ProbeProcessTest, PostFailsForANameWithNoLiveEndpointAndRejectsBadUse) {
    std::string out;
    EXPECT_EQ(Ctl({"post", "Process Handle", "show"}, &out), 1) << "no store yet";
    EXPECT_FALSE(std::filesystem::exists(store.Path())) << "a failed post creates no store";
    {
        CDatagramEndpoint gone;
        ASSERT_TRUE(gone.Create(endpoints));
        ASSERT_EQ(Store().WriteDword("Configure Handle", gone.Id()), 1);
    }
    ASSERT_EQ(Store().WriteDword("Current Dialog", 0), 1);
    ASSERT_EQ(Store().WriteDword("LED Edit Handle", 0xFFFFFFFF), 1);
    ASSERT_EQ(Store().WriteText("Path", u"/opt"), 1);
    for (const char* name :
         {"Process Handle", "Configure Handle", "Current Dialog", "LED Edit Handle", "Path"}) {
        EXPECT_EQ(Ctl({"post", name, "show"}, &out), 1) << name;
        EXPECT_NE(out.find(name), std::string::npos) << out;
    }

    const std::vector<std::vector<std::string>> badUse = {
        {"post"},
        {"post", "OSD Handle"},
        {"post", "OSD Handle", "jump"},
        {"post", "OSD Handle", "show", "now"},
        {"post", "OSD Handle", "command"},
        {"post", "OSD Handle", "command", "65536"},
        {"post", "OSD Handle", "command", "-1"},
        {"post", "OSD Handle", "osd", "1"},
        {"post", "OSD Handle", "device", "1", "two"},
        {"post", "OSD Handle", "osd", "1", "0x100000000"},
        {"osd-listen", "--timeout"},
        {"osd-listen", "--timeout", "-1"},
        {"osd-listen", "--timeout", "soon"},
        {"osd-listen", "--forever"},
    };
    for (const auto& args : badUse) {
        EXPECT_EQ(Ctl(args, &out), 2) << args.back();
    }
}

TEST_F(ProbeProcessTest, OsdListenPrintsNoticesAndPutsTheEarlierHandleBack) {
    struct Case {
        const char* what;
        std::optional<uint32_t> before;
        const char* end;  // how the listener is ended
    };
    const Case cases[] = {
        {"SIGTERM, a handle before", 777, "TERM"},
        {"SIGINT, nothing before", std::nullopt, "INT"},
        {"a close message, a dead handle before", 0, "close"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.before) {
            ASSERT_EQ(Store().WriteDword(store::kOsdHandle, *c.before), 1);
        } else {
            Store().DeleteValue(store::kOsdHandle);
        }
        auto listener = Start({"osd-listen"});
        ASSERT_TRUE(listener->WaitForOutput("listening")) << listener->Output();
        const std::optional<uint32_t> published = StoredOsdHandle();
        ASSERT_TRUE(published.has_value());
        EXPECT_NE(published, c.before);

        std::string out;
        ASSERT_EQ(Ctl({"post", "OSD Handle", "osd", "0", "0xB0"}, &out), 0) << out;
        ASSERT_EQ(Ctl({"post", "OSD Handle", "device", "7", "1"}, &out), 0) << out;  // not an OSD notice
        ASSERT_EQ(Ctl({"post", "OSD Handle", "osd", "8", "4294967295"}, &out), 0) << out;
        ASSERT_TRUE(listener->WaitForOutput("8\t4294967295\n")) << listener->Output();
        if (std::string(c.end) == "close") {
            ASSERT_EQ(Ctl({"post", "OSD Handle", "close"}, &out), 0) << out;
        } else {
            listener->Kill(std::string(c.end) == "TERM" ? SIGTERM : SIGINT);
        }
        EXPECT_EQ(listener->Wait(), 0);
        const std::string& printed = listener->Output();
        EXPECT_EQ(printed.substr(printed.find('\n') + 1), "0\t176\n8\t4294967295\n");
        EXPECT_EQ(StoredOsdHandle(), c.before);
        EXPECT_EQ(Ctl({"post", "OSD Handle", "osd", "0", "1"}, &out), 1) << "the endpoint is gone";
    }
}

TEST_F(ProbeProcessTest, OsdListenLeavesAHandleAnotherWindowPublishedMeanwhile) {
    ASSERT_EQ(Store().WriteDword(store::kOsdHandle, 777), 1);
    auto listener = Start({"osd-listen"});
    ASSERT_TRUE(listener->WaitForOutput("listening")) << listener->Output();
    ASSERT_EQ(Store().WriteDword(store::kOsdHandle, 555), 1);
    listener->Kill(SIGTERM);
    EXPECT_EQ(listener->Wait(), 0);
    EXPECT_EQ(StoredOsdHandle(), 555u);

    // A timeout ends it the same way; zero ends it at once.
    std::string out;
    EXPECT_EQ(Ctl({"osd-listen", "--timeout", "0"}, &out), 0) << out;
    EXPECT_NE(out.find("listening"), std::string::npos);
    EXPECT_EQ(StoredOsdHandle(), 555u);
}

}  // namespace
}  // namespace vorlix
