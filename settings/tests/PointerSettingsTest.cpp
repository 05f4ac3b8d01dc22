#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "settings/ProfilePointerSettings.h"
#include "settings/StorePointerSettings.h"
#include "shared/MemoryStoreBackend.h"
#include "shared/StoreNames.h"

namespace vorlix {
namespace {

constexpr int kPage = SPointerValues::kWheelPage;
constexpr int32_t kMissing = -2;  // in the tables: no value stored under the name

// A desktop that remembers what was put into effect.
class CFakeDesktop final : public IPointerSettings {
public:
    bool Apply(const SPointerValues& values) override {
        applied.push_back(values);
        current = values;
        return true;
    }
    bool Read(SPointerValues& values) override {
        if (!readable) {
            return false;
        }
        values = current;
        return true;
    }

    SPointerValues current{7, 320, 4};
    bool readable = true;
    std::vector<SPointerValues> applied;
};

class PointerSettingsTest : public ::testing::Test {
protected:
    void StoreProfile(int number, int32_t speed, int32_t doubleClick, int32_t wheel) {
        const std::string names[] = {store::MotionSpeed(number), store::DoubleClickSpeed(number),
                                     store::WheelScrollLines(number)};
        const int32_t values[] = {speed, doubleClick, wheel};
        for (int i = 0; i < 3; ++i) {
            if (values[i] != kMissing) {
                store.WriteDword(names[i], static_cast<uint32_t>(values[i]));
            }
        }
    }

