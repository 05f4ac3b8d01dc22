#include <gtest/gtest.h>

#include <map>
#include <mutex>

#include "DialogGrid.h"
#include "PrivateBus.h"
#include "platform/pointer/PointerScale.h"
#include "platform/pointer/SessionBus.h"
#include "platform/pointer/XfcePointerSettings.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

constexpr const char* kXfconfXml = R"(<node><interface name="org.xfce.Xfconf">
  <method name="SetProperty"><arg type="s" direction="in"/><arg type="s" direction="in"/>
    <arg type="v" direction="in"/></method>
  <method name="GetProperty"><arg type="s" direction="in"/><arg type="s" direction="in"/>
    <arg type="v" direction="out"/></method>
  <method name="GetAllProperties"><arg type="s" direction="in"/><arg type="s" direction="in"/>
    <arg type="a{sv}" direction="out"/></method>
  <method name="PropertyExists"><arg type="s" direction="in"/><arg type="s" direction="in"/>
    <arg type="b" direction="out"/></method>
</interface></node>)";

// The xfconf service as the backend sees it: channels of typed properties. A stubborn one keeps every
// device's acceleration as it was, as a desktop that puts the value back does.
class FakeXfconf {
public:
    explicit FakeXfconf(bool stubborn = false)
        : m_stubborn(stubborn),
          m_service("org.xfce.Xfconf", {{"/org/xfce/Xfconf", kXfconfXml}},
                    [this](const std::string&, const std::string& method, GVariant* params,
                           std::string* error) { return Handle(method, params, error); }) {}

    bool Ready() const { return m_service.Ready(); }
    void Put(const std::string& channel, const std::string& property, GVariant* value) {
        std::lock_guard lock(m_mutex);
        m_values[channel + property] = g_variant_print(g_variant_ref_sink(value), TRUE);
        m_typed[channel + property] = value;
    }
    // The property as printed with its type, e.g. "7.5" or "int32 700"; empty when missing.
    std::string Printed(const std::string& channel, const std::string& property) {
        std::lock_guard lock(m_mutex);
        auto it = m_values.find(channel + property);
        return it == m_values.end() ? "" : it->second;
    }

private:
    GVariant* Handle(const std::string& method, GVariant* params, std::string* error) {
        const char* channel = nullptr;
        const char* property = nullptr;
        if (method == "SetProperty") {
            GVariant* value = nullptr;
            g_variant_get(params, "(&s&sv)", &channel, &property, &value);
            const bool keep = m_stubborn && std::string(property).ends_with("/Acceleration");
            if (!keep) {
                Put(channel, property, value);
            }
            g_variant_unref(value);
            return nullptr;
        }
        g_variant_get(params, "(&s&s)", &channel, &property);
        const std::string key = std::string(channel) + property;
        std::lock_guard lock(m_mutex);
        if (method == "PropertyExists") {
            return g_variant_new("(b)", m_typed.count(key) > 0);
        }
        if (method == "GetProperty") {
            auto it = m_typed.find(key);
            if (it == m_typed.end()) {
                *error = "Property does not exist";
                return nullptr;
            }
            return g_variant_new("(v)", it->second);
        }
        GVariantBuilder all;
        g_variant_builder_init(&all, G_VARIANT_TYPE("a{sv}"));
        for (const auto& [name, value] : m_typed) {
            if (name.starts_with(channel) && name.size() > strlen(channel) && name[strlen(channel)] == '/') {
                g_variant_builder_add(&all, "{sv}", name.c_str() + strlen(channel), value);
            }
        }
        return g_variant_new("(a{sv})", &all);
    }

    bool m_stubborn;
    std::mutex m_mutex;
    std::map<std::string, std::string> m_values;
    std::map<std::string, GVariant*> m_typed;  // kept for the life of the test process
    testing::FakeService m_service;
};

class XfcePointerSettingsTest : public ::testing::Test {
protected:
    std::unique_ptr<CXfcePointerSettings> Make() {
        auto faults = std::make_shared<CPointerFaults>(
            [this](std::string_view line) { m_faults.lines.emplace_back(line); });
        return std::make_unique<CXfcePointerSettings>(
            [] {
                return std::vector<std::string>{"Gaming Mouse (v2)", "Virtual core XTEST pointer"};
            },
            std::make_shared<CSessionBus>(faults), faults);
    }

