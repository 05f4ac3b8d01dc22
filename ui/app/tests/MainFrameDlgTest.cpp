#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <set>

#include "device/TransferWait.h"
#include "lang/TextTables.h"
#include "macro/MemoryMacroFileSystem.h"
#include "platform/MouseLock.h"
#include "settings/SettingsMap.h"
#include "shared/FakeClock.h"
#include "shared/MemoryStoreBackend.h"
#include "shared/ProgramLauncher.h"
#include "tests/support/SessionFixture.h"
#include "tests/support/TempDir.h"
#include "ui/app/MainFrameDlg.h"
#include "ui/app/core/ControlIds.h"
#include "ui/cfg/SkinCfgDlg.h"
#include "ui/cfg/SkinLedDlg.h"
#include "ui/dialogs/CommandClick.h"
#include "ui/dialogs/SkinDlg.h"
#include "ui/dialogs/tests/ScriptedModalRunner.h"
#include "ui/macro/SkinMacroDlg.h"
#include "ui/skin/OsdProgress.h"
#include "virtualmouse/VirtualMouseSet.h"
#include "virtualmouse/VirtualTransport.h"

namespace vorlix::testing {
namespace {

using Controls = std::vector<std::array<uint8_t, 3>>;

class CRecordingLauncher final : public IProgramLauncher {
public:
    bool Launch(const std::string& path) override {
        paths.push_back(path);
        return true;
    }
    std::vector<std::string> paths;
};

class MainFrameDlgTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "mainframe_window_tests";
        static char* argv[] = {name, nullptr};
        if (QApplication::instance() == nullptr) {
            new QApplication(argc, argv);
        }
    }

    void Open(int mice = 1, bool automation = false) {
        SVirtualMouseOptions mouseOptions;
        mouseOptions.mice = mice;
        set = std::make_shared<CVirtualMouseSet>(mouseOptions);
        transport = std::make_shared<CTestTransport>(std::make_shared<CVirtualTransport>(set));
        SMainFrameParts parts;
        parts.storeBackend = std::make_unique<CMemoryStoreBackend>();
        auto recordingPoster = std::make_unique<CRecordingPoster>();
        poster = recordingPoster.get();
        parts.poster = std::move(recordingPoster);
        parts.transport = transport;
        parts.clock = &clock;
        parts.waiter = &waiter;
        auto recordingLauncher = std::make_unique<CRecordingLauncher>();
        launcher = recordingLauncher.get();
        parts.launcher = std::move(recordingLauncher);
        parts.macroFiles = std::make_unique<CMemoryMacroFileSystem>();
        parts.macroFolder = "/macros";
        SMainFrameOptions options;
        options.automation = automation;
        window = std::make_unique<CMainFrameDlg>(std::move(parts), texts, options);
        window->Store().WriteDword(store::kOsdHandle, 77);
        QObject::connect(window.get(), &CMainFrameDlg::Ended, [this] { ++ended; });
    }
    void Start(int mice = 1, bool automation = false) {
        Open(mice == 0 ? 1 : mice, automation);
        transport->HideMouse(0, mice == 0);
        ASSERT_TRUE(window->Initialise("", nullptr));
    }
    QAbstractButton* Button(int id) const { return qobject_cast<QAbstractButton*>(window->Control(id)); }
    uint8_t Peek(unsigned address, int mouse = 0) const {
        uint8_t value = 0;
        set->Peek(mouse, address, value);
        return value;
    }

    CTextTables texts;
    CFakeClock clock;
    CClockTransferWaiter waiter{clock};
    std::shared_ptr<CVirtualMouseSet> set;
    std::shared_ptr<CTestTransport> transport;
    CRecordingPoster* poster = nullptr;
    CRecordingLauncher* launcher = nullptr;
    std::unique_ptr<CMainFrameDlg> window;
    int ended = 0;
};

TEST_F(MainFrameDlgTest, FacesFollowTheMouse) {
    struct SCase {
        int mice;
        QSize size;
        bool exitShown;
        bool applyShown;
    };
    for (const SCase& c : {SCase{0, {557, 174}, true, false}, SCase{1, {990, 760}, false, true}}) {
        SCOPED_TRACE(c.mice);
        Start(c.mice);
        EXPECT_EQ(window->size(), c.size);
        EXPECT_EQ(Button(ctl::kExit)->isVisibleTo(window.get()), c.exitShown);
        EXPECT_EQ(Button(ctl::kApply)->isVisibleTo(window.get()), c.applyShown);
        EXPECT_FALSE(window->mask().isEmpty());
        if (c.mice == 0) {
            Button(ctl::kExit)->click();
            EXPECT_EQ(ended, 1);
        }
    }
}

