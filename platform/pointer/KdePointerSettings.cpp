#include "KdePointerSettings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "KdeConfigFile.h"
#include "PointerScale.h"
#include "SessionBus.h"

namespace vorlix {

namespace {

constexpr const char* kInputFile = "kcminputrc";
constexpr const char* kGlobalsFile = "kdeglobals";
// KGlobalSettings' change type "settings changed" and its settings category "mouse".
constexpr int kSettingsChanged = 3;
constexpr int kCategoryMouse = 0;

std::string FormatAccel(double accel) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", accel);
    return text;
}

}  // namespace

CKdePointerSettings::CKdePointerSettings(std::string configDir, std::unique_ptr<IPointerSettings> liveSpeed,
                                         std::shared_ptr<CSessionBus> bus,
                                         std::shared_ptr<CPointerFaults> faults)
    : CDesktopPointerBase("KDE", std::move(faults)),
      m_configDir(std::move(configDir)),
      m_liveSpeed(std::move(liveSpeed)),
      m_bus(bus ? std::move(bus) : std::make_shared<CSessionBus>(SharedFaults())) {}

CKdePointerSettings::~CKdePointerSettings() = default;

bool CKdePointerSettings::Save(CKdeConfigFile& file, bool* saved) {
    switch (file.Save()) {
        case CKdeConfigFile::SaveResult::Saved:
            *saved = true;
            return true;
        case CKdeConfigFile::SaveResult::Unchanged:
            return true;
        case CKdeConfigFile::SaveResult::ReadOnly:
            Fault(file.Path() + "/read-only", "KDE: " + file.Path() + " is read-only; left as it is");
            return false;
        case CKdeConfigFile::SaveResult::Failed:
            break;
    }
    Fault(file.Path() + "/write", "KDE: cannot write " + file.Path());
    return false;
}

bool CKdePointerSettings::Put(const SPointerValues& values) {
    bool ok = true;
    bool saved = false;

    CKdeConfigFile input(m_configDir + "/" + kInputFile);
    if (!input.Load()) {
        Fault(input.Path() + "/read", "KDE: cannot read " + input.Path());
        ok = false;
    } else if (!input.Set("Mouse", "XLbInptPointerAcceleration", FormatAccel(SpeedToAccel(values.speed)))) {
        Fault(input.Path() + "/locked", "KDE: the pointer acceleration in " + input.Path() + " is locked");
        ok = false;
    } else {
        ok = Save(input, &saved) && ok;
    }

    CKdeConfigFile globals(m_configDir + "/" + kGlobalsFile);
    // KDE has no page mode for the wheel: a page is written as the most lines the store knows.
    const int lines = values.wheelLines == SPointerValues::kWheelPage ? kMaxWheelLines : values.wheelLines;
    if (!globals.Load()) {
        Fault(globals.Path() + "/read", "KDE: cannot read " + globals.Path());
        ok = false;
    } else if (!globals.Set("KDE", "DoubleClickInterval", std::to_string(values.doubleClickMs)) ||
               !globals.Set("KDE", "WheelScrollLines", std::to_string(lines))) {
        Fault(globals.Path() + "/locked", "KDE: the mouse settings in " + globals.Path() + " are locked");
        ok = false;
    } else {
        ok = Save(globals, &saved) && ok;
    }

    if (saved) {
        // Running applications read kdeglobals again on this signal; without a bus they pick the values
        // up when they start, which is no reason to fail the apply.
        m_bus->EmitSignal("/KGlobalSettings", "org.kde.KGlobalSettings", "notifyChange",
                          g_variant_new("(ii)", kSettingsChanged, kCategoryMouse), "KDE/notify");
    }
    if (m_liveSpeed) {
        // The files are the record: a pointer device that cannot take the speed now (another driver,
        // KWin busy) gets it from them at the next login, and its failure was told by the device layer.
        m_liveSpeed->Apply(values);
    }
    return ok;
}

std::optional<double> CKdePointerSettings::Number(const CKdeConfigFile& file, const char* group,
                                                  const char* key) {
    const std::optional<std::string> text = file.Get(group, key);
    if (!text) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double value = std::strtod(text->c_str(), &end);
    if (text->empty() || end == nullptr || *end != '\0' || !std::isfinite(value)) {
        Fault(file.Path() + "/" + key + "/bad",
              "KDE: " + std::string(key) + " in " + file.Path() + " is not a number: " + *text);
        return std::nan("");
    }
    return value;
}

bool CKdePointerSettings::Read(SPointerValues& values) {
    bool ok = true;
    CKdeConfigFile globals(m_configDir + "/" + kGlobalsFile);
    if (!globals.Load()) {
        Fault(globals.Path() + "/read", "KDE: cannot read " + globals.Path());
        ok = false;
    } else {
        const std::optional<double> click = Number(globals, "KDE", "DoubleClickInterval");
        if (!click) {
            values.doubleClickMs = kDefaultDoubleClickMs;
        } else if (!std::isnan(*click)) {
            const double bounded = std::clamp(*click, double{kMinDoubleClickMs}, double{kMaxDoubleClickMs});
            if (bounded != *click) {
                Fault(globals.Path() + "/DoubleClickInterval/range",
                      "KDE: DoubleClickInterval in " + globals.Path() + " is out of range");
            }
            values.doubleClickMs = static_cast<int>(std::lround(bounded));
        }
        const std::optional<double> lines = Number(globals, "KDE", "WheelScrollLines");
        if (!lines) {
            values.wheelLines = kDefaultWheelLines;
        } else if (!std::isnan(*lines)) {
            if (*lines < 1) {
                Fault(globals.Path() + "/WheelScrollLines/range",
                      "KDE: WheelScrollLines in " + globals.Path() + " is out of range");
            }
            // More lines than the store knows read as its most, as a page does.
            values.wheelLines =
                static_cast<int>(std::lround(std::clamp(*lines, 1.0, double{kMaxWheelLines})));
        }
    }

    if (m_liveSpeed && m_liveSpeed->Read(values)) {
        return ok;
    }
    CKdeConfigFile input(m_configDir + "/" + kInputFile);
    if (!input.Load()) {
        Fault(input.Path() + "/read", "KDE: cannot read " + input.Path());
        return false;
    }
    const std::optional<double> accel = Number(input, "Mouse", "XLbInptPointerAcceleration");
    if (!accel) {
        values.speed = 10;
    } else if (!std::isnan(*accel)) {
        if (*accel < -1.0 || *accel > 1.0) {
            Fault(input.Path() + "/XLbInptPointerAcceleration/range",
                  "KDE: XLbInptPointerAcceleration in " + input.Path() + " is out of range");
        }
        values.speed = AccelToSpeed(*accel);
    }
    return ok;
}

}  // namespace vorlix
