#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "device/TransferWait.h"
#include "lang/TextTables.h"
#include "macro/MemoryMacroFileSystem.h"
#include "shared/FakeClock.h"
#include "shared/MemoryStoreBackend.h"
#include "shared/Messages.h"
#include "shared/StoreNames.h"
#include "tests/support/SessionFixture.h"
#include "tests/support/TestFirmwareImage.h"
#include "ui/app/MainFrameDlg.h"
#include "ui/app/core/ControlIds.h"
#include "ui/dialogs/CommandClick.h"
#include "ui/dialogs/SkinDlg.h"
#include "ui/dialogs/core/SkinPages.h"
#include "ui/dialogs/tests/ScriptedModalRunner.h"
#include "ui/firmware/core/FirmwareFlow.h"
#include "ui/skin/BitmapProgressBar.h"
#include "virtualmouse/VirtualMouseSet.h"
#include "virtualmouse/VirtualTransport.h"

namespace vorlix::testing {
namespace {

// The configuration window on an in-process virtual mouse with old firmware and the test image. The
// update page is shown for real; a zero-delay driver presses Start and fires the update's timers on the
// fake clock, so no test waits for a real second.
class FirmwareWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "firmware_window_tests";
        static char* argv[] = {name, nullptr};
        if (QApplication::instance() == nullptr) {
            new QApplication(argc, argv);
        }
    }

    void Open() {
        SVirtualMouseOptions options;
        options.firmware = 3;
        set = std::make_shared<CVirtualMouseSet>(options);
        transport = std::make_shared<CTestTransport>(std::make_shared<CVirtualTransport>(set));
        SMainFrameParts parts;
        parts.storeBackend = std::make_unique<CMemoryStoreBackend>();
        parts.poster = std::make_unique<CRecordingPoster>();
        parts.transport = transport;
        parts.clock = &clock;
        parts.waiter = &waiter;
        parts.macroFiles = std::make_unique<CMemoryMacroFileSystem>();
        parts.macroFolder = "/macros";
        parts.firmware = {FirmwareImageKind::Test, GenerateTestFirmwareImage()};
        window = std::make_unique<CMainFrameDlg>(std::move(parts), texts, SMainFrameOptions{});
        QObject::connect(window.get(), &CMainFrameDlg::Ended, [this] { ++ended; });
    }

    int PagesSent() const {
        const auto reports = transport->DataReports();
        return static_cast<int>(std::count_if(reports.begin(), reports.end(), [](const auto& r) {
            return !r.empty() && r[0] == CIcQT47::kFirmwareReport;
        }));
    }

    // Presses Start, then fires whichever update timer runs; calls during(page count) on every step.
    void DriveUpdatePage(std::function<void(int pagesSent)> during) {
        auto* driver = new QTimer(window.get());
        QObject::connect(driver, &QTimer::timeout, [this, driver, during] {
            CSkinDlg* dialog = window->SkinDialog();
            if (!dialog->IsRunning()) {
                driver->deleteLater();
                driver->stop();
                return;
            }
            if (!dialog->UpdateStarted()) {
                ClickControl(dialog, skinctl::kOk);
                return;
            }
            if (driving) {
                return;
            }
            driving = true;
            bool fired = false;
            for (const int id : {CFirmwareUpdate::kWaitModeTimer, CFirmwareUpdate::kPageTimer,
                                 CFirmwareUpdate::kFinishTimer}) {
                if (QTimer* timer = window->SessionTimer(id); timer != nullptr && !fired) {
                    clock.Advance(static_cast<uint64_t>(timer->interval()));
                    window->FireTimer(id);
                    fired = true;
                }
            }
            idle = fired ? 0 : idle + 1;
            if (idle > 100) {
                ADD_FAILURE() << "the update page waits, but none of its timers runs";
                dialog->UpdateFinished();
            }
            during(PagesSent());
            driving = false;
        });
        driver->start(0);
    }

    CTextTables texts;
    CFakeClock clock;
    CClockTransferWaiter waiter{clock};
    std::shared_ptr<CVirtualMouseSet> set;
    std::shared_ptr<CTestTransport> transport;
    std::unique_ptr<CMainFrameDlg> window;
    int ended = 0;
    bool driving = false;
    int idle = 0;
};

