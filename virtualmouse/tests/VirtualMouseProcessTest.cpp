#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/HidClient.h"
#include "device/IcQT47.h"
#include "platform/hid/virtual/VirtualMouseClient.h"
#include "shared/FakeClock.h"
#include "shared/ProductIds.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

using testing::ChildProcess;

// vorlix-virtual-mouse serving in a child process, and vorlixctl run against it.
class VirtualMouseProcess : public ::testing::Test {
protected:
    void Serve(const std::vector<std::string>& options = {}) {
        std::vector<std::string> argv{ChildProcess::BinDir() + "/vorlix-virtual-mouse", "--socket", socket,
                                      "serve"};
        argv.insert(argv.end(), options.begin(), options.end());
        server = std::make_unique<ChildProcess>(argv);
        ASSERT_TRUE(server->WaitForOutput("serving")) << server->Output();
    }
    int StopServer() {
        server->Kill(SIGTERM);
        return server->Wait();
    }
    int Run(const std::string& program, const std::vector<std::string>& args, std::string* output = nullptr) {
        std::vector<std::string> argv{ChildProcess::BinDir() + "/" + program};
        argv.insert(argv.end(), args.begin(), args.end());
        ChildProcess child(argv, {"VORLIX_VIRTUAL_MOUSE=" + socket});
        const int status = child.Wait();
        if (output != nullptr) {
            *output = child.Output();
        }
        return status;
    }
    int Ctl(const std::vector<std::string>& args, std::string* output = nullptr) {
        return Run("vorlixctl", args, output);
    }
    int Mouse(const std::vector<std::string>& args, std::string* output = nullptr) {
        return Run("vorlix-virtual-mouse", args, output);
    }

    testing::TempDir dir;
    std::string socket = dir / "mouse.sock";
    std::unique_ptr<ChildProcess> server;
};

TEST_F(VirtualMouseProcess, CtlListsInspectsReadsAndWritesTheMouse) {
    Serve();
    std::string out;
    EXPECT_EQ(Ctl({"list"}, &out), 0);
    EXPECT_EQ(out, "1\t2401: Vorlix Daze Gaming Mouse\tvirtual/mouse0/if0\n");
    EXPECT_EQ(Ctl({"info"}, &out), 0);
    EXPECT_EQ(out, "family\t0x2401\nsignature\tok\nmode\tfirmware\nversion\t9\n");
    EXPECT_EQ(Ctl({"write", "0x64", "200"}), 0);
    EXPECT_EQ(Ctl({"read", "100"}, &out), 0);
    EXPECT_EQ(out, "200\n");
    EXPECT_EQ(Mouse({"peek", "100"}, &out), 0);
    EXPECT_EQ(out, "200\n");
    EXPECT_EQ(Ctl({"read", "25"}, &out), 0);
    EXPECT_EQ(out, "80\n");
    EXPECT_EQ(Ctl({"read", "0x10000"}), 2);
    EXPECT_EQ(Ctl({"write", "0x4000", "1"}), 2);
    EXPECT_EQ(Ctl({"write", "1", "256"}), 2);
    EXPECT_EQ(Ctl({"read", "lots"}), 2);
}

TEST_F(VirtualMouseProcess, SeveralMiceNeedAChoice) {
    Serve({"--mice", "2", "--product", "Demo Mouse", "--firmware", "3"});
    std::string out;
    EXPECT_EQ(Ctl({"info"}, &out), 1);
    EXPECT_NE(out.find("1\t2401: Demo Mouse\tvirtual/mouse0/if0"), std::string::npos) << out;
    EXPECT_NE(out.find("2\t2401: Demo Mouse\tvirtual/mouse1/if0"), std::string::npos) << out;
    // Mice are numbered from 1, as list shows them.
    EXPECT_EQ(Ctl({"info", "--mouse", "2"}, &out), 0);
    EXPECT_NE(out.find("version\t3\n"), std::string::npos);
    EXPECT_EQ(Ctl({"write", "300", "7", "--mouse", "2"}), 0);
    EXPECT_EQ(Mouse({"peek", "300", "--mouse", "1"}, &out), 0);
    EXPECT_EQ(out, "7\n");
    EXPECT_EQ(Mouse({"peek", "300"}, &out), 0);
    EXPECT_NE(out, "7\n");
    EXPECT_EQ(Ctl({"read", "1", "--mouse", "3"}), 1);
}

