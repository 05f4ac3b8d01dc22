#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "device/HidClient.h"
#include "device/IcQT47.h"
#include "shared/FakeClock.h"
#include "shared/ProductIds.h"
#include "virtualmouse/FactoryMemory.h"
#include "virtualmouse/VirtualTransport.h"

namespace vorlix {
namespace {

using Bytes = std::vector<uint8_t>;

// The protocol object against the virtual mouse in this process, on a clock that only moves when the
// protocol pauses: a hung mouse costs no real time.
class VirtualLink {
public:
    explicit VirtualLink(SVirtualMouseOptions options = {})
        : mice(std::make_shared<CVirtualMouseSet>(std::move(options))),
          transport(std::make_shared<CVirtualTransport>(mice)),
          table(this->transport),
          protocol(this->transport, clock, waiter) {}
    ~VirtualLink() { mice->ReleaseHangs(); }

    // The connect sequence: table, reset, family, open with the signature check, data channel.
    int Connect(int index = 0) {
        const SUsbId accepted[] = {{kVendorId, kProductId}};
        if (!table.CreateDeviceTable(accepted, 1, kFamilyLowest, kFamilyHighest, true, false)) {
            return -1;
        }
        protocol.Reset();
        protocol.SetFamily(table.GetDeviceVer(index));
        const int opened = protocol.OpenDevice(table.GetDevice(index));
        protocol.FindDataInterfaces(table.GetDeviceVID(index), table.GetDevicePID(index));
        return opened;
    }
    bool LogHas(const std::string& text) const {
        const auto lines = mice->LogLines();
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& line) { return line.find(text) != std::string::npos; });
    }
    int ValidCells() const {
        int count = 0;
        for (int a = 0; a < static_cast<int>(CIcQT47::kImageCells); ++a) {
            count += protocol.Cell(a).valid;
        }
        return count;
    }

    std::shared_ptr<CVirtualMouseSet> mice;
    std::shared_ptr<IHidTransport> transport;
    CFakeClock clock;
    CClockTransferWaiter waiter{clock};
    CHidClient table;
    CIcQT47 protocol;
};

SVirtualMouseOptions WithFault(VirtualFault fault) {
    SVirtualMouseOptions options;
    options.faults = {fault};
    return options;
}

TEST(IcQT47VirtualMouse, ConnectsAndLoadsTheFactoryProfiles) {
    VirtualLink link;
    ASSERT_EQ(link.Connect(), 1);
    ASSERT_EQ(link.protocol.DataPathCount(), 1);
    EXPECT_EQ(*link.protocol.DataPath(0), "virtual/mouse0/if1");
    for (unsigned p = 0; p < 5; ++p) {
        ASSERT_EQ(link.protocol.ReadProfileBlock(p), 1) << p;
        const auto expected = FactoryProfileBlock(p, 0x2401);
        for (unsigned i = 0; i < kProfileBlockCells; ++i) {
            ASSERT_EQ(link.protocol.Cell(static_cast<int>(256 * (p + 1) + i)).value, expected[i])
                << p << " " << i;
        }
    }
    EXPECT_EQ(link.ValidCells(), 5 * 149);
    int value = -1;
    EXPECT_EQ(link.protocol.ReadByte(25, &value), 1);
    EXPECT_EQ(value, 0x50);
    EXPECT_EQ(link.protocol.ReadByte(1, &value), 1);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(link.protocol.ReadByteVerified(0x3FFF, &value), 1);
    EXPECT_EQ(value, 0);
    int mode = -1;
    unsigned version = 0;
    EXPECT_EQ(link.protocol.Identify(&mode, &version), 1);
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(version, 9u);
}

