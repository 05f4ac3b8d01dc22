#include <gtest/gtest.h>

#include "ui/dialogs/MessageShow.h"
#include "ui/dialogs/core/SkinPages.h"
#include "ui/dialogs/tests/DialogTestSupport.h"

namespace vorlix::testing {
namespace {

class MessageShowTest : public ::testing::Test, protected SDialogParts {};

TEST_F(MessageShowTest, SystemBoxUntilTheSkinnedDialogHasRun) {
    CScriptedModalRunner runner;
    runner.Answer(kModalOk).Answer(kModalOk).Answer(kModalOk);
    ShowMessage(&dlg, texts, 1, {});
    dlg.page = page::kResetProfile;
    dlg.DoModal();
    ShowMessage(&dlg, texts, 1, {});
    ASSERT_EQ(runner.requests.size(), 3u);
    EXPECT_EQ(runner.requests[0].page, 0);
    EXPECT_EQ(runner.requests[0].kind, ModalKind::Information);
    EXPECT_EQ(runner.requests[0].what, "Qz vIVEDUD VORLIX DAZE MESSAGE: No Gamer Mouse Connected!");
    EXPECT_EQ(runner.requests[2].page, page::kWarning);
    EXPECT_EQ(dlg.text, u"No Gamer Mouse Connected!");
}

TEST_F(MessageShowTest, LongTextsMessagesWhileTheDialogIsOpenAndUnknownNumbers) {
    dlg.page = page::kResetProfile;
    dlg.Prepare();
    CScriptedModalRunner runner;
    // 39 characters fit the page, 40 do not.
    const std::u16string base(texts.Text(ETextTable::Message, 14));
    ShowMessage(&dlg, texts, 14, std::u16string(39 - base.size(), u'x'));
    ShowMessage(&dlg, texts, 14, std::u16string(40 - base.size(), u'x'));
    ShowMessage(&dlg, texts, 20, u"never");
    ShowMessage(nullptr, texts, 14, {});
    ASSERT_EQ(runner.requests.size(), 3u);
    EXPECT_EQ(runner.requests[0].page, page::kWarning);
    EXPECT_EQ(runner.requests[1].page, 0);
    EXPECT_EQ(runner.requests[2].page, 0);

    // A message while the dialog is open goes to the system box and leaves the open page alone.
    runner.requests.clear();
    dlg.page = page::kQuestion;
    dlg.text = u"Clear macro definitions?";
    runner.Answer(kModalOk, [&] { ShowMessage(&dlg, texts, 14, {}); }).Answer(kModalOk);
    EXPECT_EQ(dlg.DoModal(), kModalOk);
    ASSERT_EQ(runner.requests.size(), 2u);
    EXPECT_EQ(runner.requests[1].page, 0);
    EXPECT_EQ(dlg.page, page::kQuestion);
    EXPECT_EQ(dlg.text, u"Clear macro definitions?");
}

}  // namespace
}  // namespace vorlix::testing
