#include "XfcePointerSettings.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "PointerScale.h"
#include "SessionBus.h"

namespace vorlix {

namespace {

constexpr const char* kService = "org.xfce.Xfconf";
constexpr const char* kPath = "/org/xfce/Xfconf";
constexpr const char* kInterface = "org.xfce.Xfconf";
constexpr const char* kPointers = "pointers";
constexpr const char* kXsettings = "xsettings";
constexpr const char* kDoubleClick = "/Net/DoubleClickTime";
constexpr const char* kAcceleration = "Acceleration";

// A number held in an xfconf value of any numeric type.
bool NumberOf(GVariant* value, double* number) {
    if (value == nullptr) {
        return false;
    }
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_DOUBLE)) {
        *number = g_variant_get_double(value);
    } else if (g_variant_is_of_type(value, G_VARIANT_TYPE_INT32)) {
        *number = g_variant_get_int32(value);
    } else if (g_variant_is_of_type(value, G_VARIANT_TYPE_UINT32)) {
        *number = g_variant_get_uint32(value);
    } else if (g_variant_is_of_type(value, G_VARIANT_TYPE_INT64)) {
        *number = static_cast<double>(g_variant_get_int64(value));
    } else {
        return false;
    }
    return std::isfinite(*number);
}

}  // namespace

CXfcePointerSettings::CXfcePointerSettings(DeviceLister devices, std::shared_ptr<CSessionBus> bus,
                                           std::shared_ptr<CPointerFaults> faults)
    : CDesktopPointerBase("Xfce", std::move(faults)),
      m_devices(std::move(devices)),
      m_bus(bus ? std::move(bus) : std::make_shared<CSessionBus>(SharedFaults())) {}

double CXfcePointerSettings::SpeedToXfce(int speed) {
    // Xfce's helper hands a libinput device acceleration / 5 - 1.
    return (SpeedToAccel(speed) + 1.0) * 5.0;
}

int CXfcePointerSettings::XfceToSpeed(double acceleration) {
    return AccelToSpeed(acceleration / 5.0 - 1.0);
}

std::string CXfcePointerSettings::EntryName(const std::string& deviceName) {
    std::string name;
    for (const char c : deviceName) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
            c == '-') {
            name += c;
        } else if (c == ' ') {
            name += '_';
        }
    }
    return name;
}

std::vector<std::string> CXfcePointerSettings::Entries() {
    std::set<std::string> entries;
    GVariantPtr all = m_bus->Call(kService, kPath, kInterface, "GetAllProperties",
                                  g_variant_new("(ss)", kPointers, "/"), "(a{sv})", "Xfce/list");
    if (all) {
        GVariantIter* iter = nullptr;
        g_variant_get(all.get(), "(a{sv})", &iter);
        const char* key = nullptr;
        GVariant* value = nullptr;
        while (g_variant_iter_loop(iter, "{&sv}", &key, &value)) {
            // "/<entry>/<setting>": the entry is the first part.
            const std::string property = key;
            const size_t slash = property.find('/', 1);
            if (property.size() > 1 && property[0] == '/' && slash != std::string::npos) {
                entries.insert(property.substr(1, slash - 1));
            }
        }
        g_variant_iter_free(iter);
    }
    if (m_devices) {
        for (const std::string& device : m_devices()) {
            const std::string entry = EntryName(device);
            // The XTEST pointer is the X server's own, not a device the user moves.
            if (!entry.empty() && entry.find("XTEST") == std::string::npos) {
                entries.insert(entry);
            }
        }
    }
    return {entries.begin(), entries.end()};
}

bool CXfcePointerSettings::Put(const SPointerValues& values) {
    bool ok = m_bus->Call(
                  kService, kPath, kInterface, "SetProperty",
                  g_variant_new("(ssv)", kXsettings, kDoubleClick, g_variant_new_int32(values.doubleClickMs)),
                  nullptr, "Xfce/set") != nullptr;
    const std::vector<std::string> entries = Entries();
    if (entries.empty()) {
        Fault("no-device", "Xfce: no pointer device to set the speed of");
        return false;
    }
    const double acceleration = SpeedToXfce(values.speed);
    for (const std::string& entry : entries) {
        const std::string property = "/" + entry + "/" + kAcceleration;
        ok = m_bus->Call(
                 kService, kPath, kInterface, "SetProperty",
                 g_variant_new("(ssv)", kPointers, property.c_str(), g_variant_new_double(acceleration)),
                 nullptr, "Xfce/set") != nullptr &&
             ok;
    }
    return ok;
}

std::optional<double> CXfcePointerSettings::Number(const char* channel, const std::string& property,
                                                   bool* reached) {
    GVariantPtr exists = m_bus->Call(kService, kPath, kInterface, "PropertyExists",
                                     g_variant_new("(ss)", channel, property.c_str()), "(b)", "Xfce/get");
    if (!exists) {
        *reached = false;
        return std::nullopt;
    }
    gboolean present = FALSE;
    g_variant_get(exists.get(), "(b)", &present);
    if (!present) {
        return std::nullopt;
    }
    GVariantPtr reply = m_bus->Call(kService, kPath, kInterface, "GetProperty",
                                    g_variant_new("(ss)", channel, property.c_str()), "(v)", "Xfce/get");
    if (!reply) {
        *reached = false;
        return std::nullopt;
    }
    GVariant* inner = nullptr;
    g_variant_get(reply.get(), "(v)", &inner);
    GVariantPtr value(inner);
    double number = 0;
    if (!NumberOf(value.get(), &number)) {
        Fault(std::string(channel) + property + "/bad", "Xfce: " + property + " is not a number");
        return std::nullopt;
    }
    return number;
}

bool CXfcePointerSettings::Read(SPointerValues& values) {
    bool reached = true;
    if (const std::optional<double> click = Number(kXsettings, kDoubleClick, &reached)) {
        if (*click < kMinDoubleClickMs || *click > kMaxDoubleClickMs) {
            Fault("double-click/range", "Xfce: the double-click time is out of range");
        }
        values.doubleClickMs = static_cast<int>(
            std::lround(std::clamp(*click, double{kMinDoubleClickMs}, double{kMaxDoubleClickMs})));
    }
    if (!reached) {
        return false;
    }
    for (const std::string& entry : Entries()) {
        if (const std::optional<double> accel =
                Number(kPointers, "/" + entry + "/" + kAcceleration, &reached)) {
            if (*accel < 0.0 || *accel > 10.0) {
                Fault("speed/range", "Xfce: the acceleration of " + entry + " is out of range");
            }
            values.speed = XfceToSpeed(*accel);
            break;
        }
    }
    return reached;
}

}  // namespace vorlix
