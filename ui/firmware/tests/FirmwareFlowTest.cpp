#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "device/HidClient.h"
#include "device/IcQT47.h"
#include "device/TransferWait.h"
#include "settings/DeviceSession.h"
#include "shared/FakeClock.h"
#include "shared/MemoryStoreBackend.h"
#include "shared/RegStore.h"
#include "tests/support/SessionFixture.h"
#include "tests/support/TestFirmwareImage.h"
#include "tests/support/TestTransport.h"
#include "ui/dialogs/core/ModalRun.h"
#include "ui/dialogs/core/SkinPages.h"
#include "ui/firmware/core/FirmwareFlow.h"
#include "ui/firmware/core/FirmwareFlowHost.h"
#include "virtualmouse/VirtualMouseSet.h"
#include "virtualmouse/VirtualTransport.h"

namespace vorlix::testing {
namespace {

// The pages as a person (or an unattended run) answers them. The update page presses Start and then
// fires the one running timer, on the fake clock, until the transfer closes the page.
class CScriptedFlowHost final : public IFirmwareFlowHost {
public:
    struct SShown {
        int page;
        ModalKind kind;
        std::u16string text;
    };

    int RunTextPage(int page, ModalKind kind, const std::u16string& text) override {
        shown.push_back({page, kind, text});
        if (unattended || answers.empty()) {
            return UnattendedAnswer(SModalRequest{kind, page, ""});
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }

    void RunUpdatePage(int pages) override {
        ++updatePages;
        progressEnd = pages;
        open = true;
        closed = false;
        started = false;
        if (!unattended && pressStart) {
            started = true;
            flow->Start();
            for (int tick = 0; tick < 500 && !closed; ++tick) {
                ASSERT_EQ(timers.size(), 1u) << "exactly one timer drives the update";
                const auto [id, period] = *timers.begin();
                clock->Advance(period);
                ++ticks[id];
                if (onTick) {
                    onTick(id);
                }
                flow->OnTimer(id);
            }
            ASSERT_TRUE(closed) << "the transfer closes its page";
        }
        open = false;
    }
    bool StartPressed() const override { return started; }
    void SetUpdateProgress(int position) override { progress.push_back(position); }
    void CloseUpdatePage() override { closed = true; }
    void StartTimer(int id, uint32_t periodMs) override { timers[id] = periodMs; }
    void StopTimer(int id) override { timers.erase(id); }

    CFirmwareFlow* flow = nullptr;
    CFakeClock* clock = nullptr;
    std::deque<int> answers;
    bool unattended = false;
    bool pressStart = true;
    std::function<void(int id)> onTick;
    std::vector<SShown> shown;
    int updatePages = 0;
    int progressEnd = 0;
    bool open = false;
    bool closed = false;
    bool started = false;
    std::vector<int> progress;
    std::map<int, uint32_t> timers;
    std::map<int, int> ticks;
};

// The configuration window as far as the session and the update see it.
class CFlowOwner final : public IDeviceSessionOwner {
public:
    void ShowMessage(int number) override { messages.push_back(number); }
    int ChooseMouse(const std::vector<std::u16string>&) override { return 0; }
    void StartTimer(int, uint32_t) override {}
    void StopTimer(int) override {}
    void SessionChanged(SessionChange change) override { changes.push_back(change); }
    void LaunchProgram(const std::u16string&) override {}
    void StartFirmwareUpdate() override { flow->Start(); }
    bool OfferFirmwareUpdate(bool opened, uint16_t vendorId, uint16_t productId) override {
        return flow->Offer(opened, vendorId, productId);
    }
    FirmwareOutcome RunFirmwareUpdate() override { return flow->Run(); }
    void FirmwareUpdateEnded(FirmwareOutcome outcome) override {
        outcomes.push_back(outcome);
        flow->Tell(outcome);
    }
    bool DialogOpen() const override { return false; }
    void DeviceChangeNotified(uint32_t event) override {
        (host->open ? eventsDuringUpdate : events).push_back(event);
    }

