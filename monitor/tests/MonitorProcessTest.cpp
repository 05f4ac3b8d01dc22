#include <fcntl.h>
#include <gtest/gtest.h>

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDBusConnection>

#include <csignal>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>

#include "platform/DatagramEndpoint.h"
#include "platform/DatagramPoster.h"
#include "platform/UserStore.h"
#include "shared/Messages.h"
#include "shared/StoreNames.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace vorlix {

bool operator==(const PostedMessage& a, const PostedMessage& b) {
    return a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam;
}
void PrintTo(const PostedMessage& m, std::ostream* out) {
    *out << std::hex << "{0x" << m.message << ", " << m.wParam << ", 0x" << m.lParam << "}";
}

namespace {

using testing::ChildProcess;

// The monitor and its notice library as separate processes against a virtual mouse. The test stands
// in for the configuration windows with endpoints of its own published in the store.
class MonitorProcessTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(::mkdir(runtimeDir.c_str(), 0700), 0); }
    void Serve(const std::vector<std::string>& options = {}) {
        std::vector<std::string> argv{ChildProcess::BinDir() + "/vorlix-virtual-mouse", "--socket", socket,
                                      "serve"};
        argv.insert(argv.end(), options.begin(), options.end());
        mouse = std::make_unique<ChildProcess>(argv);
        ASSERT_TRUE(mouse->WaitForOutput("serving")) << mouse->Output();
    }
    std::vector<std::string> Env() const {
        return {"XDG_CONFIG_HOME=" + config.Path(),
                "XDG_RUNTIME_DIR=" + runtime.Path(),
                "HOME=" + config.Path(),
                "QT_QPA_PLATFORM=offscreen",
                "VORLIX_TRACE=1",
                "VORLIX_POINTER_DESKTOP=store",
                "VORLIX_VIRTUAL_MOUSE=" + socket,
                "DBUS_SESSION_BUS_ADDRESS=unix:path=" + runtime.Path() + "/no-bus",
                "LANG=C",
                "LC_ALL="};
    }
    std::unique_ptr<ChildProcess> Monitor(const std::vector<std::string>& args = {"/Automation"}) {
        std::vector<std::string> argv{ChildProcess::BinDir() + "/VorlixMonitor"};
        argv.insert(argv.end(), args.begin(), args.end());
        return std::make_unique<ChildProcess>(argv, Env());
    }
    // A monitor that found the mouse and is reading its events.
    std::unique_ptr<ChildProcess> Running(const std::vector<std::string>& args = {"/Automation"}) {
        auto monitor = Monitor(args);
        EXPECT_TRUE(monitor->WaitForOutput("monitor started")) << monitor->Output();
        EXPECT_NE(monitor->Output().find("event reader ok"), std::string::npos) << monitor->Output();
        return monitor;
    }
    void MouseCommand(const std::vector<std::string>& args) {
        std::vector<std::string> argv{ChildProcess::BinDir() + "/vorlix-virtual-mouse", "--socket", socket};
        argv.insert(argv.end(), args.begin(), args.end());
        ChildProcess child(argv);
        ASSERT_EQ(child.Wait(), 0) << child.Output();
    }
    // An endpoint of the test, published under name.
    std::unique_ptr<CDatagramEndpoint> Window(const char* name) {
        auto endpoint = std::make_unique<CDatagramEndpoint>();
        EXPECT_TRUE(endpoint->Create(runtimeDir));
        store.Store().WriteDword(name, endpoint->Id());
        return endpoint;
    }
    static std::optional<PostedMessage> Next(CDatagramEndpoint& endpoint, int timeoutMs = 10000) {
        pollfd fd{endpoint.Fd(), POLLIN, 0};
        if (::poll(&fd, 1, timeoutMs) <= 0) {
            return std::nullopt;
        }
        return endpoint.Receive();
    }
    void PostToMonitor(uint32_t message, uint32_t wParam) {
        CDatagramPoster poster(runtimeDir);
        const int32_t monitor = store.Store().ReadDword(store::kMonitorHandle);
        ASSERT_TRUE(poster.Post(static_cast<WindowHandle>(monitor), message, wParam, 0));
    }

    testing::TempDir config;
    testing::TempDir runtime;
    testing::TempDir dir;
    std::string runtimeDir = runtime.Path() + "/vorlix-daze";
    std::string socket = dir / "mouse.sock";
    CUserStore store{config.Path() + "/Vorlix Daze/store.sqlite3"};
    std::unique_ptr<ChildProcess> mouse;
};

