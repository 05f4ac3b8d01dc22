#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "device/IcQT47.h"
#include "settings/FirmwareUpdate.h"
#include "tests/support/SessionFixture.h"

namespace vorlix::testing {
namespace {

class CRecordingUpdateOwner final : public IFirmwareUpdateOwner {
public:
    void StartTimer(int id, uint32_t periodMs) override {
        timers[id] = periodMs;
        ++started[id];
    }
    void StopTimer(int id) override { timers.erase(id); }
    void SetProgress(int position) override { progress.push_back(position); }
    void EndUpdatePage(bool ok) override { ended.push_back(ok); }

    std::map<int, uint32_t> timers;
    std::map<int, int> started;
    std::vector<int> progress;
    std::vector<bool> ended;
};

// A stand-in image: no vendor firmware ever appears in the tests.
std::vector<uint8_t> TestImage(size_t size = 30884) {
    std::vector<uint8_t> image(size);
    for (size_t i = 0; i < size; ++i) {
        image[i] = static_cast<uint8_t>(i * 7 + 3);
    }
    return image;
}

class FirmwareUpdateTest : public SessionFixture {
protected:
    void StartMouse(uint8_t firmware, std::vector<VirtualFault> faults = {}, int pageBusy = 0,
                    int busyPage = -1) {
        SVirtualMouseOptions options;
        options.firmware = firmware;
        options.faults = std::move(faults);
        options.pageBusy = pageBusy;
        options.busyPage = busyPage;
        options.updateTo = 9;
        Start(options);
        update = std::make_unique<CFirmwareUpdate>(updateOwner, *hid, *device, clock);
    }

    // Fires the running timer, as the window's timer would, until the update page ends.
    void RunUntilEnd(int limit = 500) {
        for (int tick = 0; tick < limit && updateOwner.ended.empty(); ++tick) {
            ASSERT_EQ(updateOwner.timers.size(), 1u) << "exactly one timer drives the update";
            const auto [id, period] = *updateOwner.timers.begin();
            clock.Advance(period);
            ++ticks[id];
            update->OnTimer(id);
        }
        ASSERT_EQ(updateOwner.ended.size(), 1u);
    }

    int Sent(uint8_t b2, uint8_t b3) const {
        int count = 0;
        for (const auto& control : transport->Controls()) {
            count += control[0] == b2 && control[1] == b3;
        }
        return count;
    }
    int PagesSent() const {
        int count = 0;
        for (const auto& report : transport->DataReports()) {
            count += !report.empty() && report[0] == CIcQT47::kFirmwareReport;
        }
        return count;
    }

