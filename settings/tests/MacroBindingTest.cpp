#include <gtest/gtest.h>

#include <algorithm>

#include "device/IcQT47.h"
#include "macro/tests/ProgramTestUtil.h"
#include "settings/MacroBinding.h"
#include "settings/tests/BindFixture.h"

namespace vorlix {
namespace {

using testing::Hex;
using testing::ToHex;

class MacroBindingTest : public testing::BindFixture {
protected:
    int Bind(int profile, int button, std::u16string_view name, uint8_t mode = 5, uint8_t count = 0) {
        CMacroBinding binding(*session, library, reporter);
        return binding.Bind(profile, button, name, mode, count);
    }
    // Nothing of a binding reached the mouse or the store.
    void ExpectUnbound(int profile, int button) {
        EXPECT_TRUE(set->Script(0, static_cast<unsigned>(button + 19 * profile)).empty());
        const int kFactoryKinds[] = {1, 1, 1, 1, 1, 9, 10, 255};
        EXPECT_EQ(SlotKind(0, profile, button), kFactoryKinds[button]);
        EXPECT_EQ(StoreText(store::ButtonMacroName(profile, button + 1)), "(none)");
        EXPECT_EQ(store.ReadDword(store::ButtonMacroMode(profile, button + 1)), -1);
    }
};

TEST_F(MacroBindingTest, ScriptSlotAndStoreValues) {
    StartLoaded();
    // 'A' press with 100 ms, release, then a "Copy" whose key bytes in the file are stale.
    PutMacro(files, "Burst.Mac", Hex("04 01 64 00 84 83 82 00 00 00 00"));
    transport->ClearCommands();
    ASSERT_EQ(Bind(1, 2, u"BURST", 4, 2), 1) << ::testing::PrintToString(Reports());

    // The mouse keeps a script only when its number was announced and its checksum is right.
    const std::vector<uint8_t> script = set->Script(0, 2 + 19 * 1);
    ASSERT_EQ(script.size(), 2048u);
    EXPECT_EQ(ToHex(script.data(), 6), "04 02 01 0B 00 00");
    EXPECT_EQ(std::count(script.begin() + 5, script.begin() + 48, 0), 43);
    EXPECT_EQ(ToHex(script.data() + 48, 12), "04 01 64 00 84 83 82 70 06 86 F0 00");
    EXPECT_EQ(std::count(script.begin() + 59, script.end(), 0), 2048 - 59);

    EXPECT_EQ(SlotKind(0, 1, 2), 6);
    EXPECT_FALSE(device->Cell(map::SlotAddress(1, 2)).changed);
    // The name as the file spells it, and the mode beside it.
    EXPECT_EQ(StoreText("PF1T3 Macro Name"), "Burst");
    EXPECT_EQ(store.ReadDword("PF1T3 Macro Mode"), 0x0204);
    // Announce, then the block select of the save and its apply.
    const auto controls = transport->Controls();
    ASSERT_GE(controls.size(), 3u);
    EXPECT_EQ(controls.front(), (std::array<uint8_t, 3>{0x0B, 21, 1}));
    EXPECT_EQ(controls[1], (std::array<uint8_t, 3>{0x0C, 1, 0}));
    EXPECT_EQ(controls.back(), (std::array<uint8_t, 3>{0x00, 0, 0}));
    const std::vector<uint32_t> sleeps = clock.Sleeps();
    EXPECT_NE(std::find(sleeps.begin(), sleeps.end(), CIcQT47::kScriptMs), sleeps.end());
    EXPECT_TRUE(reporter.reports.empty());

    // Binding again replaces the script; the slot is already a macro key.
    PutMacro(files, "Other.Mac", Hex("05 85"));
    ASSERT_EQ(Bind(1, 2, u"Other", 7, 0), 1);
    EXPECT_EQ(ToHex(set->Script(0, 21).data(), 7), "07 00 01 02 00 00 00");
    EXPECT_EQ(StoreText("PF1T3 Macro Name"), "Other");
    EXPECT_EQ(store.ReadDword("PF1T3 Macro Mode"), 7);
}

TEST_F(MacroBindingTest, RefusalsChangeNothing) {
    struct Case {
        const char* what;
        int profile, button;
        const char* name;
        std::vector<std::string> reports;
    };
    const Case cases[] = {
        {"missing file", 0, 3, "Nothing", {"#02:Nothing"}},
        {"new macro without a script", 0, 3, "Empty", {"#11: Empty"}},
        {"bad file", 0, 3, "Broken", {"#03:"}},
        {"name reaching outside",
         0,
         3,
         "../Burst",
         {"#02:../Burst (a macro name may not hold '/', '\\', '..' or control characters)"}},
        {"only left click", 0, 0, "Burst", {"#10:"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartLoaded();
        reporter.reports.clear();
        files.files.clear();
        PutMacro(files, "Burst.Mac", Hex("04 84"));
        files.files[std::string(kFolder) + "/Empty.Mac"] = {0x46, 0x22, 0xA1, 0, 0, 1, 1, 0, 0};
        files.files[std::string(kFolder) + "/Broken.Mac"] = {0x46, 0x23, 0xA1, 0, 0, 1, 1, 0, 0};
        EXPECT_EQ(Bind(c.profile, c.button, Utf8ToUtf16(c.name)), 0);
        EXPECT_EQ(Reports(), c.reports);
        ExpectUnbound(c.profile, c.button);
    }
    EXPECT_EQ(Bind(5, 0, u"Burst"), 0);
    EXPECT_EQ(Bind(0, 8, u"Burst"), 0);
}

TEST_F(MacroBindingTest, NeedsALoadedMouse) {
    Start();
    set->Unplug();
    PutMacro(files, "Burst.Mac", Hex("04 84"));
    session->Connect();
    EXPECT_EQ(Bind(0, 3, u"Burst"), 0);
    EXPECT_EQ(Reports(), std::vector<std::string>{"#01:"});

    // Connected, but the load broke off: a save would write cells never read.
    Start();
    transport->BreakDataAfter(2);
    session->Connect();
    ASSERT_TRUE(session->Connected());
    ASSERT_FALSE(session->Ready());
    reporter.reports.clear();
    transport->BreakDataAfter(-1);
    EXPECT_EQ(Bind(0, 3, u"Burst"), 0);
    EXPECT_EQ(Reports(), std::vector<std::string>{"#05:"});
    EXPECT_TRUE(set->Script(0, 3).empty());
}

TEST_F(MacroBindingTest, FailedScriptWriteLeavesSlotAndStore) {
    StartLoaded();
    PutMacro(files, "Burst.Mac", Hex("04 84"));
    transport->BreakDataAfter(0);
    EXPECT_EQ(Bind(0, 3, u"Burst"), 0);
    EXPECT_EQ(Reports(), std::vector<std::string>{"#08:"});
    transport->BreakDataAfter(-1);
    ExpectUnbound(0, 3);
    EXPECT_FALSE(device->Cell(map::SlotAddress(0, 3)).changed);
}

TEST_F(MacroBindingTest, AStoreThatCannotBeWrittenLeavesTheMouseUntouched) {
    StartLoaded();
    PutMacro(files, "Burst.Mac", Hex("04 84"));
    transport->ClearCommands();
    backend.SetPutFails(true);
    EXPECT_EQ(Bind(0, 3, u"Burst"), 0);
    backend.SetPutFails(false);
    ASSERT_EQ(Reports().size(), 1u);
    EXPECT_EQ(Reports()[0].rfind("#09: (", 0), 0u) << Reports()[0];
    EXPECT_TRUE(transport->Commands().empty());
    ExpectUnbound(0, 3);
}

}  // namespace
}  // namespace vorlix
