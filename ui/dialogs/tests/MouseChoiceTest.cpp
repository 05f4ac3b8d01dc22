#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QComboBox>

#include "tests/support/SessionFixture.h"
#include "ui/dialogs/CommandClick.h"
#include "ui/dialogs/MouseChoiceDlg.h"
#include "ui/dialogs/tests/DialogTestSupport.h"

namespace vorlix::testing {
namespace {

using Control = std::array<uint8_t, 3>;

class MouseChoiceTest : public SessionFixture, protected SAppFirst {
protected:
    void SetUp() override {
        Start(2);
        owner.choose = [this] { return ChooseMouse(*session, owner.lines, nullptr); };
        transport->ClearCommands();
    }
    CMouseChoiceDlg* Dialog() const { return TopLevel<CMouseChoiceDlg>("MouseChoiceDlg"); }
    std::string PathOf(int mouse) const { return hid->GetDevice(mouse); }
    // The light commands (C4 02 / C4 03) sent so far, each with the mouse it went to.
    std::vector<std::pair<int, Control>> Lights() const {
        std::vector<std::pair<int, Control>> lights;
        for (const auto& command : transport->Commands()) {
            if (command.bytes.size() >= 5 && command.bytes[1] == 0xC4 &&
                (command.bytes[2] == 2 || command.bytes[2] == 3)) {
                const int mouse = command.path == PathOf(0) ? 0 : command.path == PathOf(1) ? 1 : -1;
                lights.push_back({mouse, {command.bytes[2], command.bytes[3], command.bytes[4]}});
            }
        }
        return lights;
    }
};

TEST_F(MouseChoiceTest, LightsThePickedMouseAndLoadsTheChosenOne) {
    CScriptedModalRunner runner;
    std::vector<std::pair<int, Control>> beforePick;
    runner.Answer(kModalOk, [&] {
        CMouseChoiceDlg* dialog = Dialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Qz vIVEDUD DUSK Prism");
        ASSERT_EQ(dialog->List()->count(), 2);
        EXPECT_EQ(dialog->List()->currentIndex(), 0);
        EXPECT_TRUE(dialog->List()->itemText(0).startsWith("2401: "));
        EXPECT_EQ(owner.timers.at(CDeviceSession::kIdentifyTimer), CDeviceSession::kIdentifyPeriodMs);
        session->OnTimer(CDeviceSession::kIdentifyTimer);
        beforePick = Lights();
        transport->ClearCommands();
        dialog->List()->setCurrentIndex(1);
    });
    session->Connect();

    const std::vector<std::pair<int, Control>> expectedFirst = {
        {0, {0x02, 0x00, 0x00}}, {0, {0x03, 0x03, 0x00}}, {0, {0x03, 0x03, 0x02}}};
    EXPECT_EQ(beforePick, expectedFirst);
    EXPECT_THAT(clock.Sleeps(), ::testing::Contains(CDeviceSession::kIdentifyPauseMs));
    const std::vector<std::pair<int, Control>> afterPick = Lights();
    const std::vector<std::pair<int, Control>> expectedPick = {
        {0, {0x03, 0x03, 0x03}}, {1, {0x02, 0x00, 0x00}}, {1, {0x03, 0x03, 0x00}}, {1, {0x03, 0x03, 0x03}}};
    ASSERT_GE(afterPick.size(), expectedPick.size());
    EXPECT_EQ(std::vector(afterPick.begin(), afterPick.begin() + 4), expectedPick);
    EXPECT_EQ(owner.timers.count(CDeviceSession::kIdentifyTimer), 0u);
    EXPECT_TRUE(session->Connected());
    EXPECT_EQ(session->ChosenEntry(), 1);
    EXPECT_TRUE(session->Ready());
    EXPECT_EQ(std::string(device->DevicePath()), PathOf(1));
    EXPECT_EQ(Dialog(), nullptr);
}

TEST_F(MouseChoiceTest, CancelEndsTheProgram) {
    CScriptedModalRunner runner;
    runner.Answer(kModalCancel, [&] { Dialog()->List()->setCurrentIndex(1); });
    EXPECT_EQ(session->Connect(), 0);
    EXPECT_EQ(owner.changes.back(), SessionChange::EndProgram);
    EXPECT_FALSE(session->Connected());
    ASSERT_EQ(runner.requests.size(), 1u);
    EXPECT_EQ(runner.requests[0].kind, ModalKind::MouseChoice);
    // The last mouse lit goes dark.
    EXPECT_EQ(Lights().back(), (std::pair<int, Control>{1, {0x03, 0x03, 0x03}}));
}

TEST_F(MouseChoiceTest, UnattendedRunCancels) {
    EXPECT_EQ(ChooseMouse(*session, {u"2401: A", u"2401: B"}, nullptr), -1);
}

}  // namespace
}  // namespace vorlix::testing