TEST(IcQT47VirtualMouse, TheMouseAcceptsOurBlocksAndScriptsAndRejectsBadChecksums) {
    VirtualLink link;
    ASSERT_EQ(link.Connect(), 1);
    ASSERT_EQ(link.protocol.ReadProfileBlock(1), 1);
    link.protocol.SetCell(512 + 2, 0x41);
    link.protocol.SetCell(512 + 148, 0x99);
    ASSERT_EQ(link.protocol.WriteProfileBlock(1), 1);
    EXPECT_EQ(link.mice->Memory(0)[514], 0x41);
    EXPECT_EQ(link.mice->Memory(0)[512 + 148], 0x99);
    EXPECT_TRUE(link.LogHas("stored block 1"));
    const uint64_t transfers = link.mice->TransferCount();
    EXPECT_EQ(link.protocol.WriteProfileBlock(1), 1);  // nothing changed since: nothing sent
    EXPECT_EQ(link.mice->TransferCount(), transfers);

    Bytes image(2048);
    for (size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * 31 + 5);
    }
    ASSERT_EQ(link.protocol.WriteScript(19 * 2 + 3, image.data(), image.size()), 1);
    EXPECT_EQ(link.mice->Script(0, 41), image);

    // A block whose checksum is off by one leaves the memory as it was.
    const Bytes before = link.mice->Memory(0);
    ASSERT_EQ(link.protocol.SendControl(0x0C, 1, 0), 1);
    Bytes report(154, 0);
    report[0] = 5;
    report[2] = 1;
    report[4] = 0x77;
    report[3] = static_cast<uint8_t>(CIcQT47::Checksum8(report.data() + 4, 149) + 1);
    EXPECT_EQ(link.protocol.SendDataReport(report.data(), 154), 1);
    EXPECT_EQ(link.mice->Memory(0), before);
    EXPECT_TRUE(link.LogHas("bad checksum"));
}

TEST(IcQT47VirtualMouse, ControlCommandsReachTheMouse) {
    VirtualLink link;
    ASSERT_EQ(link.Connect(), 1);
    ASSERT_EQ(link.protocol.SendControl(0x07, 3, 0), 1);
    int value = 0;
    ASSERT_EQ(link.protocol.ReadByte(25, &value), 1);
    EXPECT_EQ(value, 0x53);
    ASSERT_EQ(link.protocol.SendCommand(0, 0xC4, 0x0F, 0x00, 2, 0x41), 1);
    ASSERT_EQ(link.protocol.SendCommand(0, 0xC5, 0x00, 0x2E, 7, 0), 1);
    EXPECT_EQ(link.mice->EffectByte(0, 2), 0x41);
    EXPECT_EQ(link.mice->EffectByte(0, 1), 7);
    ASSERT_EQ(link.protocol.WriteByte(100, 0x1F), 1);
    EXPECT_EQ(link.mice->Memory(0)[100], 0x1F);
    EXPECT_EQ(link.protocol.Cell(100).valid, 1);
    // Writes beyond the memory are answered but land nowhere.
    ASSERT_EQ(link.protocol.WriteByte(5000, 0x1F), 1);
    ASSERT_EQ(link.protocol.ReadByte(5000, &value), 1);
    EXPECT_EQ(value, 0);
}

TEST(IcQT47VirtualMouse, FamilyAndFirmwareComeFromTheMouse) {
    SVirtualMouseOptions bootLoaderVersion;
    bootLoaderVersion.firmware = 3;
    VirtualLink old(bootLoaderVersion);
    ASSERT_EQ(old.Connect(), 1);
    int mode = -1;
    unsigned version = 0;
    ASSERT_EQ(old.protocol.Identify(&mode, &version), 1);
    EXPECT_EQ(version, 3u);

    SVirtualMouseOptions unsigned2402;
    unsigned2402.family = 0x2402;
    VirtualLink noSignature(unsigned2402);
    EXPECT_EQ(noSignature.Connect(), 0);
    EXPECT_EQ(noSignature.protocol.DevicePath(), "virtual/mouse0/if0");

    SVirtualMouseOptions outOfRange;
    outOfRange.family = 0x2404;
    VirtualLink none(outOfRange);
    EXPECT_EQ(none.Connect(), -1);
}

TEST(IcQT47VirtualMouse, BusyAnswersCostOnePollEach) {
    SVirtualMouseOptions options;
    options.busy = 3;
    VirtualLink link(options);
    ASSERT_EQ(link.Connect(), 1);
    link.clock.ClearSleeps();
    int value = 0;
    ASSERT_EQ(link.protocol.ReadByte(4030, &value), 1);
    EXPECT_EQ(value, 0x46);
    EXPECT_EQ(link.clock.Sleeps(), (std::vector<uint32_t>{10, 10, 10, 10}));
}

