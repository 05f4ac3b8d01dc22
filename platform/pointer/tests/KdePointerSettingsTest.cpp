#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>

#include "DialogGrid.h"
#include "PrivateBus.h"
#include "platform/pointer/KdePointerSettings.h"
#include "platform/pointer/PointerScale.h"
#include "platform/pointer/SessionBus.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

class KdePointerSettingsTest : public ::testing::Test {
protected:
    std::shared_ptr<CPointerFaults> Faults() {
        return std::make_shared<CPointerFaults>(
            [this](std::string_view line) { m_faults.lines.emplace_back(line); });
    }
    std::unique_ptr<CKdePointerSettings> Make() {
        auto faults = Faults();
        return std::make_unique<CKdePointerSettings>(m_home.Path(), nullptr,
                                                     std::make_shared<CSessionBus>(faults), faults);
    }
    void Write(const std::string& name, const std::string& text) { std::ofstream(m_home / name) << text; }

    testing::TempDir m_home;
    testing::FaultLines m_faults;
    // No test reaches the user's own session bus: only a private one, where a test starts it.
    testing::ScopedEnv m_noBus{"DBUS_SESSION_BUS_ADDRESS", nullptr};
    testing::ScopedEnv m_runtime{"XDG_RUNTIME_DIR", m_home.Path().c_str()};
};

TEST_F(KdePointerSettingsTest, EveryDialogValueComesBackAndRunningApplicationsAreTold) {
    testing::PrivateBus bus;
    ASSERT_TRUE(bus.Up());
    testing::FakeService listener("", {});
    ASSERT_TRUE(listener.Ready());
    listener.Listen("org.kde.KGlobalSettings", "notifyChange");

    auto kde = Make();
    const auto grid = testing::DialogGrid();
    for (const SPointerValues& values : grid) {
        ASSERT_TRUE(kde->Apply(values)) << testing::Describe(values);
        SPointerValues back{0, 0, 0};
        ASSERT_TRUE(kde->Read(back));
        EXPECT_EQ(back, Recorded(values)) << testing::Describe(values);
    }
    // One "settings changed, mouse" signal per apply that changed the files.
    const auto signals = listener.WaitForSignals(grid.size());
    ASSERT_EQ(signals.size(), grid.size());
    EXPECT_EQ(signals.front(), "(3, 0)");
    EXPECT_TRUE(m_faults.lines.empty()) << m_faults.lines.front();
}

TEST_F(KdePointerSettingsTest, WritesTheKeysKdeReadsAndKeepsTheRest) {
    Write("kdeglobals", "[General]\nColorScheme=Breeze\n\n[KDE]\nSingleClick=false\n");
    auto kde = Make();
    ASSERT_TRUE(kde->Apply({15, 700, SPointerValues::kWheelPage}));
    EXPECT_EQ(testing::ReadFileText(m_home / "kcminputrc"), "[Mouse]\nXLbInptPointerAcceleration=0.5\n");
    EXPECT_EQ(testing::ReadFileText(m_home / "kdeglobals"),
              "[General]\nColorScheme=Breeze\n\n[KDE]\nSingleClick=false\nDoubleClickInterval=700\n"
              "WheelScrollLines=10\n");
}

TEST_F(KdePointerSettingsTest, MissingKeysReadAsKdesDefaults) {
    auto kde = Make();
    SPointerValues values{0, 0, 0};
    ASSERT_TRUE(kde->Read(values));
    EXPECT_EQ(values, (SPointerValues{10, CKdePointerSettings::kDefaultDoubleClickMs,
                                      CKdePointerSettings::kDefaultWheelLines}));
}