TEST_F(VirtualMouseProcess, TheMemoryStateSurvivesARestart) {
    const std::string state = dir / "mouse.state";
    Serve({"--state", state});
    EXPECT_EQ(Mouse({"poke", "25", "0x52"}), 0);
    EXPECT_EQ(Ctl({"write", "4000", "9"}), 0);
    EXPECT_EQ(StopServer(), 0);
    Serve({"--state", state});
    std::string out;
    EXPECT_EQ(Ctl({"read", "25"}, &out), 0);
    EXPECT_EQ(out, "82\n");
    EXPECT_EQ(Mouse({"peek", "4000"}, &out), 0);
    EXPECT_EQ(out, "9\n");
}

TEST_F(VirtualMouseProcess, UnplugAndPlugReachTheProgramsAsEvents) {
    Serve();
    CVirtualMouseClient client(socket);
    std::shared_ptr<IHidTransport> transport(&client, [](IHidTransport*) {});
    CHidClient table(transport);
    const SUsbId accepted[] = {{kVendorId, kProductId}};
    ASSERT_EQ(table.CreateDeviceTable(accepted, 1, kFamilyLowest, kFamilyHighest, true, false), 1);
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<uint32_t> events;
    ASSERT_EQ(table.RegisterNotify([&](uint32_t event, const std::string&) {
        std::lock_guard lock(mutex);
        events.push_back(event);
        arrived.notify_all();
    }),
              1);
    const auto waitFor = [&](size_t count) {
        std::unique_lock lock(mutex);
        return arrived.wait_for(lock, std::chrono::seconds(10), [&] { return events.size() >= count; });
    };

    std::string out;
    EXPECT_EQ(Mouse({"unplug"}), 0);
    ASSERT_TRUE(waitFor(1));
    EXPECT_EQ(Ctl({"read", "25"}, &out), 1);
    EXPECT_NE(out.find("No Gamer Mouse Connected!"), std::string::npos);
    EXPECT_EQ(Mouse({"plug"}), 0);
    ASSERT_TRUE(waitFor(2));
    EXPECT_EQ(events, (std::vector<uint32_t>{kDeviceRemoveComplete, kDeviceArrival}));
    EXPECT_EQ(table.UnRegisterNotify(), 1);

    // An event report waits on the data interface for the next read.
    EXPECT_EQ(Mouse({"event", "0xA3", "2", "32", "32"}), 0);
    std::unique_ptr<IHidDevice> device;
    ASSERT_EQ(client.Open("virtual/mouse0/if1", device), HidStatus::Ok);
    uint8_t report[16] = {};
    size_t received = 0;
    ASSERT_EQ(device->ReadInput(report, sizeof report, received, 5000), HidStatus::Ok);
    EXPECT_EQ(std::vector<uint8_t>(report, report + received),
              (std::vector<uint8_t>{3, 0xA3, 2, 32, 32, 0, 0, 0}));
}

TEST_F(VirtualMouseProcess, AMouseThatMayNotBeOpenedIsReportedAsSuch) {
    Serve({"--fault", "deny"});
    std::string out;
    EXPECT_EQ(Ctl({"list"}, &out), 0);
    EXPECT_NE(out.find("virtual/mouse0/if0"), std::string::npos);
    for (const std::vector<std::string>& args : {std::vector<std::string>{"info"}, {"read", "25"}}) {
        EXPECT_EQ(Ctl(args, &out), 1);
        EXPECT_NE(out.find("permission denied"), std::string::npos) << out;
        EXPECT_NE(out.find("udev rule"), std::string::npos) << out;
        EXPECT_EQ(out.find("did not answer"), std::string::npos) << out;
    }
}

