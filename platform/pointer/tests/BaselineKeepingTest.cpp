#include <gtest/gtest.h>

#include <vector>

#include "platform/pointer/BaselineKeepingPointerSettings.h"
#include "shared/MemoryStoreBackend.h"
#include "shared/RegStore.h"
#include "shared/StoreNames.h"

namespace vorlix {
namespace {

// A desktop that holds speed and double-click time but no wheel setting, as GNOME and Xfce do.
class FakeDesktop : public IPointerSettings {
public:
    bool Apply(const SPointerValues& values) override {
        applied.push_back(values);
        speed = values.speed;
        doubleClickMs = values.doubleClickMs;
        return true;
    }
    bool Read(SPointerValues& values) override {
        if (!readable) {
            return false;
        }
        values.speed = speed;
        values.doubleClickMs = doubleClickMs;
        return true;
    }

    int speed = 13;
    int doubleClickMs = 450;
    bool readable = true;
    std::vector<SPointerValues> applied;
};

class BaselineKeepingTest : public ::testing::Test {
protected:
    CBaselineKeepingPointerSettings Make() {
        auto desktop = std::make_unique<FakeDesktop>();
        m_desktop = desktop.get();
        return CBaselineKeepingPointerSettings(std::move(desktop), m_store);
    }

    CMemoryStoreBackend m_backend;
    CRegStore m_store{m_backend};
    FakeDesktop* m_desktop = nullptr;
};

TEST_F(BaselineKeepingTest, FirstApplyRecordsTheDesktopsOwnValuesOnceAndOnlyThoseItHolds) {
    auto settings = Make();
    ASSERT_TRUE(settings.Apply({4, 800, 5}));
    ASSERT_TRUE(settings.Apply({6, 900, 7}));
    EXPECT_EQ(m_store.ReadDword(store::kDesktopBaselineRecorded), 1);
    EXPECT_EQ(m_store.ReadDword(store::kDesktopBaselineSpeed), 13);
    EXPECT_EQ(m_store.ReadDword(store::kDesktopBaselineDoubleClick), 450);
    EXPECT_EQ(m_store.ReadDword(store::kDesktopBaselineWheelLines), -1);  // not held: not recorded
    EXPECT_EQ(m_desktop->applied.size(), 2u);
}

TEST_F(BaselineKeepingTest, AnUnreadableDesktopIsRecordedAtALaterApply) {
    auto settings = Make();
    m_desktop->readable = false;
    ASSERT_TRUE(settings.Apply({4, 800, 5}));
    EXPECT_FALSE(settings.HasBaseline());
    m_desktop->readable = true;
    m_desktop->speed = 11;
    ASSERT_TRUE(settings.Apply({6, 900, 7}));
    EXPECT_EQ(m_store.ReadDword(store::kDesktopBaselineSpeed), 11);
}

TEST_F(BaselineKeepingTest, RestorePutsTheRecordedValuesBack) {
    auto settings = Make();
    EXPECT_FALSE(settings.RestoreBaseline());  // nothing recorded yet
    EXPECT_TRUE(m_desktop->applied.empty());
    ASSERT_TRUE(settings.Apply({4, 800, 5}));
    ASSERT_TRUE(settings.RestoreBaseline());
    EXPECT_EQ(m_desktop->speed, 13);
    EXPECT_EQ(m_desktop->doubleClickMs, 450);
}

}  // namespace
}  // namespace vorlix