TEST_F(MonitorProcessTest, ProfileEventNotifiesBothAndAppliesPointerSettingsOnlyWhileTheProgramRuns) {
    Serve();
    store.Store().WriteDword(store::kCurrentDialog, 0);
    store.Store().WriteDword(store::MotionSpeed(4), 15);
    store.Store().WriteDword(store::DoubleClickSpeed(4), 300);
    store.Store().WriteDword(store::WheelScrollLines(4), 12);
    auto program = Window(store::kProcessHandle);
    auto monitor = Running();
    EXPECT_NE(monitor->Output().find("osd loaded"), std::string::npos);

    MouseCommand({"event", "0xA2", "0x0B", "0", "0"});
    EXPECT_EQ(Next(*program), (PostedMessage{msg::kDeviceNotice, 0, 0xB0}));
    ASSERT_TRUE(monitor->WaitForOutput("osd shown 303")) << monitor->Output();
    ASSERT_TRUE(monitor->WaitForOutput("pointer settings 15 300 -1")) << monitor->Output();
    EXPECT_EQ(store.Store().ReadDword("Desktop Pointer Speed"), 15);

    // The program has gone (its endpoint is closed): notices only, no pointer settings.
    program.reset();
    MouseCommand({"event", "0xA2", "0x02", "0", "0"});
    ASSERT_TRUE(monitor->WaitForOutput("osd prepared 302")) << monitor->Output();
    EXPECT_EQ(monitor->Count("pointer settings"), 1u);
}

TEST_F(MonitorProcessTest, ResolutionEventCarriesLevelAndBothCodesAndRoutesByCurrentDialog) {
    Serve();
    auto program = Window(store::kProcessHandle);
    auto editor = Window(store::kMacroEditHandle);
    store.Store().WriteDword(store::kCurrentDialog, 2);
    auto monitor = Running();

    MouseCommand({"event", "0xA3", "2", "32", "32"});
    EXPECT_EQ(Next(*editor), (PostedMessage{msg::kDeviceNotice, 0, 2 + 32 * 256 + 32 * 65536}));
    ASSERT_TRUE(monitor->WaitForOutput("osd prepared 318")) << monitor->Output();

    store.Store().WriteDword(store::kCurrentDialog, 0);
    MouseCommand({"event", "0xA1", "1", "0", "0"});
    // The first thing the main window ever gets: the resolution notice went to the editor only.
    EXPECT_EQ(Next(*program), (PostedMessage{msg::kDeviceNotice, 7, 1}));
    ASSERT_TRUE(monitor->WaitForOutput("osd prepared 324")) << monitor->Output();
}

TEST_F(MonitorProcessTest, ReadersFollowTheMouseOutAndBackInAndSideButtonsShowArrows) {
    Serve();
    auto program = Window(store::kProcessHandle);
    store.Store().WriteDword(store::kCurrentDialog, 0);
    auto monitor = Running();
    MouseCommand({"unplug"});
    ASSERT_TRUE(monitor->WaitForOutput("device table 0")) << monitor->Output();
    MouseCommand({"plug"});
    ASSERT_TRUE(monitor->WaitForOutput("event reader ok", 10000, 2)) << monitor->Output();

    MouseCommand({"event", "0xA4", "1", "0", "0"});
    EXPECT_EQ(Next(*program), (PostedMessage{msg::kDeviceNotice, 8, 1}));
    ASSERT_TRUE(monitor->WaitForOutput("osd prepared 329")) << monitor->Output();
    MouseCommand({"button", "5"});
    ASSERT_TRUE(monitor->WaitForOutput("osd prepared 321")) << monitor->Output();
    MouseCommand({"button", "4"});
    ASSERT_TRUE(monitor->WaitForOutput("osd prepared 320")) << monitor->Output();
}

TEST_F(MonitorProcessTest, LaunchStartsTheButtonsProgramAndNothingForButtonEight) {
    Serve();
    // The program announces itself through a pipe the test reads with a bounded wait.
    const std::string fifo = dir / "launched";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const std::string script = dir / "tool.sh";
    {
        std::ofstream out(script);
        out << "#!/bin/sh\necho launched > '" << fifo << "'\n";
    }
    ::chmod(script.c_str(), 0755);
    const std::u16string stored(script.begin(), script.end());
    store.Store().WriteText(store::ButtonProgram(0, 1), stored);
    store.Store().WriteText(store::ButtonProgram(0, 9), stored);  // button 8 has no program to start
    auto monitor = Running();

    MouseCommand({"event", "0xA5", "0", "8", "0"});
    MouseCommand({"event", "0xA5", "0", "0", "0"});
    pollfd ready{reader, POLLIN, 0};
    ASSERT_EQ(::poll(&ready, 1, 10000), 1);
    char text[16] = {};
    EXPECT_EQ(::read(reader, text, sizeof text - 1), 9);
    EXPECT_STREQ(text, "launched\n");
    ::close(reader);
    // Events are handled in order: the button 8 event was done before the button 0 launch.
    ASSERT_TRUE(monitor->WaitForOutput("launched " + script)) << monitor->Output();
    EXPECT_EQ(monitor->Count("launched "), 1u) << monitor->Output();
}

