#include <gtest/gtest.h>

#include <fstream>

#include "DialogGrid.h"
#include "platform/pointer/GnomePointerSettings.h"
#include "platform/pointer/PointerScale.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

// GNOME's real settings machinery with the installed schema, its values kept in a key file of the test.
class GnomePointerSettingsTest : public ::testing::Test {
protected:
    std::unique_ptr<CGnomePointerSettings> Make(const std::string& schemaDir = "") {
        auto faults = std::make_shared<CPointerFaults>(
            [this](std::string_view line) { m_faults.lines.emplace_back(line); });
        return std::make_unique<CGnomePointerSettings>(CGnomePointerSettings::SOptions{schemaDir, m_keyfile},
                                                       faults);
    }

    testing::TempDir m_dir;
    std::string m_keyfile = m_dir / "settings.ini";
    testing::FaultLines m_faults;
};

TEST_F(GnomePointerSettingsTest, EveryDialogValueComesBackAndTheWheelStaysInTheStore) {
    auto gnome = Make();
    ASSERT_TRUE(gnome->Usable()) << "schema " << CGnomePointerSettings::kSchema << " not installed";
    for (const SPointerValues& values : testing::DialogGrid()) {
        ASSERT_TRUE(gnome->Apply(values)) << testing::Describe(values);
        SPointerValues back{0, 0, 0};
        ASSERT_TRUE(gnome->Read(back));
        const SPointerValues expected = Recorded(values);
        EXPECT_EQ(back, (SPointerValues{expected.speed, expected.doubleClickMs, 0}))
            << testing::Describe(values);
    }
    EXPECT_TRUE(m_faults.lines.empty());
}

TEST_F(GnomePointerSettingsTest, ValuesLandInTheSchemasKeys) {
    auto gnome = Make();
    ASSERT_TRUE(gnome->Apply({15, 700, 3}));
    const std::string text = testing::ReadFileText(m_keyfile);
    EXPECT_NE(text.find("[org/gnome/desktop/peripherals/mouse]"), std::string::npos) << text;
    EXPECT_NE(text.find("speed=0.5"), std::string::npos) << text;
    EXPECT_NE(text.find("double-click=700"), std::string::npos) << text;
}

TEST_F(GnomePointerSettingsTest, OutOfRangeDoubleClickIsBoundedAndToldOnce) {
    std::ofstream(m_keyfile) << "[org/gnome/desktop/peripherals/mouse]\ndouble-click=20000\nspeed=-0.5\n";
    auto gnome = Make();
    for (int i = 0; i < 2; ++i) {
        SPointerValues values{0, 0, 0};
        ASSERT_TRUE(gnome->Read(values));
        EXPECT_EQ(values, (SPointerValues{6, kMaxDoubleClickMs, 0}));
    }
    EXPECT_EQ(m_faults.CountContaining("out of range"), 1u);
}

TEST_F(GnomePointerSettingsTest, WithoutTheSchemaNothingIsTouchedAndItIsToldOnce) {
    auto gnome = Make(m_dir.Path());
    EXPECT_FALSE(gnome->Usable());
    EXPECT_FALSE(gnome->Apply({15, 700, 3}));
    SPointerValues values{7, 555, 4};
    EXPECT_FALSE(gnome->Read(values));
    EXPECT_EQ(values, (SPointerValues{7, 555, 4}));
    EXPECT_EQ(m_faults.CountContaining("not installed"), 1u);
}

}  // namespace
}  // namespace vorlix
