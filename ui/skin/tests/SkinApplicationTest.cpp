// The platform choice for shaped windows and placing controls from the layout table.
#include <gtest/gtest.h>

#include <QWidget>
#include <map>

#include "ui/skin/SkinApplication.h"
#include "ui/skin/tests/TestApp.h"

namespace vorlix {
namespace {

TEST(SkinApplication, WaylandSessionsWithXWaylandRunThroughXcb) {
    struct Case {
        std::map<std::string, std::string> env;
        std::string expected;
    };
    const Case cases[] = {
        {{{"XDG_SESSION_TYPE", "wayland"}, {"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}, "xcb"},
        {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":1"}}, "xcb"},
        {{{"XDG_SESSION_TYPE", "wayland"}, {"WAYLAND_DISPLAY", "wayland-0"}}, ""},  // no XWayland
        {{{"XDG_SESSION_TYPE", "x11"}, {"DISPLAY", ":0"}}, ""},
        {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland"}}, ""},  // kept
        {{}, ""},
    };
    for (const Case& c : cases) {
        const auto env = [&c](const char* name) {
            const auto found = c.env.find(name);
            return found == c.env.end() ? std::string() : found->second;
        };
        EXPECT_EQ(ChooseQtPlatform(env), c.expected);
    }
}

TEST(SkinApplication, PlacesControlsAtTheTablesPixels) {
    SkinTestApp();
    QWidget dialog;
    QWidget slider(&dialog);
    slider.resize(10, 10);
    EXPECT_EQ(PlaceControl(&slider, 343, 1047), 1);  // lift-off slider of the performance dialog
    EXPECT_EQ(slider.geometry(), QRect(387, 461, 190, 30));
    QWidget button(&dialog);
    button.resize(96, 34);
    EXPECT_EQ(PlaceControl(&button, 343, 1), 1);  // size comes from its picture
    EXPECT_EQ(button.geometry(), QRect(181, 527, 96, 34));
    EXPECT_EQ(PlaceControl(&button, 343, 4242), 0);
    EXPECT_EQ(button.pos(), QPoint(181, 527));
}

}  // namespace
}  // namespace vorlix