TEST_F(KdePointerSettingsTest, BadValuesInTheFilesAreBoundedOrSkippedAndToldOnce) {
    const struct {
        const char* globals;
        const char* input;
        SPointerValues expected;  // read over {7, 555, 4}
        const char* fault;        // text of the one report, or empty
    } cases[] = {
        {"[KDE]\nDoubleClickInterval=abc\n", "", {10, 555, 3}, "not a number"},
        {"[KDE]\nDoubleClickInterval=99999\n", "", {10, kMaxDoubleClickMs, 3}, "DoubleClickInterval"},
        {"[KDE]\nWheelScrollLines=0\n", "", {10, 400, 1}, "WheelScrollLines"},
        {"[KDE]\nWheelScrollLines=25\n", "", {10, 400, 10}, ""},
        {"", "[Mouse]\nXLbInptPointerAcceleration=3\n", {20, 400, 3}, "XLbInptPointerAcceleration"},
        {"", "[Mouse]\nXLbInptPointerAcceleration=\n", {7, 400, 3}, "not a number"},
    };
    for (const auto& c : cases) {
        testing::TempDir home;
        std::ofstream(home / "kdeglobals") << c.globals;
        std::ofstream(home / "kcminputrc") << c.input;
        testing::FaultLines told;
        auto faults =
            std::make_shared<CPointerFaults>([&](std::string_view line) { told.lines.emplace_back(line); });
        CKdePointerSettings kde(home.Path(), nullptr, std::make_shared<CSessionBus>(faults), faults);
        for (int i = 0; i < 2; ++i) {
            SPointerValues values{7, 555, 4};
            EXPECT_TRUE(kde.Read(values));
            EXPECT_EQ(values, c.expected) << c.globals << c.input;
        }
        if (*c.fault != '\0') {
            ASSERT_EQ(told.lines.size(), 1u) << c.globals << c.input;
            EXPECT_NE(told.lines[0].find(c.fault), std::string::npos) << told.lines[0];
        } else {
            EXPECT_TRUE(told.lines.empty());
        }
    }
}

TEST_F(KdePointerSettingsTest, ReadOnlyFileFailsTheApplyOnceToldAndLeavesItAlone) {
    Write("kdeglobals", "[KDE]\nDoubleClickInterval=400\n");
    chmod((m_home / "kdeglobals").c_str(), 0444);
    auto kde = Make();
    EXPECT_FALSE(kde->Apply({12, 800, 5}));
    EXPECT_FALSE(kde->Apply({14, 900, 6}));
    EXPECT_EQ(testing::ReadFileText(m_home / "kdeglobals"), "[KDE]\nDoubleClickInterval=400\n");
    // The other file still follows the profile.
    EXPECT_EQ(testing::ReadFileText(m_home / "kcminputrc"), "[Mouse]\nXLbInptPointerAcceleration=0.4\n");
    EXPECT_EQ(m_faults.CountContaining("read-only"), 1u);
}

// The pointer devices' own speed (XInput or KWin) as the KDE backend sees it.
class FakeLiveSpeed : public IPointerSettings {
public:
    bool Apply(const SPointerValues& values) override {
        if (works) {
            speed = values.speed;
        }
        return works;
    }
    bool Read(SPointerValues& values) override {
        if (works) {
            values.speed = speed;
        }
        return works;
    }
    bool works = true;
    int speed = 10;
};

TEST_F(KdePointerSettingsTest, PointerDevicesFollowAtOnceAndTheFilesStayTheRecord) {
    auto live = std::make_unique<FakeLiveSpeed>();
    FakeLiveSpeed* devices = live.get();
    auto faults = Faults();
    CKdePointerSettings kde(m_home.Path(), std::move(live), std::make_shared<CSessionBus>(faults), faults);
    ASSERT_TRUE(kde.Apply({17, 500, 3}));
    EXPECT_EQ(devices->speed, 17);
    // The devices are asked first: what they run now is the speed in effect.
    devices->speed = 13;
    SPointerValues back{0, 0, 0};
    ASSERT_TRUE(kde.Read(back));
    EXPECT_EQ(back.speed, 13);
    // Devices that cannot take the speed leave the files as the record, read from there.
    devices->works = false;
    EXPECT_TRUE(kde.Apply({4, 500, 3}));
    ASSERT_TRUE(kde.Read(back));
    EXPECT_EQ(back.speed, 4);
    EXPECT_EQ(testing::ReadFileText(m_home / "kcminputrc"),
              "[Mouse]\nXLbInptPointerAcceleration=-0.666667\n");
}

TEST_F(KdePointerSettingsTest, WithoutASessionBusTheFilesStillFollow) {
    auto kde = Make();
    EXPECT_TRUE(kde->Apply({4, 300, 2}));
    EXPECT_TRUE(kde->Apply({6, 300, 2}));
    SPointerValues back{0, 0, 0};
    ASSERT_TRUE(kde->Read(back));
    EXPECT_EQ(back, (SPointerValues{6, 300, 2}));
    EXPECT_EQ(m_faults.CountContaining("no session bus"), 1u);
}

}  // namespace
}  // namespace vorlix
