// vorlix-firmware-shots OUTDIR: runs the configuration window's firmware update against an in-process
// virtual mouse with old firmware and the generated test image, on a fake clock, and saves the pages
// as the user meets them: the offer (firmware-offer.png), the update page halfway through
// (firmware-update.png) and, in a build without an image, the note that none is available
// (firmware-no-image.png). Outside a page's shape the pictures are transparent.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "device/TransferWait.h"
#include "lang/TextTables.h"
#include "macro/MemoryMacroFileSystem.h"
#include "shared/FakeClock.h"
#include "shared/MemoryStoreBackend.h"
#include "tests/support/TestFirmwareImage.h"
#include "tools/shots-support/ShotApplication.h"
#include "tools/shots-support/ShotPicture.h"
#include "tools/shots-support/SilentPoster.h"
#include "ui/app/MainFrameDlg.h"
#include "ui/dialogs/CommandClick.h"
#include "ui/dialogs/SkinDlg.h"
#include "ui/dialogs/core/ModalRun.h"
#include "ui/dialogs/core/SkinPages.h"
#include "ui/firmware/core/FirmwareFlow.h"
#include "ui/skin/SkinApplication.h"
#include "virtualmouse/VirtualMouseSet.h"
#include "virtualmouse/VirtualTransport.h"

namespace {

using namespace vorlix;

// Shows every page for real: takes the picture a page is wanted for, then answers OK; on the update
// page it presses Start and fires the update's timers on the fake clock until the page closes.
class CShotRunner final : public IModalRunner {
public:
    CShotRunner(CMainFrameDlg*& window, CFakeClock& clock, QString out)
        : m_window(window), m_clock(clock), m_out(out) {}

    int Run(const SModalRequest& request, const std::function<int()>& showForReal) override {
        CSkinDlg* dialog = m_window->SkinDialog();
        QTimer driver;
        QObject::connect(&driver, &QTimer::timeout, [&] {
            if (!dialog->isVisible()) {
                return;
            }
            if (request.page != page::kFirmwareUpdate) {
                const QString name =
                    request.kind == ModalKind::FirmwareOffer ? "firmware-offer" : "firmware-no-image";
                ok = SaveShot(*dialog, m_out + "/" + name + ".png", false) && ok;
                driver.stop();
                ClickControl(dialog, skinctl::kOk);
                return;
            }
            if (!dialog->UpdateStarted()) {
                ClickControl(dialog, skinctl::kOk);
                return;
            }
            for (const int id : {CFirmwareUpdate::kWaitModeTimer, CFirmwareUpdate::kPageTimer,
                                 CFirmwareUpdate::kFinishTimer}) {
                if (QTimer* timer = m_window->SessionTimer(id)) {
                    m_clock.Advance(static_cast<uint64_t>(timer->interval()));
                    m_window->FireTimer(id);
                    if (id == CFirmwareUpdate::kPageTimer && ++m_pageTicks == 9) {
                        ok = SaveShot(*dialog, m_out + "/firmware-update.png", false) && ok;
                    }
                    break;
                }
            }
        });
        driver.start(0);
        return showForReal();
    }

    bool ok = true;

private:
    CMainFrameDlg*& m_window;
    CFakeClock& m_clock;
    QString m_out;
    int m_pageTicks = 0;
};

bool RunWindow(const CTextTables& texts, const QString& out, bool withImage) {
    CFakeClock clock;
    CClockTransferWaiter waiter(clock);
    SVirtualMouseOptions options;
    options.firmware = 3;
    auto set = std::make_shared<CVirtualMouseSet>(options);
    SMainFrameParts parts;
    parts.storeBackend = std::make_unique<CMemoryStoreBackend>();
    parts.poster = std::make_unique<CSilentPoster>();
    parts.transport = std::make_shared<CVirtualTransport>(set);
    parts.clock = &clock;
    parts.waiter = &waiter;
    parts.macroFiles = std::make_unique<CMemoryMacroFileSystem>();
    parts.macroFolder = "/macros";
    if (withImage) {
        parts.firmware = {FirmwareImageKind::Test, testing::GenerateTestFirmwareImage()};
    }
    CMainFrameDlg* window = nullptr;
    CShotRunner runner(window, clock, out);
    CModalRunnerScope scope(runner);
    CMainFrameDlg frame(std::move(parts), texts, SMainFrameOptions{});
    window = &frame;
    const bool started = frame.Initialise("", nullptr);
    return started && runner.ok && (!withImage || set->Firmware(0) == 9);
}

}  // namespace

int main(int argc, char** argv) {
    const CShotApplication app(argc, argv, "vorlix-firmware-shots");
    if (!app.HasOutDir()) {
        return 2;
    }
    const bool ok = RunWindow(app.Texts(), app.OutDir(), true) && RunWindow(app.Texts(), app.OutDir(), false);
    return ok ? 0 : 1;
}
