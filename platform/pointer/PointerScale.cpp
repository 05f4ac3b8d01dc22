#include "PointerScale.h"

#include <algorithm>
#include <cmath>

namespace vorlix {

double SpeedToAccel(int speed) {
    const int s = std::clamp(speed, 1, 20);
    return s <= 10 ? (s - 10) / 9.0 : (s - 10) / 10.0;
}

int AccelToSpeed(double accel) {
    if (std::isnan(accel)) {
        return 10;
    }
    const double a = std::clamp(accel, -1.0, 1.0);
    const double speed = a <= 0.0 ? 10.0 + a * 9.0 : 10.0 + a * 10.0;
    return std::clamp(static_cast<int>(std::lround(speed)), 1, 20);
}

SPointerValues Normalized(const SPointerValues& values) {
    SPointerValues out;
    out.speed = std::clamp(values.speed, 1, 20);
    out.doubleClickMs = std::clamp(values.doubleClickMs, kMinDoubleClickMs, kMaxDoubleClickMs);
    if (values.wheelLines == SPointerValues::kWheelPage || values.wheelLines > kMaxWheelLines) {
        out.wheelLines = SPointerValues::kWheelPage;
    } else {
        out.wheelLines = std::max(values.wheelLines, 1);
    }
    return out;
}

SPointerValues Recorded(const SPointerValues& values) {
    SPointerValues out = Normalized(values);
    if (out.wheelLines == SPointerValues::kWheelPage) {
        out.wheelLines = kMaxWheelLines;
    }
    return out;
}

}  // namespace vorlix