TEST_F(MonitorProcessTest, ToggleTwiceRestoresDisableOsdAndExitEnds) {
    Serve();
    auto monitor = Running();
    auto program = Window(store::kProcessHandle);
    PostToMonitor(msg::kCommand, 2002);
    ASSERT_TRUE(monitor->WaitForOutput("command 2002")) << monitor->Output();
    EXPECT_EQ(store.Store().ReadDword(store::kDisableOsd), 1);
    PostToMonitor(msg::kCommand, 2002);
    ASSERT_TRUE(monitor->WaitForOutput("command 2002", 10000, 2)) << monitor->Output();
    EXPECT_EQ(store.Store().ReadDword(store::kDisableOsd), 0);

    PostToMonitor(msg::kCommand, 2100);
    EXPECT_EQ(Next(*program), (PostedMessage{msg::kClose, 0, 0}));
    EXPECT_EQ(monitor->Wait(), 0) << monitor->Output();
    EXPECT_EQ(store.Store().ReadDword(store::kOsdHandle), 0);
}

TEST_F(MonitorProcessTest, StartsTheProgramAfterStartUpAndExitClosesIt) {
    Serve();
    store.Store().WriteText(store::kLocateApp, u"/nonexistent/VorlixDaze");
    auto monitor = Monitor({});
    ASSERT_TRUE(monitor->WaitForOutput("device session opened", 30000)) << monitor->Output();
    EXPECT_TRUE(store::IsWindowHandle(store.Store().ReadDword(store::kProcessHandle)));
    PostToMonitor(msg::kCommand, 2100);
    ASSERT_TRUE(monitor->WaitForOutput("handles withdrawn", 30000)) << monitor->Output();
    EXPECT_EQ(monitor->Wait(), 0) << monitor->Output();
}

TEST_F(MonitorProcessTest, SecondMonitorHandsOverWithoutNoticeLibraryAndEnds) {
    Serve();
    auto program = Window(store::kProcessHandle);
    auto first = Running();
    auto second = Monitor();
    EXPECT_EQ(second->Wait(), 0);
    EXPECT_NE(second->Output().find("second monitor handed over"), std::string::npos) << second->Output();
    EXPECT_EQ(second->Output().find("osd loaded"), std::string::npos);
    EXPECT_EQ(second->Output().find("tray"), std::string::npos);
    EXPECT_EQ(Next(*program), (PostedMessage{msg::kCommand, msg::kShowCommandId, 0}));
}

TEST_F(MonitorProcessTest, AMouseOfAnotherFamilyIsNotRead) {
    Serve({"--family", "0x2404"});
    auto program = Window(store::kProcessHandle);
    store.Store().WriteDword(store::kCurrentDialog, 0);
    auto monitor = Monitor();
    ASSERT_TRUE(monitor->WaitForOutput("monitor started")) << monitor->Output();
    EXPECT_NE(monitor->Output().find("device table 0"), std::string::npos);
    EXPECT_EQ(monitor->Output().find("event reader"), std::string::npos);
    MouseCommand({"event", "0xA1", "1", "0", "0"});
    PostToMonitor(msg::kCommand, 2002);
    ASSERT_TRUE(monitor->WaitForOutput("command 2002")) << monitor->Output();
    EXPECT_EQ(program->Receive(), std::nullopt);
}

}  // namespace
}  // namespace vorlix

namespace vorlix {
namespace {

// The tray icon is asked for only once a status-notifier host owns its name on the session bus: a
// panel that starts after the monitor still gets the icon, and the monitor works meanwhile.
TEST_F(MonitorProcessTest, TrayWaitsForAStatusNotifierHostWithoutHoldingTheMonitorUp) {
    if (::access("/usr/bin/dbus-daemon", X_OK) != 0) {
        GTEST_SKIP() << "dbus-daemon is not installed (scripts/deps.sh installs it)";
    }
    Serve();
    ChildProcess bus({"/usr/bin/dbus-daemon", "--session", "--nofork", "--print-address=1"});
    ASSERT_TRUE(bus.WaitForOutput("unix:")) << bus.Output();
    const std::string address = bus.Output().substr(0, bus.Output().find('\n'));
    std::vector<std::string> env = Env();
    env.push_back("DBUS_SESSION_BUS_ADDRESS=" + address);
    std::vector<std::string> argv{ChildProcess::BinDir() + "/VorlixMonitor", "/Automation"};
    ChildProcess monitor(argv, env);
    ASSERT_TRUE(monitor.WaitForOutput("monitor started")) << monitor.Output();
    EXPECT_EQ(monitor.Count("tray shown"), 0u);

    // The monitor serves commands while it waits.
    PostToMonitor(msg::kCommand, 2002);
    ASSERT_TRUE(monitor.WaitForOutput("command 2002")) << monitor.Output();

    QDBusConnection panel = QDBusConnection::connectToBus(QString::fromStdString(address), "panel");
    ASSERT_TRUE(panel.isConnected());
    ASSERT_TRUE(panel.registerService("org.kde.StatusNotifierWatcher"));
    EXPECT_TRUE(monitor.WaitForOutput("tray shown")) << monitor.Output();
    QDBusConnection::disconnectFromBus("panel");
}

}  // namespace
}  // namespace vorlix