    CFirmwareFlow* flow = nullptr;
    CScriptedFlowHost* host = nullptr;
    std::vector<int> messages;
    std::vector<SessionChange> changes;
    std::vector<FirmwareOutcome> outcomes;
    std::vector<uint32_t> events;
    std::vector<uint32_t> eventsDuringUpdate;
};

// The virtual mouse behind a transport that does not say so: what a real mouse looks like to the flow.
class CUnmarkedTransport final : public IHidTransport {
public:
    explicit CUnmarkedTransport(std::shared_ptr<IHidTransport> inner) : m_inner(std::move(inner)) {}
    HidStatus Enumerate(std::vector<HidInterfaceInfo>& interfaces) override {
        return m_inner->Enumerate(interfaces);
    }
    HidStatus Open(const std::string& path, std::unique_ptr<IHidDevice>& device) override {
        return m_inner->Open(path, device);
    }
    int Subscribe(HidClass cls, HidNotifyCallback callback) override {
        return m_inner->Subscribe(cls, callback);
    }
    bool Unsubscribe(int id) override { return m_inner->Unsubscribe(id); }

private:
    std::shared_ptr<IHidTransport> m_inner;
};

SFirmwareImage TestImage() {
    return {FirmwareImageKind::Test, GenerateTestFirmwareImage()};
}

class FirmwareFlowTest : public ::testing::Test {
protected:
    struct SMouse {
        uint8_t firmware = 3;
        std::vector<VirtualFault> faults;
        uint8_t updateTo = 9;
        int pageBusy = 0;
        int busyPage = -1;
        bool looksVirtual = true;
        SFirmwareImage image = TestImage();
    };

    // A mouse with this firmware version and these faults, the rest as by default.
    void Start(uint8_t firmware, std::vector<VirtualFault> faults) {
        SMouse mouse;
        mouse.firmware = firmware;
        mouse.faults = std::move(faults);
        Start(mouse);
    }

    // A fresh mouse, session, host and owner: each case of a table starts from nothing.
    void Start(const SMouse& mouse) {
        host = CScriptedFlowHost();
        owner = CFlowOwner();
        session.reset();
        flow.reset();
        device.reset();
        hid.reset();
        SVirtualMouseOptions options;
        options.firmware = mouse.firmware;
        options.faults = mouse.faults;
        options.updateTo = mouse.updateTo;
        options.pageBusy = mouse.pageBusy;
        options.busyPage = mouse.busyPage;
        set = std::make_shared<CVirtualMouseSet>(options);
        std::shared_ptr<IHidTransport> inner = std::make_shared<CVirtualTransport>(set);
        if (!mouse.looksVirtual) {
            inner = std::make_shared<CUnmarkedTransport>(inner);
        }
        transport = std::make_shared<CTestTransport>(inner);
        hid = std::make_unique<CHidClient>(transport);
        device = std::make_unique<CIcQT47>(transport, clock, waiter);
        flow = std::make_unique<CFirmwareFlow>(host, *hid, *device, clock);
        flow->SetImage(mouse.image);
        host.flow = flow.get();
        host.clock = &clock;
        owner.flow = flow.get();
        owner.host = &host;
        session = std::make_unique<CDeviceSession>(owner, *hid, *device, store, poster, clock);
    }

    int Sent(uint8_t b2, uint8_t b3) const {
        const auto controls = transport->Controls();
        return static_cast<int>(std::count_if(controls.begin(), controls.end(),
                                              [&](const auto& c) { return c[0] == b2 && c[1] == b3; }));
    }
    int PagesSent() const {
        const auto reports = transport->DataReports();
        return static_cast<int>(std::count_if(reports.begin(), reports.end(), [](const auto& r) {
            return !r.empty() && r[0] == CIcQT47::kFirmwareReport;
        }));
    }
    int Loads() const {
        return static_cast<int>(
            std::count(owner.changes.begin(), owner.changes.end(), SessionChange::Loaded));
    }
    std::vector<int> PagesShown() const {
        std::vector<int> pages;
        for (const auto& shown : host.shown) {
            pages.push_back(shown.page);
        }
        return pages;
    }