TEST_F(FirmwareWindowTest, TheUpdatePageRunsToItsEndAndTheMouseIsLoadedAgain) {
    Open();
    CScriptedModalRunner runner;
    int fullAtLastPage = -1;
    std::vector<int> dialogWhileOpen;  // "Current Dialog" on the offer and on the update page
    runner
        .Answer(kModalOk,
                [&] { dialogWhileOpen.push_back(window->Store().ReadDword(store::kCurrentDialog)); })
        .ShowForReal([&] {
            DriveUpdatePage([&](int pages) {
                if (pages == 1) {
                    dialogWhileOpen.push_back(window->Store().ReadDword(store::kCurrentDialog));
                }
                if (pages == 16 && fullAtLastPage < 0) {
                    auto* bar =
                        static_cast<CBitmapProgressBar*>(window->SkinDialog()->Control(skinctl::kProgress));
                    fullAtLastPage = bar->Pos();
                }
            });
        });
    ASSERT_TRUE(window->Initialise("", nullptr));

    ASSERT_EQ(runner.requests.size(), 2u) << "the offer and the update page; nothing told afterwards";
    EXPECT_EQ(runner.requests[0].page, page::kQuestion);
    EXPECT_EQ(runner.requests[0].kind, ModalKind::FirmwareOffer);
    EXPECT_EQ(runner.requests[1].page, page::kFirmwareUpdate);
    EXPECT_EQ(fullAtLastPage, 16) << "the bar stands at its end once the last page is out";
    // The monitor holds its device notices back while the update's pages are up.
    EXPECT_EQ(dialogWhileOpen, (std::vector<int>{ctl::kDialogSkinned, ctl::kDialogSkinned}));
    EXPECT_EQ(window->Store().ReadDword(store::kCurrentDialog), ctl::kDialogNone);
    EXPECT_EQ(set->Firmware(0), 9);
    EXPECT_TRUE(window->Model().ImageLoaded());
    EXPECT_EQ(window->Model().Face(), EFace::Main);
    EXPECT_EQ(ended, 0);
}

TEST_F(FirmwareWindowTest, EscCloseAndExitDuringPageFiveWaitForTheUpdatesEnd) {
    Open();
    CScriptedModalRunner runner;
    bool tried = false;
    bool stayedOpen = false;
    runner.Answer(kModalOk).ShowForReal([&] {
        DriveUpdatePage([&](int pages) {
            if (pages != 6 || tried) {
                return;
            }
            tried = true;
            CSkinDlg* dialog = window->SkinDialog();
            QTest::keyClick(dialog, Qt::Key_Escape);
            ClickControl(dialog, skinctl::kCancel);
            dialog->close();
            // The window's exit and the monitor's Exit (a close request).
            window->EndProgram();
            window->Deliver(msg::kClose, 0, 0);
            stayedOpen = dialog->IsRunning() && dialog->isVisible() && window->Firmware().Transferring();
            EXPECT_EQ(ended, 0);
        });
    });
    ASSERT_TRUE(window->Initialise("", nullptr));
    QCoreApplication::processEvents();

    EXPECT_TRUE(tried);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(PagesSent(), 16) << "the flash ran to its end";
    EXPECT_EQ(set->Firmware(0), 9);
    EXPECT_EQ(ended, 1) << "then the program ended";
    EXPECT_EQ(runner.requests.size(), 2u) << "ending, the window tells nothing more";
}

TEST_F(FirmwareWindowTest, UnattendedTheOfferIsDeclinedAndNothingIsWritten) {
    Open();
    SetUnattendedProbe([] { return true; });
    ASSERT_TRUE(window->Initialise("", nullptr));
    SetUnattendedProbe(nullptr);
    const auto controls = transport->Controls();
    EXPECT_EQ(std::count(controls.begin(), controls.end(), std::array<uint8_t, 3>{0x05, 0x10, 0}), 0);
    EXPECT_EQ(PagesSent(), 0);
    EXPECT_EQ(set->Firmware(0), 3);
    EXPECT_TRUE(window->Model().ImageLoaded());
}

}  // namespace
}  // namespace vorlix::testing