    testing::TempDir m_runtime;
    testing::ScopedEnv m_noBus{"DBUS_SESSION_BUS_ADDRESS", nullptr};
    testing::ScopedEnv m_noSocket{"XDG_RUNTIME_DIR", m_runtime.Path().c_str()};
    testing::PrivateBus m_bus;
    testing::FaultLines m_faults;
};

TEST(XfceScaleTest, AccelerationScaleAndEntryNamesMatchXfces) {
    const struct {
        int speed;
        double xfce;
    } speeds[] = {{1, 0.0}, {10, 5.0}, {15, 7.5}, {20, 10.0}};
    for (const auto& c : speeds) {
        EXPECT_DOUBLE_EQ(CXfcePointerSettings::SpeedToXfce(c.speed), c.xfce);
        EXPECT_EQ(CXfcePointerSettings::XfceToSpeed(c.xfce), c.speed);
    }
    const struct {
        const char* device;
        const char* entry;
    } names[] = {{"Logitech USB Optical Mouse", "Logitech_USB_Optical_Mouse"},
                 {"Gaming Mouse (v2)", "Gaming_Mouse_v2"},
                 {"a/b.c-d_e", "abc-d_e"}};
    for (const auto& c : names) {
        EXPECT_EQ(CXfcePointerSettings::EntryName(c.device), c.entry);
    }
}

TEST_F(XfcePointerSettingsTest, EveryDialogValueComesBackAndTheWheelStaysInTheStore) {
    ASSERT_TRUE(m_bus.Up());
    FakeXfconf xfconf;
    ASSERT_TRUE(xfconf.Ready());
    auto xfce = Make();
    for (const SPointerValues& values : testing::DialogGrid()) {
        ASSERT_TRUE(xfce->Apply(values)) << testing::Describe(values);
        SPointerValues back{0, 0, 0};
        ASSERT_TRUE(xfce->Read(back));
        const SPointerValues expected = Recorded(values);
        EXPECT_EQ(back, (SPointerValues{expected.speed, expected.doubleClickMs, 0}))
            << testing::Describe(values);
    }
    EXPECT_TRUE(m_faults.lines.empty()) << m_faults.lines.front();
}

TEST_F(XfcePointerSettingsTest, EveryKnownAndPresentDeviceGetsTheSpeed) {
    FakeXfconf xfconf;
    ASSERT_TRUE(xfconf.Ready());
    xfconf.Put("pointers", "/Old_Mouse/RightHanded", g_variant_new_boolean(TRUE));
    ASSERT_TRUE(Make()->Apply({15, 700, 3}));
    EXPECT_EQ(xfconf.Printed("pointers", "/Old_Mouse/Acceleration"), "7.5");
    EXPECT_EQ(xfconf.Printed("pointers", "/Gaming_Mouse_v2/Acceleration"), "7.5");
    EXPECT_EQ(xfconf.Printed("pointers", "/Virtual_core_XTEST_pointer/Acceleration"), "");
    EXPECT_EQ(xfconf.Printed("xsettings", "/Net/DoubleClickTime"), "700");
}

TEST_F(XfcePointerSettingsTest, ADesktopThatPutsTheSpeedBackIsNoticedOnce) {
    FakeXfconf xfconf(/*stubborn=*/true);
    ASSERT_TRUE(xfconf.Ready());
    xfconf.Put("pointers", "/Gaming_Mouse_v2/Acceleration", g_variant_new_double(5.0));
    auto xfce = Make();
    EXPECT_FALSE(xfce->Apply({15, 700, 3}));
    EXPECT_FALSE(xfce->Apply({18, 700, 3}));
    EXPECT_EQ(m_faults.CountContaining("did not keep"), 1u);
}

TEST_F(XfcePointerSettingsTest, WithoutTheServiceNothingBlocksAndItIsToldOnce) {
    auto xfce = Make();
    EXPECT_FALSE(xfce->Apply({15, 700, 3}));
    EXPECT_FALSE(xfce->Apply({15, 700, 3}));
    SPointerValues values{7, 555, 4};
    EXPECT_FALSE(xfce->Read(values));
    EXPECT_EQ(values, (SPointerValues{7, 555, 4}));
    EXPECT_EQ(m_faults.CountContaining("SetProperty failed"), 1u);
}

}  // namespace
}  // namespace vorlix