TEST_F(MainFrameDlgTest, ButtonFunctionFromHotSpotToTheMouse) {
    Start();
    CScriptedModalRunner runner;
    runner.Answer(kModalOk, [this] { window->SkinDialog()->value = 5; });  // "BACKWARD"
    Button(ctl::kFirstHotSpot + 1)->click();
    EXPECT_TRUE(Button(ctl::kSingleKey)->isEnabled());
    EXPECT_FALSE(Button(ctl::kApply)->isEnabled());
    transport->ClearCommands();
    Button(ctl::kSingleKey)->click();
    ASSERT_EQ(runner.requests.size(), 1u);
    EXPECT_EQ(runner.requests[0].page, ctl::kPageSingleKey);
    EXPECT_TRUE(Button(ctl::kApply)->isEnabled());
    EXPECT_TRUE(Button(ctl::kOk)->isEnabled());
    EXPECT_EQ(window->Store().ReadDword(store::kCurrentDialog), 0);

    Button(ctl::kApply)->click();
    const unsigned slot = static_cast<unsigned>(map::SlotAddress(0, 1));
    EXPECT_EQ((std::vector<uint8_t>{Peek(slot), Peek(slot + 1), Peek(slot + 2)}),
              (std::vector<uint8_t>{1, 8, 0}));
    EXPECT_EQ(transport->Controls(), (Controls{{0x0C, 0, 0}, {0x00, 0, 0}}));
    EXPECT_FALSE(Button(ctl::kApply)->isEnabled());
    EXPECT_EQ(window->Model().Button(1).name, u"BACKWARD");
}

// A vorlixctl command holding the mouse makes Apply wait for it, on the window's clock, and write
// nothing when it does not let go; the edits stay for the next Apply.
TEST_F(MainFrameDlgTest, ApplyWaitsForAnotherProgramHoldingTheMouse) {
    TempDir runtime;
    Open(1, false);
    ASSERT_TRUE(window->Initialise(runtime.Path(), nullptr));
    CScriptedModalRunner runner;
    runner.Answer(kModalOk, [this] { window->SkinDialog()->value = 5; });  // "BACKWARD"
    Button(ctl::kFirstHotSpot + 1)->click();
    Button(ctl::kSingleKey)->click();

    CFakeClock otherClock;
    CMouseLock other(otherClock);
    ASSERT_EQ(other.Acquire(runtime.Path(), window->Session().Device().DevicePath(), 0),
              CMouseLock::Result::Acquired);
    transport->ClearCommands();
    clock.ClearSleeps();
    Button(ctl::kApply)->click();
    EXPECT_TRUE(transport->Commands().empty());
    uint64_t waited = 0;
    for (const uint32_t ms : clock.Sleeps()) {
        waited += ms;
    }
    EXPECT_GE(waited, CMainFrameDlg::kMouseLockWaitMs);
    EXPECT_TRUE(Button(ctl::kApply)->isEnabled());
    ASSERT_EQ(runner.requests.size(), 2u);  // the single-key page, then the message

    other.Release();
    Button(ctl::kApply)->click();
    const unsigned slot = static_cast<unsigned>(map::SlotAddress(0, 1));
    EXPECT_EQ((std::vector<uint8_t>{Peek(slot), Peek(slot + 1), Peek(slot + 2)}),
              (std::vector<uint8_t>{1, 8, 0}));
    EXPECT_FALSE(Button(ctl::kApply)->isEnabled());
    EXPECT_FALSE(CMouseLock::IsHeldByAnyone(runtime.Path(), window->Session().Device().DevicePath()))
        << "the window lets go once the save is done";
}

TEST_F(MainFrameDlgTest, RemovalShowsTheWarningFaceAndReconnectsFiveSecondsLater) {
    Start();
    set->Unplug();
    window->DeviceChangeNotified(kDeviceRemoveComplete);  // as from the device-change thread
    EXPECT_EQ(window->size(), QSize(990, 760));           // handed over, not handled on that thread
    QCoreApplication::processEvents();
    EXPECT_EQ(window->size(), QSize(557, 174));
    ASSERT_NE(window->SessionTimer(CDeviceSession::kReconnectTimer), nullptr);
    EXPECT_EQ(window->SessionTimer(CDeviceSession::kReconnectTimer)->interval(), 5000);
    EXPECT_EQ(window->Store().ReadDword(store::kConfigureHandle), -1);
    set->Plug();
    EXPECT_TRUE(window->FireTimer(CDeviceSession::kReconnectTimer));
    EXPECT_EQ(window->size(), QSize(990, 760));
    EXPECT_EQ(window->SessionTimer(CDeviceSession::kReconnectTimer), nullptr);
}