// Every fault ends in a clear failure within the protocol's waits, and no cell is marked valid.
TEST(IcQT47VirtualMouse, FaultsFailCleanlyWithoutValidCells) {
    struct SCase {
        VirtualFault fault;
        int connect;          // result of the connect sequence
        uint64_t maxPauseMs;  // bound on the protocol's pauses for one block read
    };
    const SCase cases[] = {
        {VirtualFault::DropAnswers, 0, 10 + 10 * 176},
        {VirtualFault::ShortAnswers, 0, 10 + 10 * 176},
        {VirtualFault::HangTransfer, 1, 10 + CIcQT47::kDataTransferWaitMs},
        {VirtualFault::UnplugMidway, 1, 10 + 10 * 176},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(VirtualFaultName(c.fault));
        VirtualLink link(WithFault(c.fault));
        EXPECT_EQ(link.Connect(), c.connect);
        if (c.connect == 0) {
            // Without a command channel that answers, force the data channel path to test the block.
            link.protocol.SetDevicePath("virtual/mouse0/if0");
            link.protocol.FindDataInterfaces(kVendorId, kProductId);
        }
        link.clock.ClearSleeps();
        EXPECT_EQ(link.protocol.ReadProfileBlock(0), 0);
        EXPECT_LE(link.clock.TotalSleptMs(), c.maxPauseMs);
        int value = -1;
        if (c.fault != VirtualFault::HangTransfer) {
            EXPECT_EQ(link.protocol.ReadByte(25, &value), 0);
            EXPECT_EQ(value, -1);
        }
        EXPECT_EQ(link.ValidCells(), 0);
    }
}

// The echo only guards the single-byte commands: the signature check fails, one exchange per read.
TEST(IcQT47VirtualMouse, AWrongEchoFailsAtOnce) {
    VirtualLink link(WithFault(VirtualFault::WrongEcho));
    EXPECT_EQ(link.Connect(), 0);
    EXPECT_EQ(link.ValidCells(), 0);
    const uint64_t before = link.mice->TransferCount();
    EXPECT_EQ(link.protocol.ReadByte(4030, nullptr), 0);
    EXPECT_EQ(link.mice->TransferCount() - before, 2u);
}

TEST(IcQT47VirtualMouse, AnUnpluggedMouseIsGoneNotSilent) {
    VirtualLink link(WithFault(VirtualFault::UnplugMidway));
    ASSERT_EQ(link.Connect(), 1);
    EXPECT_EQ(link.protocol.ReadProfileBlock(0), 0);
    EXPECT_FALSE(link.mice->Plugged());
    EXPECT_EQ(link.protocol.ReadByte(25, nullptr), 0);
    EXPECT_EQ(link.protocol.LastError(), CIcQT47::kErrOpenFailed);
    EXPECT_EQ(link.protocol.LastOpenStatus(), HidStatus::NotFound);
    link.mice->Plug();
    EXPECT_EQ(link.protocol.ReadProfileBlock(0), 1);
}

TEST(IcQT47VirtualMouse, SeveralMiceAndLongPathsStayApart) {
    SVirtualMouseOptions options;
    options.mice = 2;
    options.pathPrefix = "virtual/" + std::string(2000, 'x');
    VirtualLink link(options);
    ASSERT_EQ(link.Connect(1), 1);
    ASSERT_EQ(link.table.GetRecognizedDevices(), 2);
    EXPECT_EQ(link.protocol.DevicePath(), link.table.GetDevice(1));
    EXPECT_GT(link.protocol.DevicePath().size(), 2000u);
    ASSERT_EQ(link.protocol.WriteByte(300, 0x12), 1);
    EXPECT_EQ(link.mice->Memory(1)[300], 0x12);
    EXPECT_NE(link.mice->Memory(0)[300], 0x12);
    // The data channel is the one of the same mouse, not the first one found.
    EXPECT_EQ(link.protocol.SelectedDataPath(), 1);
    const auto before = link.mice->Memory(0);
    ASSERT_EQ(link.protocol.ReadProfileBlock(0), 1);
    link.protocol.SetCell(256 + 2, 0x43);
    ASSERT_EQ(link.protocol.WriteProfileBlock(0), 1);
    EXPECT_EQ(link.mice->Memory(1)[258], 0x43);
    EXPECT_EQ(link.mice->Memory(0), before);
}

TEST(IcQT47VirtualMouse, AMouseWeMayNotOpenIsNotAMouseThatDoesNotAnswer) {
    VirtualLink link(WithFault(VirtualFault::DenyOpen));
    EXPECT_EQ(link.Connect(), 0);
    EXPECT_EQ(link.protocol.LastError(), CIcQT47::kErrOpenFailed);
    EXPECT_EQ(link.protocol.LastOpenStatus(), HidStatus::PermissionDenied);
    EXPECT_TRUE(link.protocol.DevicePath().empty());
    int mode = 0;
    unsigned version = 0;
    EXPECT_EQ(link.protocol.Identify(&mode, &version), 0);
    EXPECT_EQ(link.protocol.LastError(), CIcQT47::kErrNoPath);
}

}  // namespace
}  // namespace vorlix
