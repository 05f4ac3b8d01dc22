#pragma once

#include <memory>
#include <optional>
#include <string>

#include "DesktopPointerBase.h"

namespace vorlix {

class CSessionBus;
class CKdeConfigFile;

// KDE Plasma: pointer acceleration in kcminputrc, double-click interval and wheel lines in kdeglobals,
// then the change signal that makes running KDE and Qt applications read them again. The files are
// what the desktop restores at the next login; the pointer devices follow at once through liveSpeed
// (XInput on X11, KWin on Wayland) when one is given.
class CKdePointerSettings : public CDesktopPointerBase {
public:
    // KDE's own values when its files do not name them.
    static constexpr int kDefaultDoubleClickMs = 400;
    static constexpr int kDefaultWheelLines = 3;

    CKdePointerSettings(std::string configDir, std::unique_ptr<IPointerSettings> liveSpeed,
                        std::shared_ptr<CSessionBus> bus, std::shared_ptr<CPointerFaults> faults);
    ~CKdePointerSettings() override;

    bool Read(SPointerValues& values) override;

protected:
    bool Put(const SPointerValues& values) override;

private:
    bool Save(CKdeConfigFile& file, bool* saved);
    std::optional<double> Number(const CKdeConfigFile& file, const char* group, const char* key);

    std::string m_configDir;
    std::unique_ptr<IPointerSettings> m_liveSpeed;
    std::shared_ptr<CSessionBus> m_bus;
};

}  // namespace vorlix