TEST_F(MainFrameDlgTest, TwoMiceAskWhichOneAndCancelEndsTheProgram) {
    for (const int answer : {kModalOk, kModalCancel}) {
        SCOPED_TRACE(answer);
        CScriptedModalRunner runner;
        runner.Answer(answer);
        ended = 0;
        Start(2);
        ASSERT_EQ(runner.requests.size(), 1u);
        EXPECT_EQ(runner.requests[0].kind, ModalKind::MouseChoice);
        QCoreApplication::processEvents();
        EXPECT_EQ(ended, answer == kModalCancel ? 1 : 0);
        EXPECT_EQ(window->Model().Face() == EFace::Main, answer == kModalOk);
    }
}

TEST_F(MainFrameDlgTest, AutomationStartsHiddenAndShowLoadsOnce) {
    Start(1, true);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(transport->Commands().empty());
    window->Deliver(msg::kCommand, msg::kShowCommandId, 0);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->Model().Face(), EFace::Main);
    const size_t afterLoad = transport->Commands().size();
    EXPECT_GT(afterLoad, 0u);
    window->Deliver(msg::kCommand, msg::kShowCommandId, 0);
    EXPECT_EQ(transport->Commands().size(), afterLoad);
}

TEST_F(MainFrameDlgTest, PostedCommandRunsAsAClick) {
    Start();
    window->Deliver(msg::kCommand, static_cast<quint32>(ctl::kFirstTab + 3), 0);
    EXPECT_EQ(window->Model().Profile(), 3);
    EXPECT_EQ(Peek(map::kProfileByte), 0x53);
}

// While the mouse is loaded the window paints and the overlay turns; what arrives meanwhile (a timer
// tick, monitor notices, a posted command) waits until the load has ended instead of entering the
// session in the middle of it.
TEST_F(MainFrameDlgTest, NothingEntersTheSessionWhileItLoads) {
    Open();
    std::set<int> frames;
    bool overlayShown = false;
    bool firmwareAskedWhileBusy = true;
    QObject::connect(window.get(), &CMainFrameDlg::FirmwareUpdateAsked, [&] {
        firmwareAskedWhileBusy = window->Session().Busy() || window->Model().Gate().Busy();
    });
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (window->Overlay()->isVisible()) {
            overlayShown = true;
            frames.insert(window->Overlay()->CurrentFrame());
        }
    });
    watcher.start(0);
    QTimer::singleShot(0, [&] {
        window->Deliver(msg::kDeviceNotice, devnotice::kReportInterval, 2);
        window->Deliver(msg::kDeviceNotice, devnotice::kFirmwareUpdate, 0);
        window->Deliver(msg::kCommand, static_cast<quint32>(ctl::kFirstTab + 2), 0);
    });
    ASSERT_TRUE(window->Initialise("", nullptr));
    watcher.stop();
    EXPECT_TRUE(overlayShown);
    EXPECT_GE(frames.size(), 2u);
    EXPECT_FALSE(window->Overlay()->isVisible());
    EXPECT_FALSE(firmwareAskedWhileBusy);
    // Applied after the load, in the order they came, so the blocks read did not overwrite them.
    EXPECT_EQ(window->Model().Profile(), 2);
    EXPECT_EQ(window->Session().Device().Cell(map::BlockBase(0) + map::kPollingOffset).value & 0x0F, 2);
}

TEST_F(MainFrameDlgTest, ClosingDuringALoadEndsTheLightAndThenTheWindow) {
    Open();
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (window->Session().Busy()) {
            closer.stop();
            window->close();
        }
    });
    closer.start(0);
    ASSERT_TRUE(window->Initialise("", nullptr));
    const Controls controls = transport->Controls();
    EXPECT_NE(std::find(controls.begin(), controls.end(), std::array<uint8_t, 3>{0x03, 0x03, 0x03}),
              controls.end());
    QCoreApplication::processEvents();
    EXPECT_EQ(ended, 1);
}

TEST_F(MainFrameDlgTest, AdvancedDialogRunsAsTheWindowsChildAndFollowsTheMouse) {
    Start();
    CScriptedModalRunner runner;
    int publishedDialog = -1;
    runner.Answer(kModalOk, [&] {
        auto* cfg = window->findChild<CSkinCfgDlg*>();
        ASSERT_NE(cfg, nullptr);
        publishedDialog = window->Store().ReadDword(store::kCurrentDialog);
        EXPECT_FALSE(Button(ctl::kLedDialog)->isEnabled());
        qobject_cast<QAbstractButton*>(cfg->Control(CSkinCfgDlg::kFirstPolling))->click();  // 125 Hz
        // The mouse switches to profile 2 meanwhile: the dialog goes with it.
        cfg->OnMessage(msg::kDeviceNotice, devnotice::kProfileOrResolution, 0x80 | 2 << 4);
        qobject_cast<QAbstractButton*>(cfg->Control(CSkinCfgDlg::kFirstPolling + 1))->click();  // 250 Hz
    });
    Button(ctl::kAdvanced)->click();
    EXPECT_EQ(publishedDialog, ctl::kDialogAdvanced);
    EXPECT_EQ(window->Store().ReadDword(store::kCurrentDialog), ctl::kDialogNone);
    EXPECT_EQ(window->Model().Profile(), 2);
    EXPECT_EQ(Peek(map::BlockBase(2)), 0x04);
    EXPECT_EQ(Peek(map::BlockBase(0)), 0x01);  // only put into effect there, never stored
    EXPECT_TRUE(Button(ctl::kLedDialog)->isEnabled());
}