// The whole protocol through the socket, on the real clock: long reports both ways.
TEST_F(VirtualMouseProcess, TheProtocolRunsThroughTheSocket) {
    Serve();
    auto transport = std::make_shared<CVirtualMouseClient>(socket);
    CHidClient table(transport);
    const SUsbId accepted[] = {{kVendorId, kProductId}};
    ASSERT_EQ(table.CreateDeviceTable(accepted, 1, kFamilyLowest, kFamilyHighest, true, false), 1);
    // The protocol's pauses go to the fake clock; a transfer still waits, bounded, for the socket.
    CFakeClock clock;
    CIcQT47 protocol(transport, clock, CRealTransferWaiter::Instance());
    protocol.Reset();
    ASSERT_EQ(protocol.SetFamily(table.GetDeviceVer(0)), 1);
    ASSERT_EQ(protocol.OpenDevice(table.GetDevice(0)), 1);
    ASSERT_EQ(protocol.FindDataInterfaces(kVendorId, kProductId), 1);
    ASSERT_EQ(protocol.ReadProfileBlock(4), 1);
    EXPECT_EQ(protocol.Cell(1280 + 41).value, 0xFF);  // profile 4 is blue
    protocol.SetCell(1280 + 41, 0x80);
    ASSERT_EQ(protocol.WriteProfileBlock(4), 1);
    std::string out;
    EXPECT_EQ(Mouse({"peek", std::to_string(1280 + 41)}, &out), 0);
    EXPECT_EQ(out, "128\n");
    std::vector<uint8_t> image(2048);
    for (size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * 7);
    }
    EXPECT_EQ(Mouse({"script", "7"}, &out), 1);
    EXPECT_NE(out.find("holds no script 7"), std::string::npos) << out;
    ASSERT_EQ(protocol.WriteScript(7, image.data(), image.size()), 1);
    // Signature: two bytes read twice, 10 ms settle each; one settle per block select; 200 ms
    // before the script.
    EXPECT_EQ(clock.Sleeps(), (std::vector<uint32_t>{10, 10, 10, 10, 10, 10, 200}));
    EXPECT_EQ(Mouse({"script", "7"}, &out), 0);
    std::string expected;
    char hex[4];
    for (uint8_t byte : image) {
        std::snprintf(hex, sizeof hex, "%02X ", byte);
        expected += hex;
    }
    expected.back() = '\n';
    EXPECT_EQ(out, expected);
}

// The journal lists every report a mouse received, per mouse; a vorlixctl change shows its command.
TEST_F(VirtualMouseProcess, TheJournalShowsWhatEachMouseReceived) {
    Serve({"--mice", "2"});
    std::string out;
    EXPECT_EQ(Mouse({"journal"}, &out), 0);
    EXPECT_EQ(out, "");
    // vorlixctl counts mice from 1, the virtual mouse's control commands from 0.
    ASSERT_EQ(Ctl({"profile", "2", "--mouse", "2"}, &out), 0) << out;
    std::string second;
    EXPECT_EQ(Mouse({"journal", "--mouse", "1"}, &second), 0);
    // The command report: report id 0, C4 07 and the profile index, padded to nine bytes.
    EXPECT_NE(second.find("\n00 C4 07 01 00 00 00 00 00\n"), std::string::npos) << second;
    for (size_t start = 0; start < second.size();) {
        const size_t end = second.find('\n', start);
        ASSERT_NE(end, std::string::npos) << "every line ends";
        const std::string line = second.substr(start, end - start);
        EXPECT_TRUE(line.size() % 3 == 2 && line.find_first_not_of("0123456789ABCDEF ") == std::string::npos)
            << line;
        start = end + 1;
    }
    EXPECT_EQ(Mouse({"journal"}, &out), 0);
    EXPECT_EQ(out.find("C4 07"), std::string::npos) << "mouse 0 was not changed";
    EXPECT_EQ(Mouse({"journal", "--clear", "--mouse", "1"}, &out), 0);
    EXPECT_EQ(out, second);
    EXPECT_EQ(Mouse({"journal", "--mouse", "1"}, &out), 0);
    EXPECT_EQ(out, "");
    EXPECT_EQ(Mouse({"journal", "--mouse", "2"}, &out), 1);
    EXPECT_EQ(Mouse({"journal", "--all"}, &out), 2);
}

TEST_F(VirtualMouseProcess, HelpAndBadUse) {
    std::string out;
    EXPECT_EQ(Mouse({"--help"}, &out), 0);
    for (const char* word :
         {"--family", "--firmware", "--mice", "--product", "--busy", "--state", "--fault", "wrong-echo",
          "peek", "poke", "unplug", "event", "button", "journal", "script"}) {
        EXPECT_NE(out.find(word), std::string::npos) << word;
    }
    EXPECT_EQ(Mouse({"serve", "--fault", "melt"}), 2);
    EXPECT_EQ(Mouse({"peek", "1"}, &out), 1);  // nothing serves the socket
    EXPECT_NE(out.find("no virtual mouse"), std::string::npos);
}

}  // namespace
}  // namespace vorlix
