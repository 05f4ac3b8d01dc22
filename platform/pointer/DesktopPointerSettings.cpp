#include "DesktopPointerSettings.h"

#include "GnomePointerSettings.h"
#include "KWinPointerSpeed.h"
#include "KdePointerSettings.h"
#include "SessionBus.h"
#include "XInputPointerSpeed.h"
#include "XfcePointerSettings.h"

namespace vorlix {

std::unique_ptr<IPointerSettings> CreateDesktopPointerSettings(const SDesktopInfo& info,
                                                               std::shared_ptr<CPointerFaults> faults) {
    if (!faults) {
        faults = std::make_shared<CPointerFaults>();
    }
    switch (ChoosePointerDesktop(info)) {
        case EPointerDesktop::Gnome: {
            auto gnome = std::make_unique<CGnomePointerSettings>(CGnomePointerSettings::SOptions{}, faults);
            if (!gnome->Usable()) {
                return nullptr;
            }
            return gnome;
        }
        case EPointerDesktop::KdeX11:
        case EPointerDesktop::KdeWayland: {
            if (info.configDir.empty()) {
                faults->Report("KDE/config",
                               "KDE: no configuration folder (neither XDG_CONFIG_HOME nor HOME)");
                return nullptr;
            }
            auto bus = std::make_shared<CSessionBus>(faults);
            std::unique_ptr<IPointerSettings> live;
            if (ChoosePointerDesktop(info) == EPointerDesktop::KdeWayland) {
                live = std::make_unique<CKWinPointerSpeed>(bus, faults);
            } else if (!info.display.empty()) {
                live = std::make_unique<CXInputPointerSpeed>(info.display, faults);
            }
            return std::make_unique<CKdePointerSettings>(info.configDir, std::move(live), bus, faults);
        }
        case EPointerDesktop::Xfce: {
            CXfcePointerSettings::DeviceLister devices;
            if (!info.display.empty()) {
                devices = [display = info.display] { return ListXPointerNames(display); };
            }
            return std::make_unique<CXfcePointerSettings>(std::move(devices),
                                                          std::make_shared<CSessionBus>(faults), faults);
        }
        case EPointerDesktop::PlainX11:
            return std::make_unique<CXInputPointerSpeed>(info.display, faults);
        case EPointerDesktop::None:
            break;
    }
    return nullptr;
}

}  // namespace vorlix