TEST_F(MainFrameDlgTest, LedDialogStoresTheColourOnOk) {
    Start();
    CScriptedModalRunner runner;
    runner.Answer(kModalOk, [&] {
        auto* led = window->findChild<CSkinLedDlg*>();
        ASSERT_NE(led, nullptr);
        EXPECT_EQ(window->Store().ReadDword(store::kCurrentDialog), ctl::kDialogLed);
        qobject_cast<QAbstractButton*>(led->Control(1742))->click();
        QTest::mouseClick(led, Qt::LeftButton, {}, QPoint(355, 150));
    });
    Button(ctl::kLedDialog)->click();
    const unsigned colour = static_cast<unsigned>(map::LedAddress(0, 2) + 1);
    EXPECT_EQ((std::vector<uint8_t>{Peek(colour), Peek(colour + 1), Peek(colour + 2)}),
              (std::vector<uint8_t>{233, 233, 233}));
    EXPECT_EQ(window->Store().ReadDword(store::kLedEditHandle), -1);
}

TEST_F(MainFrameDlgTest, LosingTheMouseClosesTheDialogsWithoutAWordToIt) {
    for (const int id : {ctl::kAdvanced, ctl::kLedDialog}) {
        SCOPED_TRACE(id);
        Start();
        CScriptedModalRunner runner;
        runner.Answer(kModalCancel, [&] {
            if (auto* cfg = window->findChild<CSkinCfgDlg*>()) {
                qobject_cast<QAbstractButton*>(cfg->Control(CSkinCfgDlg::kFirstPolling))->click();
            }
            transport->HideMouse(0, true);
            transport->ClearCommands();
            clock.ClearSleeps();
            window->CancelDeviceDialogs();
        });
        Button(id)->click();
        EXPECT_TRUE(transport->Commands().empty());
        EXPECT_TRUE(clock.Sleeps().empty());
        EXPECT_EQ(window->Store().ReadDword(store::kCurrentDialog), ctl::kDialogNone);
    }
}

// The macro editor opens from its button as a child dialog, and losing the mouse meanwhile leaves it
// open: it never talks to the mouse.
TEST_F(MainFrameDlgTest, MacroEditorOpensAndSurvivesTheMouseLeaving) {
    Start();
    CScriptedModalRunner runner;
    bool stayedOpen = false;
    int currentDialog = 0;
    runner.ShowForReal([&] {
        QTimer::singleShot(0, [&] {
            auto* editor = qobject_cast<CSkinMacroDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(editor, nullptr);
            currentDialog = window->Store().ReadDword(store::kCurrentDialog);
            set->Unplug();
            window->DeviceChangeNotified(kDeviceRemoveComplete);
            QCoreApplication::processEvents();
            stayedOpen = editor->isVisible();
            ClickControl(editor, 1);
        });
    });
    Button(ctl::kMacroEditor)->click();
    ASSERT_FALSE(runner.requests.empty());
    EXPECT_EQ(runner.requests[0].what, "macro editor");
    EXPECT_EQ(currentDialog, ctl::kDialogMacroEditor);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(window->Store().ReadDword(store::kCurrentDialog), 0);
}

// The program ending (the monitor's close request) ends an open macro editor as if cancelled.
TEST_F(MainFrameDlgTest, ClosingTheProgramEndsTheMacroEditor) {
    Start();
    ASSERT_TRUE(window->isVisible());
    CScriptedModalRunner runner;
    bool editorOpen = false;
    runner.ShowForReal([&] {
        QTimer::singleShot(0, [&] {
            editorOpen = qobject_cast<CSkinMacroDlg*>(QApplication::activeModalWidget()) != nullptr;
            window->close();
            // Only reached when the editor did not end: end it so the test cannot hang.
            QTimer::singleShot(0, [] {
                if (auto* left = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                    ADD_FAILURE() << "the editor stayed open";
                    left->done(QDialog::Rejected);
                }
            });
        });
    });
    Button(ctl::kMacroEditor)->click();
    EXPECT_TRUE(editorOpen);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(window->Store().ReadDword(store::kCurrentDialog), 0);
}

}  // namespace
}  // namespace vorlix::testing
