#include <gtest/gtest.h>

#include <cmath>

#include "platform/pointer/PointerScale.h"

namespace vorlix {
namespace {

TEST(PointerScaleTest, SpeedMapsOntoAccelerationWithTheDefaultAndBothEndsExact) {
    const struct {
        int speed;
        double accel;
    } cases[] = {{1, -1.0},
                 {2, -8.0 / 9},
                 {5, -5.0 / 9},
                 {9, -1.0 / 9},
                 {10, 0.0},
                 {11, 0.1},
                 {15, 0.5},
                 {19, 0.9},
                 {20, 1.0},
                 // Outside the scale: the nearest end.
                 {0, -1.0},
                 {-5, -1.0},
                 {21, 1.0}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(SpeedToAccel(c.speed), c.accel) << "speed " << c.speed;
    }
}

TEST(PointerScaleTest, EverySpeedComesBackAsItself) {
    for (int speed = 1; speed <= 20; ++speed) {
        EXPECT_EQ(AccelToSpeed(SpeedToAccel(speed)), speed);
        // As a desktop stores it: a float, or text with six significant digits.
        EXPECT_EQ(AccelToSpeed(static_cast<float>(SpeedToAccel(speed))), speed);
        char text[32];
        std::snprintf(text, sizeof text, "%.6g", SpeedToAccel(speed));
        EXPECT_EQ(AccelToSpeed(std::strtod(text, nullptr)), speed) << text;
    }
}

TEST(PointerScaleTest, AccelerationFromADesktopGivesTheNearestSpeed) {
    const struct {
        double accel;
        int speed;
    } cases[] = {{-1.5, 1},   {3.0, 20},  {NAN, 10},  {INFINITY, 20},
                 {-0.05, 10}, {0.04, 10}, {0.06, 11}, {-0.95, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(AccelToSpeed(c.accel), c.speed) << "accel " << c.accel;
    }
}

TEST(PointerScaleTest, ValuesAreBoundedBeforeTheyReachTheDesktop) {
    const struct {
        SPointerValues in;
        SPointerValues normalized;
        int recordedLines;
    } cases[] = {
        {{10, 500, 3}, {10, 500, 3}, 3},
        {{0, 0, 0}, {1, kMinDoubleClickMs, 1}, 1},
        {{25, 99999, 11}, {20, kMaxDoubleClickMs, SPointerValues::kWheelPage}, 10},
        {{-3, -1, SPointerValues::kWheelPage}, {1, kMinDoubleClickMs, SPointerValues::kWheelPage}, 10},
        {{20, 1000, 10}, {20, 1000, 10}, 10},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Normalized(c.in), c.normalized);
        EXPECT_EQ(Recorded(c.in).wheelLines, c.recordedLines);
    }
}

}  // namespace
}  // namespace vorlix
