#include "DesktopInfo.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>

namespace vorlix {

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool HasDesktopName(const std::string& list, const std::string& name) {
    std::istringstream names(Lower(list));
    std::string one;
    while (std::getline(names, one, ':')) {
        if (one == name) {
            return true;
        }
    }
    return false;
}

}  // namespace

SDesktopInfo SDesktopInfo::FromEnvironment() {
    SDesktopInfo info;
    info.currentDesktop = Env("XDG_CURRENT_DESKTOP");
    info.sessionType = Env("XDG_SESSION_TYPE");
    info.display = Env("DISPLAY");
    info.waylandDisplay = Env("WAYLAND_DISPLAY");
    info.configDir = Env("XDG_CONFIG_HOME");
    if (info.configDir.empty()) {
        const std::string home = Env("HOME");
        if (!home.empty()) {
            info.configDir = home + "/.config";
        }
    }
    return info;
}

EPointerDesktop ChoosePointerDesktop(const SDesktopInfo& info) {
    const std::string type = Lower(info.sessionType);
    // A session that does not say its type is taken as Wayland when only a Wayland display is there.
    const bool wayland =
        type == "wayland" || (type.empty() && !info.waylandDisplay.empty() && info.display.empty());
    if (HasDesktopName(info.currentDesktop, "kde")) {
        return wayland ? EPointerDesktop::KdeWayland : EPointerDesktop::KdeX11;
    }
    if (HasDesktopName(info.currentDesktop, "gnome")) {
        return EPointerDesktop::Gnome;
    }
    if (HasDesktopName(info.currentDesktop, "xfce")) {
        return EPointerDesktop::Xfce;
    }
    if (!wayland && type != "tty" && !info.display.empty()) {
        return EPointerDesktop::PlainX11;
    }
    return EPointerDesktop::None;
}

const char* PointerDesktopName(EPointerDesktop desktop) {
    switch (desktop) {
        case EPointerDesktop::Gnome:
            return "GNOME";
        case EPointerDesktop::KdeX11:
            return "KDE Plasma (X11)";
        case EPointerDesktop::KdeWayland:
            return "KDE Plasma (Wayland)";
        case EPointerDesktop::Xfce:
            return "Xfce";
        case EPointerDesktop::PlainX11:
            return "X11";
        case EPointerDesktop::None:
            break;
    }
    return "none";
}

}  // namespace vorlix
