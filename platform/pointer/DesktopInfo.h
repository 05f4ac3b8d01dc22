#pragma once

#include <string>

namespace vorlix {

// What the session tells about the desktop the user runs, from the environment the desktop set up.
struct SDesktopInfo {
    std::string currentDesktop;  // XDG_CURRENT_DESKTOP: names separated by ':', e.g. "ubuntu:GNOME"
    std::string sessionType;     // XDG_SESSION_TYPE: "x11", "wayland", "tty", or empty
    std::string display;         // DISPLAY
    std::string waylandDisplay;  // WAYLAND_DISPLAY
    std::string configDir;       // XDG_CONFIG_HOME, else $HOME/.config

    static SDesktopInfo FromEnvironment();
};

enum class EPointerDesktop {
    None,        // nothing here holds pointer settings we can reach: the store keeps them
    Gnome,       // GSettings
    KdeX11,      // KDE's files and change signal, the pointer devices through XInput
    KdeWayland,  // KDE's files and change signal, the pointer devices through KWin
    Xfce,        // xfconf
    PlainX11,    // only the pointer devices through XInput
};

// The backend that fits the session. A Wayland session of an unknown desktop gets none: the X server
// there (XWayland) does not drive the real pointer devices.
EPointerDesktop ChoosePointerDesktop(const SDesktopInfo& info);
const char* PointerDesktopName(EPointerDesktop desktop);

}  // namespace vorlix