    CRecordingUpdateOwner updateOwner;
    std::unique_ptr<CFirmwareUpdate> update;
    std::map<int, int> ticks;
};

TEST_F(FirmwareUpdateTest, OfferFollowsTheFirmwareVersionAndTheBootLoader) {
    struct SCase {
        const char* name;
        uint8_t firmware;
        std::vector<VirtualFault> faults;
        bool opened;
        FirmwareOffer offer;
    };
    const SCase cases[] = {
        {"current firmware after a load", 9, {}, true, FirmwareOffer::None},
        {"old firmware after a load", 3, {}, true, FirmwareOffer::Question},
        {"did not open but identifies with old firmware", 3, {}, false, FirmwareOffer::None},
        {"did not open and does not identify",
         3,
         {VirtualFault::DropAnswers},
         false,
         FirmwareOffer::Information},
        {"loaded but does not identify: its firmware runs",
         9,
         {VirtualFault::DropAnswers},
         true,
         FirmwareOffer::None},
        {"loaded and identifies with version 200", 200, {}, true, FirmwareOffer::None},
        {"left in the boot loader", 9, {VirtualFault::BootLoader}, false, FirmwareOffer::Information},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        StartMouse(c.firmware, c.faults);
        ASSERT_TRUE(hid->CreateDeviceTable(kVendorId, kProductId, true));
        device->SetFamily(hid->GetDeviceVer(0));
        device->SetDevicePath(hid->GetDevice(0));
        EXPECT_EQ(CFirmwareUpdate::Decide(*device, c.opened, kVendorId, kProductId), c.offer);
        EXPECT_EQ(Sent(0x05, 0x10), 0) << "deciding never starts an update";
    }
}

TEST_F(FirmwareUpdateTest, CompleteUpdateRestartsTheMouseWithTheNewFirmware) {
    StartMouse(3);
    ASSERT_EQ(session->Connect(), 1);
    ASSERT_TRUE(session->Ready());
    ASSERT_TRUE(update->SetImage(TestImage()));
    transport->ClearCommands();

    update->Start();
    EXPECT_TRUE(update->Running());
    EXPECT_EQ(Sent(0x05, 0x10), 1) << "asked once to restart into the boot loader";
    RunUntilEnd();

    EXPECT_EQ(updateOwner.ended, std::vector<bool>{true});
    EXPECT_FALSE(update->Running());
    EXPECT_EQ(PagesSent(), 16);
    EXPECT_EQ(updateOwner.progress.back(), 16) << "the bar reaches its end";
    // The first tick finds the old device gone and looks for the boot loader; the second finds it ready.
    EXPECT_EQ(ticks[CFirmwareUpdate::kWaitModeTimer], 2);
    EXPECT_EQ(ticks[CFirmwareUpdate::kFinishTimer], 1);
    EXPECT_EQ(Sent(0x06, 0), 1);
    EXPECT_FALSE(set->InBootLoader(0));
    EXPECT_EQ(set->Firmware(0), 9);
    const std::vector<uint32_t> sleeps = clock.Sleeps();
    EXPECT_EQ(std::count(sleeps.begin(), sleeps.end(), CFirmwareUpdate::kRestartPauseMs), 0)
        << "no page needed a resend";
}

TEST_F(FirmwareUpdateTest, OnePageBusyThreeTimesWaitsThreeTicksWithoutResending) {
    StartMouse(3, {}, 3, 4);
    ASSERT_EQ(session->Connect(), 1);
    ASSERT_TRUE(update->SetImage(TestImage()));
    update->Start();
    RunUntilEnd();
    EXPECT_EQ(updateOwner.ended, std::vector<bool>{true});
    EXPECT_EQ(PagesSent(), 16) << "no page was sent twice";
    // 1 tick before the first page, one per page, three waits on page 4.
    EXPECT_EQ(ticks[CFirmwareUpdate::kPageTimer], 1 + 16 + 3);
}

TEST_F(FirmwareUpdateTest, AMouseThatNeverGetsReadyIsCancelledAfterTheEleventhTick) {
    StartMouse(3, {VirtualFault::NeverReady});
    ASSERT_EQ(session->Connect(), 1);
    ASSERT_TRUE(update->SetImage(TestImage()));
    update->Start();
    RunUntilEnd();
    EXPECT_EQ(updateOwner.ended, std::vector<bool>{false});
    EXPECT_EQ(ticks[CFirmwareUpdate::kWaitModeTimer], 11);
    EXPECT_EQ(PagesSent(), 0);
}

TEST_F(FirmwareUpdateTest, APageNeverConfirmedEndsTheImageAndCancels) {
    StartMouse(3, {VirtualFault::NeverConfirm});
    ASSERT_EQ(session->Connect(), 1);
    ASSERT_TRUE(update->SetImage(TestImage()));
    update->Start();
    RunUntilEnd();
    EXPECT_EQ(updateOwner.ended, std::vector<bool>{false});
    // Page 0 counts as confirmed; page 1 uses the ten waits, then the resends the counter has left.
    EXPECT_EQ(PagesSent(), 2 + (CFirmwareUpdate::kMaxResends - CFirmwareUpdate::kMaxWaits));
    EXPECT_EQ(Sent(0x06, 0), 1);
    EXPECT_TRUE(set->InBootLoader(0)) << "the mouse waits in its boot loader for the next attempt";
}

TEST_F(FirmwareUpdateTest, PageReportAndCheckByteForAGeneratedImage) {
    StartMouse(3);
    ASSERT_EQ(session->Connect(), 1);
    const std::vector<uint8_t> image = TestImage();
    ASSERT_TRUE(update->SetImage(image));
    update->Start();
    RunUntilEnd();

    std::vector<uint8_t> buffer(0x8000, 0xFF);
    std::copy(image.begin(), image.end(), buffer.begin());
    unsigned sum = 0;
    for (int page = 0; page < 15; ++page) {
        sum += buffer[2048 * page + 2047];
    }
    buffer[0x7FFE] = static_cast<uint8_t>(0x100 - (sum & 0xFF));

    std::vector<std::vector<uint8_t>> pages;
    for (const auto& report : transport->DataReports()) {
        if (!report.empty() && report[0] == CIcQT47::kFirmwareReport) {
            pages.push_back(report);
        }
    }
    ASSERT_EQ(pages.size(), 16u);
    for (int page : {0, 15}) {
        const std::vector<uint8_t>& report = pages[static_cast<size_t>(page)];
        ASSERT_EQ(report.size(), 2053u);
        const auto first = buffer.begin() + 2048 * page;
        EXPECT_EQ(report[1], 8);
        EXPECT_EQ(report[2], page);
        EXPECT_EQ(report[3], CIcQT47::Checksum8(&*first, 2048));
        EXPECT_TRUE(std::equal(first, first + 2048, report.begin() + 4));
        EXPECT_EQ(report[2052], 0);
    }
    EXPECT_EQ(pages[15][4 + 2046], buffer[0x7FFE]);
}

TEST(FirmwareImage, AnImageTooLongForItsCheckByteOrEmptyIsRefused) {
    CFakeClock clock;
    CRecordingUpdateOwner owner;
    auto transport = std::make_shared<CTestTransport>(
        std::make_shared<CVirtualTransport>(std::make_shared<CVirtualMouseSet>(SVirtualMouseOptions{})));
    CClockTransferWaiter waiter(clock);
    CHidClient hid(transport);
    CIcQT47 device(transport, clock, waiter);
    CFirmwareUpdate update(owner, hid, device, clock);
    EXPECT_FALSE(update.SetImage({}));
    EXPECT_FALSE(update.SetImage(TestImage(0x7FFF)));
    EXPECT_TRUE(update.SetImage(TestImage(0x7FFE)));
    update.SetImage({});
    update.Start();
    EXPECT_FALSE(update.Running()) << "no image: nothing starts";
    EXPECT_TRUE(transport->Commands().empty());
}

}  // namespace
}  // namespace vorlix::testing
