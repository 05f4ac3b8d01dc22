#include "ui/skin/SkinApplication.h"

#include <QGuiApplication>
#include <QWidget>
#include <cstdlib>

#include "ui/skin/core/SkinTable.h"

namespace vorlix {

std::string ChooseQtPlatform(const std::function<std::string(const char*)>& env) {
    if (!env("QT_QPA_PLATFORM").empty()) {
        return {};
    }
    const bool wayland = env("XDG_SESSION_TYPE") == "wayland" || !env("WAYLAND_DISPLAY").empty();
    if (wayland && !env("DISPLAY").empty()) {
        return "xcb";
    }
    return {};
}

void PrepareSkinApplication() {
    const std::string platform = ChooseQtPlatform([](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value == nullptr ? "" : value);
    });
    if (!platform.empty()) {
        qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(platform));
    }
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
}

int PlaceControl(QWidget* control, int window, int controlId) {
    const SPlace* place = FindPlace(window, controlId);
    if (control == nullptr || place == nullptr) {
        return 0;
    }
    control->move(place->x, place->y);
    if (place->width > 0 && place->height > 0) {
        control->resize(place->width, place->height);
    }
    return 1;
}

}  // namespace vorlix
