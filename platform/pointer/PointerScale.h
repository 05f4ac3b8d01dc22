#pragma once

#include "shared/PointerSettings.h"

namespace vorlix {

// The pointer-speed scale of the store (1..20, 10 = the desktop's default) against the acceleration
// scale the Linux desktops share with libinput (-1..1, 0 = default). Below 10 one step is 1/9, above it
// 1/10, so both ends and the default meet exactly and every whole speed comes back as itself.
double SpeedToAccel(int speed);
// The nearest speed for an acceleration; values outside -1..1 (or not a number) give the nearest end.
int AccelToSpeed(double accel);

// Bounds a backend accepts before it touches the desktop: speed 1..20, double-click kMinDoubleClickMs..
// kMaxDoubleClickMs, wheel lines 1..10 or a page (anything above 10 means a page, as the store says).
inline constexpr int kMinDoubleClickMs = 50;
inline constexpr int kMaxDoubleClickMs = 5000;
inline constexpr int kMaxWheelLines = 10;
SPointerValues Normalized(const SPointerValues& values);

// What a desktop gives back for a setting after values went in: the page setting reads as 10 lines,
// since no desktop here keeps a page mode and the store records a page as 10.
SPointerValues Recorded(const SPointerValues& values);

}  // namespace vorlix
