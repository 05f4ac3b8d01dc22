#include <gtest/gtest.h>

#include <map>
#include <mutex>

#include "DialogGrid.h"
#include "PrivateBus.h"
#include "platform/pointer/KWinPointerSpeed.h"
#include "platform/pointer/SessionBus.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

constexpr const char* kManagerXml = R"(<node><interface name="org.kde.KWin.InputDeviceManager">
  <property name="devicesSysNames" type="as" access="read"/></interface></node>)";
constexpr const char* kDeviceXml = R"(<node><interface name="org.kde.KWin.InputDevice">
  <property name="pointer" type="b" access="read"/>
  <property name="touchpad" type="b" access="read"/>
  <property name="supportsPointerAcceleration" type="b" access="read"/>
  <property name="pointerAcceleration" type="d" access="readwrite"/></interface></node>)";

struct SDevice {
    bool pointer, touchpad, accelerates;
    double accel;
};

// KWin's input devices on the bus: a mouse, a touchpad, a keyboard, and a name no object path can
// hold. A stubborn KWin accepts a new acceleration and keeps the old one.
class FakeKWin {
public:
    explicit FakeKWin(bool stubborn = false)
        : m_stubborn(stubborn),
          m_devices{{"event3", {true, false, true, 0.0}},
                    {"event5", {true, true, true, 0.3}},
                    {"event7", {false, false, false, 0.0}}},
          m_service(
              "org.kde.KWin",
              {{"/org/kde/KWin/InputDevice", kManagerXml},
               {"/org/kde/KWin/InputDevice/event3", kDeviceXml},
               {"/org/kde/KWin/InputDevice/event5", kDeviceXml},
               {"/org/kde/KWin/InputDevice/event7", kDeviceXml}},
              {}, [this](const std::string& path, const std::string& name) { return Get(path, name); },
              [this](const std::string& path, const std::string& name, GVariant* value) {
                  return Set(path, name, value);
              }) {}

    bool Ready() const { return m_service.Ready(); }
    double Accel(const std::string& device) {
        std::lock_guard lock(m_mutex);
        return m_devices.at(device).accel;
    }

private:
    static std::string Device(const std::string& path) { return path.substr(path.rfind('/') + 1); }
    GVariant* Get(const std::string& path, const std::string& name) {
        std::lock_guard lock(m_mutex);
        if (name == "devicesSysNames") {
            const char* names[] = {"event3", "event5", "event7", "../event3", nullptr};
            return g_variant_new_strv(names, -1);
        }
        const SDevice& d = m_devices.at(Device(path));
        if (name == "pointerAcceleration") {
            return g_variant_new_double(d.accel);
        }
        return g_variant_new_boolean(name == "pointer"    ? d.pointer
                                     : name == "touchpad" ? d.touchpad
                                                          : d.accelerates);
    }
    bool Set(const std::string& path, const std::string& name, GVariant* value) {
        std::lock_guard lock(m_mutex);
        if (name != "pointerAcceleration") {
            return false;
        }
        if (!m_stubborn) {
            m_devices.at(Device(path)).accel = g_variant_get_double(value);
        }
        return true;
    }

    bool m_stubborn;
    std::mutex m_mutex;
    std::map<std::string, SDevice> m_devices;
    testing::FakeService m_service;
};

class KWinPointerSpeedTest : public ::testing::Test {
protected:
    std::unique_ptr<CKWinPointerSpeed> Make() {
        auto faults = std::make_shared<CPointerFaults>(
            [this](std::string_view line) { m_faults.lines.emplace_back(line); });
        return std::make_unique<CKWinPointerSpeed>(std::make_shared<CSessionBus>(faults), faults);
    }

    testing::TempDir m_runtime;
    testing::ScopedEnv m_noBus{"DBUS_SESSION_BUS_ADDRESS", nullptr};
    testing::ScopedEnv m_noSocket{"XDG_RUNTIME_DIR", m_runtime.Path().c_str()};
    testing::PrivateBus m_bus;
    testing::FaultLines m_faults;
};

TEST_F(KWinPointerSpeedTest, EveryDialogSpeedComesBackAndOnlyTheMouseChanges) {
    ASSERT_TRUE(m_bus.Up());
    FakeKWin kwin;
    ASSERT_TRUE(kwin.Ready());
    auto speed = Make();
    for (const SPointerValues& values : testing::DialogGrid()) {
        ASSERT_TRUE(speed->Apply(values)) << testing::Describe(values);
        SPointerValues back{0, 0, 0};
        ASSERT_TRUE(speed->Read(back));
        EXPECT_EQ(back, (SPointerValues{values.speed, 0, 0}));
    }
    EXPECT_DOUBLE_EQ(kwin.Accel("event3"), 1.0);  // the last grid speed, 20
    EXPECT_DOUBLE_EQ(kwin.Accel("event5"), 0.3);  // the touchpad keeps its own
    // The name that is no object path element was skipped, and told once.
    ASSERT_EQ(m_faults.lines.size(), 1u);
    EXPECT_NE(m_faults.lines[0].find("../event3"), std::string::npos);
}

TEST_F(KWinPointerSpeedTest, AKWinThatKeepsTheOldSpeedIsNoticedOnce) {
    FakeKWin kwin(/*stubborn=*/true);
    ASSERT_TRUE(kwin.Ready());
    auto speed = Make();
    EXPECT_FALSE(speed->Apply({15, 500, 3}));
    EXPECT_FALSE(speed->Apply({16, 500, 3}));
    EXPECT_EQ(m_faults.CountContaining("did not keep"), 1u);
}

TEST_F(KWinPointerSpeedTest, WithoutKWinNothingBlocksAndItIsToldOnce) {
    auto speed = Make();
    EXPECT_FALSE(speed->Apply({15, 500, 3}));
    EXPECT_FALSE(speed->Apply({15, 500, 3}));
    SPointerValues values{7, 555, 4};
    EXPECT_FALSE(speed->Read(values));
    EXPECT_EQ(values, (SPointerValues{7, 555, 4}));
    EXPECT_EQ(m_faults.CountContaining("org.kde.KWin Get failed"), 1u);
}

}  // namespace
}  // namespace vorlix
