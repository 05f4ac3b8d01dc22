// vorlix-cfg-shots OUTDIR: renders the advanced settings dialog and the LED dialog into OUTDIR as PNG files
// (advanced-settings.png, led-dialog.png), opened on profile 1 of an in-process virtual mouse with a
// few edits made, with the fonts and texts the configuration program uses. The desktop's pointer settings
// are never touched: the dialogs see a fixed set. Outside a dialog's shape the pictures are transparent.
#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>
#include <cstdio>
#include <memory>

#include "device/HidClient.h"
#include "device/IcQT47.h"
#include "device/TransferWait.h"
#include "settings/DeviceSession.h"
#include "settings/QuietSessionOwner.h"
#include "shared/MemoryStoreBackend.h"
#include "shared/MessagePoster.h"
#include "shared/RegStore.h"
#include "shared/SteadyClock.h"
#include "tools/shots-support/ShotApplication.h"
#include "tools/shots-support/ShotPicture.h"
#include "tools/shots-support/SilentPoster.h"
#include "ui/cfg/SkinCfgDlg.h"
#include "ui/cfg/SkinLedDlg.h"
#include "ui/cfg/core/DeviceDialogHost.h"
#include "ui/skin/BitmapSlider.h"
#include "virtualmouse/VirtualMouseSet.h"
#include "virtualmouse/VirtualTransport.h"

namespace {

using namespace vorlix;

class CFixedPointer final : public IPointerSettings {
public:
    bool Apply(const SPointerValues& values) override {
        m_values = values;
        return true;
    }
    bool Read(SPointerValues& values) override {
        values = m_values;
        return true;
    }

private:
    SPointerValues m_values{12, 500, 3};
};

class CShotHost final : public IDeviceDialogHost {
public:
    explicit CShotHost(const CDeviceSession& session) : m_session(session) {}
    int DeviceVariant() const override { return m_session.Variant(); }
    void ApplyProfilePointer(int) override {}

private:
    const CDeviceSession& m_session;
};

}  // namespace

int main(int argc, char** argv) {
    const CShotApplication app(argc, argv, "vorlix-cfg-shots");
    if (!app.HasOutDir()) {
        return 2;
    }
    const QString& out = app.OutDir();
    const CTextTables& texts = app.Texts();
    const QFont dpiFont = app.Font(6);

    SVirtualMouseOptions options;
    auto mice = std::make_shared<CVirtualMouseSet>(options);
    auto transport = std::make_shared<CVirtualTransport>(mice);
    CSteadyClock clock;
    CClockTransferWaiter waiter(clock);
    CHidClient hid(transport);
    CIcQT47 device(transport, clock, waiter);
    CMemoryStoreBackend backend;
    CRegStore store(backend);
    CSilentPoster poster;
    CQuietSessionOwner owner;
    CDeviceSession session(owner, hid, device, store, poster, clock);
    if (session.Connect() != 1 || !session.Ready()) {
        std::fprintf(stderr, "the virtual mouse did not load\n");
        return 1;
    }
    CFixedPointer pointer;
    CShotHost host(session);
    bool ok = true;

    CSkinCfgDlg cfg(device, clock, pointer, store, poster, host, texts, dpiFont);
    if (cfg.Prepare(0)) {
        cfg.show();
        cfg.Model().ChoosePolling(250);
        cfg.Model().ChooseLevel(3);
        cfg.Model().MoveLiftOff(10);
        // Shown as the user left them: the dialog draws its model's view on the next change.
        qobject_cast<QAbstractButton*>(cfg.Control(CSkinCfgDlg::kApply))->click();
        ok = SaveShot(cfg, out + "/advanced-settings.png") && ok;
    } else {
        ok = false;
    }

    CSkinLedDlg led(device, clock, store, texts);
    if (led.Prepare(0)) {
        led.show();
        qobject_cast<QAbstractButton*>(led.Control(1741))->click();
        // The hue slider's thumb and the hue it picks from the picture's column.
        static_cast<CBitmapSlider*>(led.Control(CSkinLedDlg::kHueSlider))->SetPos(150);
        led.Model().MoveHue(150, led.BackgroundPixels());
        const QPointF at(520, 200);
        QMouseEvent press(QEvent::MouseButtonPress, at, led.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&led, &press);
        ok = SaveShot(led, out + "/led-dialog.png") && ok;
    } else {
        ok = false;
    }
    return ok ? 0 : 1;
}