    CFakeClock clock;
    CClockTransferWaiter waiter{clock};
    CMemoryStoreBackend backend;
    CRegStore store{backend};
    CRecordingPoster poster;
    CScriptedFlowHost host;
    CFlowOwner owner;
    std::shared_ptr<CVirtualMouseSet> set;
    std::shared_ptr<CTestTransport> transport;
    std::unique_ptr<CHidClient> hid;
    std::unique_ptr<CIcQT47> device;
    std::unique_ptr<CFirmwareFlow> flow;
    std::unique_ptr<CDeviceSession> session;
};

TEST_F(FirmwareFlowTest, ConnectOffersOnlyWhatTheMouseNeeds) {
    struct SCase {
        const char* name;
        uint8_t firmware;
        std::vector<VirtualFault> faults;
        bool brokenSignature;
        std::vector<int> pages;  // pages shown, the offer answered Cancel
        bool connected;
    };
    const SCase cases[] = {
        {"version 9 after a load", 9, {}, false, {}, true},
        {"version 3 after a load", 3, {}, false, {page::kQuestion}, true},
        {"a loaded mouse whose Identify fails (version 200)", 200, {}, false, {}, true},
        {"failed signature, version 3", 3, {}, true, {}, false},
        {"failed signature and Identify", 3, {VirtualFault::DropAnswers}, false, {page::kInformation}, false},
        // The virtual boot loader still answers memory reads: it loads, and Identify tells it apart.
        {"left in the boot loader", 9, {VirtualFault::BootLoader}, false, {page::kQuestion}, true},
        {"a node this user may not open", 3, {VirtualFault::DenyOpen}, false, {}, false},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        Start(c.firmware, c.faults);
        if (c.brokenSignature) {
            set->Poke(0, 4030, 0);
        }
        host.answers = {kModalCancel};
        session->Connect();
        EXPECT_EQ(PagesShown(), c.pages);
        EXPECT_EQ(session->Connected(), c.connected);
        for (const auto& shown : host.shown) {
            EXPECT_EQ(shown.kind, ModalKind::FirmwareOffer);
            EXPECT_EQ(shown.text, CFirmwareFlow::kOfferText);
        }
        EXPECT_EQ(host.updatePages, 0) << "a declined offer shows no update page";
        EXPECT_EQ(Sent(0x05, 0x10), 0);
    }
}

TEST_F(FirmwareFlowTest, AcceptedOfferUpdatesVerifiesAndLoadsAgain) {
    Start({});
    host.answers = {kModalOk};
    session->Connect();

    EXPECT_EQ(PagesShown(), std::vector<int>{page::kQuestion}) << "nothing told: the update took";
    EXPECT_EQ(owner.outcomes, std::vector<FirmwareOutcome>{FirmwareOutcome::Done});
    EXPECT_EQ(host.updatePages, 1);
    EXPECT_EQ(Sent(0x05, 0x10), 1) << "asked once to restart into the boot loader";
    EXPECT_EQ(PagesSent(), 16);
    EXPECT_EQ(host.progressEnd, 16);
    EXPECT_EQ(host.progress.back(), 16) << "the bar ends full";
    EXPECT_EQ(set->Firmware(0), 9);
    EXPECT_FALSE(set->InBootLoader(0));
    EXPECT_EQ(Loads(), 2) << "loaded, then loaded again from the restarted mouse";
    EXPECT_TRUE(session->Connected());
    EXPECT_TRUE(session->Ready());
    EXPECT_NE(device->DevicePath().find("-"), std::string::npos) << "the restarted mouse's new node";

    // The restart into the boot loader and out of it reached nobody; afterwards the session hears again.
    EXPECT_TRUE(owner.eventsDuringUpdate.empty());
    owner.events.clear();
    set->Unplug();
    EXPECT_FALSE(owner.events.empty()) << "device notifications registered again";
}

TEST_F(FirmwareFlowTest, AMouseLeftInTheBootLoaderIsOfferedTheUpdateAgain) {
    SMouse mouse;
    mouse.firmware = 9;
    mouse.faults = {VirtualFault::BootLoader};
    Start(mouse);
    host.answers = {kModalOk};
    session->Connect();
    EXPECT_EQ(PagesShown(), std::vector<int>{page::kQuestion});
    EXPECT_EQ(owner.outcomes, std::vector<FirmwareOutcome>{FirmwareOutcome::Done});
    EXPECT_EQ(Sent(0x05, 0x10), 0) << "already in update mode: no restart asked";
    EXPECT_TRUE(session->Ready());
}

TEST_F(FirmwareFlowTest, AnUpdateThatDidNotTakeIsToldOnTheInformationPage) {
    struct SCase {
        const char* name;
        SMouse mouse;
        FirmwareOutcome outcome;
        const char16_t* told;
        std::vector<int> pages;
    };
    SMouse neverReady;
    neverReady.faults = {VirtualFault::NeverReady};
    SMouse neverConfirm;
    neverConfirm.faults = {VirtualFault::NeverConfirm};
    SMouse oldAgain;
    oldAgain.updateTo = 5;
    const SCase cases[] = {
        // Left in its boot loader either way, the mouse is offered the update again at once (declined here).
        {"never ready",
         neverReady,
         FirmwareOutcome::Cancelled,
         CFirmwareFlow::kCancelledText,
         {page::kQuestion, page::kInformation, page::kQuestion}},
        {"a page never confirmed",
         neverConfirm,
         FirmwareOutcome::Failed,
         CFirmwareFlow::kFailedText,
         {page::kQuestion, page::kInformation, page::kQuestion}},
        // The connect that checks an update offers none itself.
        {"restarted with version 5",
         oldAgain,
         FirmwareOutcome::Unverified,
         CFirmwareFlow::kUnverifiedText,
         {page::kQuestion, page::kInformation}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        Start(c.mouse);
        host.answers = {kModalOk, kModalOk, kModalCancel};
        session->Connect();
        EXPECT_EQ(owner.outcomes, std::vector<FirmwareOutcome>{c.outcome});
        EXPECT_EQ(PagesShown(), c.pages);
        ASSERT_GE(host.shown.size(), 2u);
        EXPECT_EQ(host.shown[1].text, c.told);
        EXPECT_EQ(host.shown[1].kind, ModalKind::Information);
    }
}

TEST_F(FirmwareFlowTest, AMouseThatDoesNotComeBackIsWaitedForABoundedTime) {
    Start({});
    host.answers = {kModalOk};
    // The mouse is gone from the moment the image is complete.
    host.onTick = [this](int id) {
        if (id == CFirmwareUpdate::kFinishTimer) {
            set->Unplug();
        }
    };
    const size_t before = clock.Sleeps().size();
    session->Connect();
    const std::vector<uint32_t> sleeps = clock.Sleeps();
    const auto waits = std::count(sleeps.begin() + static_cast<std::ptrdiff_t>(before), sleeps.end(),
                                  CDeviceSession::kRestartPollMs);
    EXPECT_EQ(waits, CDeviceSession::kRestartWaitMs / CDeviceSession::kRestartPollMs);
    EXPECT_EQ(owner.outcomes, std::vector<FirmwareOutcome>{FirmwareOutcome::Unverified});
    EXPECT_FALSE(session->Connected());
    EXPECT_EQ(owner.changes.back(), SessionChange::NoMouse);
    EXPECT_EQ(host.shown.back().text, CFirmwareFlow::kUnverifiedText);
}

TEST_F(FirmwareFlowTest, NeverReadyIsCancelledAfterTheEleventhTickAndUnconfirmedPagesEndTheImage) {
    SMouse neverReady;
    neverReady.faults = {VirtualFault::NeverReady};
    Start(neverReady);
    host.answers = {kModalOk};
    session->Connect();
    EXPECT_EQ(host.ticks[CFirmwareUpdate::kWaitModeTimer], 11);
    EXPECT_EQ(PagesSent(), 0);

    SMouse neverConfirm;
    neverConfirm.faults = {VirtualFault::NeverConfirm};
    Start(neverConfirm);
    host.answers = {kModalOk};
    session->Connect();
    EXPECT_EQ(Sent(0x06, 0), 1) << "the abandoned image is ended";
    EXPECT_EQ(owner.outcomes, std::vector<FirmwareOutcome>{FirmwareOutcome::Failed});
}

TEST_F(FirmwareFlowTest, PageFourBusyThreeTimesWaitsThreeTicksWithoutResending) {
    SMouse mouse;
    mouse.pageBusy = 3;
    mouse.busyPage = 4;
    Start(mouse);
    host.answers = {kModalOk};
    session->Connect();
    EXPECT_EQ(owner.outcomes, std::vector<FirmwareOutcome>{FirmwareOutcome::Done});
    EXPECT_EQ(PagesSent(), 16) << "no page sent twice";
    EXPECT_EQ(host.ticks[CFirmwareUpdate::kPageTimer], 1 + 16 + 3);
    const std::vector<uint32_t> sleeps = clock.Sleeps();
    EXPECT_EQ(std::count(sleeps.begin(), sleeps.end(), CFirmwareUpdate::kRestartPauseMs), 0);
}

TEST_F(FirmwareFlowTest, UnattendedRunsNeverAcceptTheOffer) {
    struct SCase {
        const char* name;
        uint8_t firmware;
        std::vector<VirtualFault> faults;
    };
    const SCase cases[] = {
        {"signature and Identify failing", 3, {VirtualFault::DropAnswers}},
        {"old firmware after a load", 3, {}},
        {"left in the boot loader", 9, {VirtualFault::BootLoader}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        Start(c.firmware, c.faults);
        host.unattended = true;
        session->Connect();
        EXPECT_EQ(host.shown.size(), 1u) << "offered, and declined";
        EXPECT_EQ(host.updatePages, 0);
        EXPECT_EQ(Sent(0x05, 0x10), 0);
        EXPECT_EQ(PagesSent(), 0);
        EXPECT_TRUE(owner.outcomes.empty());
    }
}

TEST_F(FirmwareFlowTest, WithoutAnImageForThisMouseNothingIsOfferedAndTheWindowSaysSo) {
    struct SCase {
        const char* name;
        SFirmwareImage image;
        bool looksVirtual;
    };
    const SCase cases[] = {
        {"the build carries no image", {}, true},
        {"the test image and a mouse that is not the virtual one", TestImage(), false},
        {"an image too long for its check byte",
         {FirmwareImageKind::Vendor, std::vector<uint8_t>(0x7FFF, 1)},
         false},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        SMouse mouse;
        mouse.image = c.image;
        mouse.looksVirtual = c.looksVirtual;
        Start(mouse);
        host.answers = {kModalOk, kModalOk};
        session->Connect();
        ASSERT_EQ(host.shown.size(), 1u);
        EXPECT_EQ(host.shown[0].page, page::kInformation);
        EXPECT_EQ(host.shown[0].text, CFirmwareFlow::kNoImageText);
        EXPECT_EQ(host.updatePages, 0);
        EXPECT_EQ(Sent(0x05, 0x10), 0);
        EXPECT_TRUE(session->Ready()) << "the loaded mouse stays in use";
    }
}

TEST_F(FirmwareFlowTest, StartCountsOnlyFromTheOpenPagesOwnButton) {
    Start({});
    // A firmware-update notice with no page open, or before Start was pressed, starts nothing.
    flow->Start();
    host.pressStart = false;
    host.answers = {kModalOk};
    session->Connect();
    EXPECT_EQ(host.updatePages, 1);
    EXPECT_EQ(Sent(0x05, 0x10), 0);
    EXPECT_TRUE(owner.outcomes.empty()) << "a page closed before Start is no update";
    EXPECT_TRUE(session->Ready());
}

TEST_F(FirmwareFlowTest, PageReportBytesAndTheSealedByteOfTheGeneratedImage) {
    Start({});
    host.answers = {kModalOk};
    session->Connect();
    std::vector<uint8_t> buffer(0x8000, 0xFF);
    const std::vector<uint8_t> image = GenerateTestFirmwareImage();
    std::copy(image.begin(), image.end(), buffer.begin());
    unsigned sum = 0;
    for (int page = 0; page < 15; ++page) {
        sum += buffer[2048 * page + 2047];
    }
    const uint8_t sealed = static_cast<uint8_t>(0x100 - (sum & 0xFF));
    std::vector<std::vector<uint8_t>> pages;
    for (const auto& report : transport->DataReports()) {
        if (!report.empty() && report[0] == CIcQT47::kFirmwareReport) {
            pages.push_back(report);
        }
    }
    ASSERT_EQ(pages.size(), 16u);
    const std::vector<uint8_t>& first = pages[0];
    ASSERT_EQ(first.size(), 2053u);
    const std::vector<uint8_t> marker = TestFirmwareMarker();
    EXPECT_EQ(std::vector<uint8_t>(first.begin(), first.begin() + 4),
              (std::vector<uint8_t>{10, 8, 0, CIcQT47::Checksum8(buffer.data(), 2048)}));
    EXPECT_TRUE(std::equal(marker.begin(), marker.end(), first.begin() + 4))
        << "page 0 starts with the marker";
    EXPECT_TRUE(std::equal(buffer.begin(), buffer.begin() + 2048, first.begin() + 4));
    EXPECT_EQ(first[2052], 0);
    EXPECT_EQ(pages[15][2], 15);
    EXPECT_EQ(pages[15][4 + 2046], sealed);
}

}  // namespace
}  // namespace vorlix::testing
