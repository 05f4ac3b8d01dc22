#include <gtest/gtest.h>

#include "platform/pointer/DesktopInfo.h"
#include "platform/pointer/DesktopPointerSettings.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

TEST(DesktopChoiceTest, SessionPicksTheBackend) {
    const struct {
        const char* desktop;
        const char* type;
        const char* display;
        const char* wayland;
        EPointerDesktop expected;
    } cases[] = {
        {"GNOME", "wayland", "", "wayland-0", EPointerDesktop::Gnome},
        {"ubuntu:GNOME", "x11", ":0", "", EPointerDesktop::Gnome},
        {"KDE", "x11", ":0", "", EPointerDesktop::KdeX11},
        {"KDE", "wayland", ":1", "wayland-0", EPointerDesktop::KdeWayland},
        {"kde", "", "", "wayland-0", EPointerDesktop::KdeWayland},
        {"XFCE", "x11", ":0", "", EPointerDesktop::Xfce},
        {"i3", "x11", ":0", "", EPointerDesktop::PlainX11},
        {"", "", ":0", "", EPointerDesktop::PlainX11},
        // XWayland's devices are not the real ones: an unknown Wayland desktop gets no backend.
        {"sway", "wayland", ":0", "wayland-1", EPointerDesktop::None},
        {"", "tty", ":0", "", EPointerDesktop::None},
        {"", "", "", "", EPointerDesktop::None},
        // A name that merely contains a known one is not it.
        {"GNOMEISH", "wayland", "", "wayland-0", EPointerDesktop::None},
    };
    for (const auto& c : cases) {
        SDesktopInfo info{c.desktop, c.type, c.display, c.wayland, "/tmp"};
        EXPECT_EQ(ChoosePointerDesktop(info), c.expected) << c.desktop << " / " << c.type;
    }
}

TEST(DesktopChoiceTest, FactoryGivesNoBackendWhereNoneFits) {
    EXPECT_EQ(CreateDesktopPointerSettings(SDesktopInfo{"sway", "wayland", "", "wayland-1", "/tmp"}),
              nullptr);
    // KDE without a configuration folder has nowhere to keep its settings.
    EXPECT_EQ(CreateDesktopPointerSettings(SDesktopInfo{"KDE", "x11", ":0", "", ""}), nullptr);
    EXPECT_NE(CreateDesktopPointerSettings(SDesktopInfo{"KDE", "x11", ":0", "", "/tmp"}), nullptr);
}

TEST(DesktopChoiceTest, EnvironmentFillsTheInfo) {
    testing::ScopedEnv desktop("XDG_CURRENT_DESKTOP", "XFCE");
    testing::ScopedEnv config("XDG_CONFIG_HOME", nullptr);
    testing::ScopedEnv home("HOME", "/home/someone");
    const SDesktopInfo info = SDesktopInfo::FromEnvironment();
    EXPECT_EQ(info.currentDesktop, "XFCE");
    EXPECT_EQ(info.configDir, "/home/someone/.config");
}

}  // namespace
}  // namespace vorlix
