// The button hot-spots and the function display row working together.
#include <gtest/gtest.h>

#include <QTest>

#include "ui/skin/HoverNotice.h"
#include "ui/skin/UiKeyIndex.h"
#include "ui/skin/UiKeyStatus.h"
#include "ui/skin/core/SkinTable.h"
#include "ui/skin/tests/TestApp.h"

namespace vorlix {
namespace {

// The main face's row and two hot-spots, wired as the main window wires them.
struct KeyFixture : ::testing::Test {
    void SetUp() override {
        status = new CUiKeyStatus(&window);
        ASSERT_TRUE(status->AllocateEntries());
        status->SetTypeBitmaps({419, 420, 421, 422, 418});
        status->move(560, 196);
        for (int k : {0, 1}) {
            spots[k] = new CUiKeyIndex(&window);
            spots[k]->SetSkin(kHotSpotNormal + k, kHotSpotPressed + k, kHotSpotHover + k, 0, 0,
                              kHotSpotMask + k);
            spots[k]->SetIndex(k);
            spots[k]->SetPartners(status, nullptr);
            spots[k]->SetHoverTime(0);
        }
        spots[0]->move(150, 196);
        spots[1]->move(284, 196);
        window.resize(990, 760);
        window.show();
        const QString left = "CLICK";
        const QString right = "RIGHT BUTTON";
        status->SetEntry(0, 2, &left, false);
        status->SetEntry(1, 1, &right, false);
    }
    void Hover(CUiKeyIndex* spot) {
        QTest::mouseMove(spot, QPoint(80, 100));
        QCoreApplication::processEvents();
    }
    void LeaveSpot(CUiKeyIndex* spot) {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(spot, &leave);
        QCoreApplication::processEvents();
    }
    SAppFirst app;
    QWidget window;
    CUiKeyStatus* status = nullptr;
    CUiKeyIndex* spots[2] = {};
};

TEST_F(KeyFixture, OutOfRangeEntriesAreRefused) {
    const QString name = "X";
    EXPECT_FALSE(status->SetEntry(8, 1, &name, true));
    EXPECT_FALSE(status->SetEntry(-1, 1, &name, true));
    EXPECT_FALSE(status->SetEntry(0, 5, &name, true));
    EXPECT_EQ(status->Entry(0)->name, "CLICK");
    EXPECT_EQ(status->ShownEntry(), -1);
    // Long names are cut to 39 characters; a null name stores an empty one.
    const QString longName(60, QChar('a'));
    EXPECT_TRUE(status->SetEntry(3, 0, &longName, false));
    EXPECT_EQ(status->Entry(3)->name.size(), 39);
    EXPECT_TRUE(status->SetEntry(3, 4, nullptr, false));
    EXPECT_TRUE(status->Entry(3)->name.isEmpty());
}

TEST_F(KeyFixture, EntryWithoutShowNowIsStoredButNotDrawn) {
    const QString macro = "RAPID FIRE";
    ASSERT_TRUE(status->SetEntry(1, 0, &macro, false));
    EXPECT_EQ(status->ShownEntry(), -1);
    EXPECT_TRUE(status->Label().isEmpty());
    ASSERT_TRUE(status->SetEntry(1, 0, &macro, true));
    EXPECT_EQ(status->ShownEntry(), 1);
    EXPECT_EQ(status->Label(), "RAPID FIRE");
    EXPECT_EQ(status->ShownType(), 0);
    EXPECT_EQ(status->LabelArea(), QRect(77, 25, 102, 20));
}

TEST_F(KeyFixture, HotSpotHoverPreviewsItsButtonAndLeavingShowsNone) {
    Hover(spots[1]);
    EXPECT_TRUE(spots[1]->HoverEntered());
    EXPECT_EQ(status->ShownEntry(), 1);
    EXPECT_EQ(status->Label(), "RIGHT BUTTON");
    EXPECT_EQ(status->ShownType(), 1);
    EXPECT_TRUE(status->IsHovering());
    LeaveSpot(spots[1]);
    EXPECT_FALSE(spots[1]->HoverEntered());
    EXPECT_EQ(status->ShownEntry(), -1);
    EXPECT_TRUE(status->Label().isEmpty());
    EXPECT_EQ(status->ShownType(), 4);  // the "none" picture
}

TEST_F(KeyFixture, HoverIsToldOnlyUntilItIsEnteredAndLeaveOnlyAfterIt) {
    spots[0]->SetHoverTime(400);  // the pointer has not rested yet
    QTest::mouseMove(spots[0], QPoint(80, 100));
    QCoreApplication::processEvents();
    EXPECT_FALSE(spots[0]->HoverEntered());
    EXPECT_EQ(status->ShownEntry(), 0);  // previewed while moving
    LeaveSpot(spots[0]);
    // No leave was sent: the row keeps its preview until the owner sets an entry.
    EXPECT_EQ(status->ShownEntry(), 0);
}

TEST_F(KeyFixture, PressedLookFollowsThePointerWhileHeld) {
    QTest::mousePress(spots[0], Qt::LeftButton, {}, QPoint(80, 100));
    EXPECT_EQ(spots[0]->CurrentLook(), 1);
    QMouseEvent away(QEvent::MouseMove, QPointF(-30, -30), spots[0]->mapToGlobal(QPointF(-30, -30)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(spots[0], &away);
    EXPECT_NE(spots[0]->CurrentLook(), 1);
    QTest::mouseRelease(spots[0], Qt::LeftButton, {}, QPoint(-30, -30));
}

}  // namespace
}  // namespace vorlix