    CMemoryStoreBackend backend;
    CRegStore store{backend};
    CFakeDesktop desktop;
    CProfilePointerSettings profiles{store, desktop};
};

TEST_F(PointerSettingsTest, AppliesWhatAProfileRecordedAndKeepsTheDesktopsOwnForTheRest) {
    struct Case {
        const char* what;
        int32_t speed, doubleClick, wheel;
        std::optional<SPointerValues> applied;  // none: the desktop is not touched
    };
    // The desktop starts at {7, 320, 4} in every case.
    const Case cases[] = {
        {"all recorded", 12, 400, 5, SPointerValues{12, 400, 5}},
        {"wheel above ten is a page", 12, 400, 11, SPointerValues{12, 400, kPage}},
        {"a large wheel value too", 12, 400, 500, SPointerValues{12, 400, kPage}},
        {"ten lines stay ten", 1, 100, 10, SPointerValues{1, 100, 10}},
        {"out-of-range values cut", 35, 9000, 1, SPointerValues{20, 5000, 1}},
        {"speed missing", kMissing, 400, 5, SPointerValues{7, 400, 5}},
        {"speed and wheel zero", 0, 650, 0, SPointerValues{7, 650, 4}},
        {"double-click -1", 3, -1, 2, SPointerValues{3, 320, 2}},
        {"nothing recorded", kMissing, kMissing, kMissing, std::nullopt},
        {"all zero", 0, 0, 0, std::nullopt},
        {"negative", -5, -1, -7, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        backend = CMemoryStoreBackend();
        desktop = CFakeDesktop();
        // Profile index 2 reads the values named "PF3 ..."; profile 1's must not leak into it.
        StoreProfile(2, 19, 999, 9);
        StoreProfile(3, c.speed, c.doubleClick, c.wheel);
        EXPECT_EQ(profiles.Apply(2), c.applied.has_value());
        if (c.applied) {
            ASSERT_EQ(desktop.applied.size(), 1u);
            EXPECT_EQ(desktop.applied[0], *c.applied);
        } else {
            EXPECT_TRUE(desktop.applied.empty());
        }
    }
}

TEST_F(PointerSettingsTest, ProfilesOutsideOneToFiveNeitherApplyNorRecord) {
    for (int number = 0; number <= 6; ++number) {
        StoreProfile(number, 12, 400, 5);
    }
    for (int index : {-1, 5, 6}) {
        EXPECT_FALSE(profiles.Apply(index)) << index;
        EXPECT_FALSE(profiles.Record(index)) << index;
    }
    EXPECT_TRUE(desktop.applied.empty());
    EXPECT_EQ(store.ReadDword(store::MotionSpeed(6)), 12);  // untouched
}

TEST_F(PointerSettingsTest, RecordedValuesComeBackExactlyAPageIncluded) {
    const SPointerValues tuned[] = {{7, 350, kPage}, {20, 5000, 10}, {1, 100, 1}};
    for (const SPointerValues& values : tuned) {
        desktop.current = values;
        ASSERT_TRUE(profiles.Record(1));
        EXPECT_EQ(store.ReadDword(store::MotionSpeed(2)), values.speed);
        EXPECT_EQ(store.ReadDword(store::DoubleClickSpeed(2)), values.doubleClickMs);
        EXPECT_EQ(store.ReadDword(store::WheelScrollLines(2)),
                  values.wheelLines == kPage ? CProfilePointerSettings::kStoredWheelPage : values.wheelLines);
        desktop.current = SPointerValues{10, 500, 3};
        ASSERT_TRUE(profiles.Apply(1));
        EXPECT_EQ(desktop.current, values);
    }
}

TEST_F(PointerSettingsTest, AnUnreadableDesktopRecordsNothing) {
    StoreProfile(1, 12, 400, 5);
    desktop.readable = false;
    EXPECT_FALSE(profiles.Record(0));
    EXPECT_EQ(store.ReadDword(store::MotionSpeed(1)), 12);
    EXPECT_EQ(store.ReadDword(store::WheelScrollLines(1)), 5);
    // A partly recorded profile on a desktop that cannot say what it holds gets neutral values for the rest.
    backend = CMemoryStoreBackend();
    StoreProfile(1, 12, kMissing, kMissing);
    ASSERT_TRUE(profiles.Apply(0));
    EXPECT_EQ(desktop.current, (SPointerValues{12, 500, 3}));
}

TEST_F(PointerSettingsTest, TheStoreKeptDesktopHoldsWhatWasApplied) {
    CStorePointerSettings kept(store);
    SPointerValues read{9, 450, 2};
    ASSERT_TRUE(kept.Read(read));
    EXPECT_EQ(read, (SPointerValues{9, 450, 2})) << "nothing applied yet: the caller's values stay";

    for (const SPointerValues& values : {SPointerValues{1, 100, 1}, SPointerValues{20, 900, kPage}}) {
        ASSERT_TRUE(kept.Apply(values));
        SPointerValues back;
        ASSERT_TRUE(kept.Read(back));
        EXPECT_EQ(back, values);
    }
    EXPECT_EQ(store.ReadDword(store::kDesktopPointerSpeed), 20);
    EXPECT_EQ(store.ReadDword(store::kDesktopDoubleClickTime), 900);
    EXPECT_EQ(store.ReadDword(store::kDesktopWheelScrollLines), CProfilePointerSettings::kStoredWheelPage);

    const SPointerValues invalid[] = {{0, 500, 3},  {21, 500, 3},  {10, 0, 3},
                                      {10, 500, 0}, {10, 500, 11}, {10, 500, -2}};
    for (const SPointerValues& values : invalid) {
        EXPECT_FALSE(kept.Apply(values))
            << values.speed << " " << values.doubleClickMs << " " << values.wheelLines;
    }
    EXPECT_EQ(store.ReadDword(store::kDesktopPointerSpeed), 20);
}

TEST_F(PointerSettingsTest, AProfileSwitchOnTheStoreKeptDesktopLeavesUnrecordedSettingsAlone) {
    CStorePointerSettings kept(store);
    CProfilePointerSettings onKept(store, kept);
    ASSERT_TRUE(kept.Apply({8, 420, 6}));
    StoreProfile(1, kMissing, 250, kMissing);
    ASSERT_TRUE(onKept.Apply(0));
    SPointerValues now;
    kept.Read(now);
    EXPECT_EQ(now, (SPointerValues{8, 250, 6}));
    EXPECT_FALSE(onKept.Apply(4));  // profile 5 never recorded
    kept.Read(now);
    EXPECT_EQ(now, (SPointerValues{8, 250, 6}));
}

}  // namespace
}  // namespace vorlix
