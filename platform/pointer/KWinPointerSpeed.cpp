#include "KWinPointerSpeed.h"

#include <cmath>

#include "PointerScale.h"
#include "SessionBus.h"

namespace vorlix {

namespace {

constexpr const char* kService = "org.kde.KWin";
constexpr const char* kManagerPath = "/org/kde/KWin/InputDevice";
constexpr const char* kManager = "org.kde.KWin.InputDeviceManager";
constexpr const char* kDevice = "org.kde.KWin.InputDevice";

// A device's system name becomes the last element of its object path; only characters an object path
// allows are accepted, so a strange name cannot make a call go elsewhere.
bool IsPathElement(const std::string& name) {
    if (name.empty()) {
        return false;
    }
    for (const char c : name) {
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) {
            return false;
        }
    }
    return true;
}

}  // namespace

CKWinPointerSpeed::CKWinPointerSpeed(std::shared_ptr<CSessionBus> bus, std::shared_ptr<CPointerFaults> faults)
    : CDesktopPointerBase("KWin", std::move(faults)),
      m_bus(bus ? std::move(bus) : std::make_shared<CSessionBus>(SharedFaults())) {}

bool CKWinPointerSpeed::Flag(const std::string& path, const char* name) {
    GVariantPtr value = m_bus->GetProperty(kService, path.c_str(), kDevice, name, "KWin/device");
    return value && g_variant_is_of_type(value.get(), G_VARIANT_TYPE_BOOLEAN) &&
           g_variant_get_boolean(value.get());
}

std::vector<std::string> CKWinPointerSpeed::Mice() {
    std::vector<std::string> mice;
    GVariantPtr names = m_bus->GetProperty(kService, kManagerPath, kManager, "devicesSysNames", "KWin/list");
    if (!names || !g_variant_is_of_type(names.get(), G_VARIANT_TYPE_STRING_ARRAY)) {
        return mice;
    }
    gsize count = 0;
    const gchar** list = g_variant_get_strv(names.get(), &count);
    for (gsize i = 0; i < count; ++i) {
        const std::string name = list[i];
        if (!IsPathElement(name)) {
            Fault("name/" + name, "KWin: skipped an input device with an unusable name: " + name);
            continue;
        }
        const std::string path = std::string(kManagerPath) + "/" + name;
        if (Flag(path, "pointer") && !Flag(path, "touchpad") && Flag(path, "supportsPointerAcceleration")) {
            mice.push_back(path);
        }
    }
    g_free(list);
    return mice;
}

bool CKWinPointerSpeed::Put(const SPointerValues& values) {
    const std::vector<std::string> mice = Mice();
    if (mice.empty()) {
        Fault("no-device", "KWin: no mouse to set the pointer speed of");
        return false;
    }
    bool ok = true;
    for (const std::string& path : mice) {
        ok = m_bus->SetProperty(kService, path.c_str(), kDevice, "pointerAcceleration",
                                g_variant_new_double(SpeedToAccel(values.speed)), "KWin/set") &&
             ok;
    }
    return ok;
}

bool CKWinPointerSpeed::Read(SPointerValues& values) {
    for (const std::string& path : Mice()) {
        GVariantPtr accel =
            m_bus->GetProperty(kService, path.c_str(), kDevice, "pointerAcceleration", "KWin/get");
        if (accel && g_variant_is_of_type(accel.get(), G_VARIANT_TYPE_DOUBLE)) {
            const double a = g_variant_get_double(accel.get());
            if (!(a >= -1.0 && a <= 1.0)) {
                Fault("range", "KWin: the pointer acceleration is out of range");
            }
            values.speed = AccelToSpeed(a);
            return true;
        }
    }
    return false;
}

}  // namespace vorlix
