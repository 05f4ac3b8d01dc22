#include <gtest/gtest.h>

#include "shared/MemoryStoreBackend.h"
#include "shared/RegStore.h"
#include "shared/StoreNames.h"

namespace vorlix {
namespace {

class RegStoreTest : public ::testing::Test {
protected:
    CMemoryStoreBackend backend;
    CRegStore store{backend};
};

TEST_F(RegStoreTest, ReadDwordOnFreshAccountCreatesKeyAndValueZero) {
    EXPECT_EQ(store.Open(), 0);
    EXPECT_EQ(store.ReadDword(store::kProcessHandle), 0);
    EXPECT_TRUE(backend.KeyExists());
    EXPECT_FALSE(backend.IsOpen());
    // The side effect left a real DWORD 0 behind, and only that value.
    std::vector<std::pair<std::string, StoreValue>> values;
    ASSERT_EQ(backend.Open(), StoreStatus::Ok);
    ASSERT_EQ(backend.List(values), StoreStatus::Ok);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].first, store::kProcessHandle);
    EXPECT_EQ(values[0].second.type, StoreValueType::Dword);
    EXPECT_EQ(values[0].second.bytes, (std::vector<uint8_t>{0, 0, 0, 0}));
}

TEST_F(RegStoreTest, FreshAccountReadNeverReplacesAValueAnotherProcessJustWrote) {
    // Another start creates the key and publishes its handle between this read's two steps.
    backend.SetAfterCreate([this] {
        ASSERT_EQ(backend.Open(), StoreStatus::Ok);
        ASSERT_EQ(
            backend.Put(store::kProcessHandle, StoreValue{StoreValueType::Dword, {0x44, 0x33, 0x22, 0x11}}),
            StoreStatus::Ok);
        backend.Close();
    });
    EXPECT_EQ(store.ReadDword(store::kProcessHandle), 0x11223344);
    EXPECT_EQ(store.ReadDword(store::kProcessHandle), 0x11223344);
}

TEST_F(RegStoreTest, ReadDwordOnFreshAccountThatCannotBeCreatedGivesZero) {
    backend.SetCreateFails(true);
    EXPECT_EQ(store.ReadDword("X"), 0);
    EXPECT_FALSE(backend.KeyExists());
}

TEST_F(RegStoreTest, DwordRoundTripsSignedAndNamesIgnoreCase) {
    ASSERT_EQ(store.WriteDword("Current Dialog", 0xFFFFFFFFu), 1);
    EXPECT_EQ(store.ReadDword("current dialog"), -1);
    ASSERT_EQ(store.WriteDword("Process Handle", 0x12345678u), 1);
    EXPECT_EQ(store.ReadDword("Process Handle"), 0x12345678);
    EXPECT_EQ(store.ReadDword("Missing"), -1);
    EXPECT_FALSE(backend.IsOpen());
}

TEST_F(RegStoreTest, TextReadAsDwordDependsOnItsByteLength) {
    ASSERT_EQ(store.WriteText("Long", u"abc"), 1);  // 6 bytes: longer than a DWORD
    EXPECT_EQ(store.ReadDword("Long"), -1);
    ASSERT_EQ(store.WriteText("Short", u"ab"), 1);  // 4 bytes: read as the DWORD they spell
    EXPECT_EQ(store.ReadDword("Short"), 0x00620061);
}

TEST_F(RegStoreTest, WriteDwordReportsAFailedWrite) {
    backend.SetKeyExists(true);
    backend.SetPutFails(true);
    EXPECT_EQ(store.WriteDword("X", 1), 0);
    EXPECT_NE(store.LastError(), 0);
    backend.SetCreateFails(true);
    backend.SetKeyExists(false);
    EXPECT_EQ(store.WriteDword("X", 1), 0);
}

TEST_F(RegStoreTest, TextRoundTripsWithoutTerminator) {
    const std::u16string text = u"C:\\Programme\\Zähler ✓";
    ASSERT_EQ(store.WriteText("Path", text), 1);
    StoreValue raw;
    ASSERT_EQ(backend.Open(), StoreStatus::Ok);
    ASSERT_EQ(backend.Get("Path", raw), StoreStatus::Ok);
    backend.Close();
    EXPECT_EQ(raw.type, StoreValueType::Text);
    EXPECT_EQ(raw.bytes.size(), text.size() * 2);
    std::u16string back;
    ASSERT_EQ(store.ReadText("Path", back), 1);
    EXPECT_EQ(back, text);
}

TEST_F(RegStoreTest, TextLimitsProtectEveryReader) {
    const std::u16string longest(CRegStore::kMaxTextLength, u'x');
    EXPECT_EQ(store.WriteText("T", longest), 1);
    EXPECT_EQ(store.WriteText("T", longest + u"y"), 0);
    std::u16string back;
    ASSERT_EQ(store.ReadText("T", back), 1);
    EXPECT_EQ(back, longest);

    // A value someone else wrote: too long, and with an odd trailing byte.
    ASSERT_EQ(backend.Open(), StoreStatus::Ok);
    StoreValue odd{StoreValueType::Text, std::vector<uint8_t>(2 * 1030 + 1, 'a')};
    ASSERT_EQ(backend.Put("Odd", odd), StoreStatus::Ok);
    StoreValue three{StoreValueType::Text, {'h', 0, 'i', 0, 'x'}};
    ASSERT_EQ(backend.Put("Three", three), StoreStatus::Ok);
    backend.Close();
    ASSERT_EQ(store.ReadText("Odd", back), 1);
    EXPECT_EQ(back.size(), CRegStore::kMaxTextLength);
    ASSERT_EQ(store.ReadText("Three", back), 1);
    EXPECT_EQ(back, u"hi");
}

TEST_F(RegStoreTest, ReadTextAndDeleteNeverCreateTheKey) {
    std::u16string text;
    EXPECT_EQ(store.ReadText("Path", text), 0);
    EXPECT_EQ(store.DeleteValue("Path"), 0);
    EXPECT_FALSE(backend.KeyExists());
    ASSERT_EQ(store.WriteDword("A", 5), 1);
    EXPECT_EQ(store.DeleteValue("a"), 1);
    EXPECT_EQ(store.DeleteValue("A"), 0);
    EXPECT_EQ(store.ReadDword("A"), -1);
}

TEST_F(RegStoreTest, RemoveValueFailsOnlyWhenTheStoreCannotBeUsed) {
    EXPECT_EQ(store.RemoveValue("Path"), 1);  // no store yet: nothing to remove
    EXPECT_FALSE(backend.KeyExists());
    ASSERT_EQ(store.WriteText("Path", u"x"), 1);
    EXPECT_EQ(store.RemoveValue("PATH"), 1);
    EXPECT_EQ(store.RemoveValue("Path"), 1);
    std::u16string text;
    EXPECT_EQ(store.ReadText("Path", text), 0);
    backend.SetCorrupt(true);
    EXPECT_EQ(store.RemoveValue("Path"), 0);
}

TEST_F(RegStoreTest, CorruptStoreFailsWithoutWritingAnything) {
    ASSERT_EQ(store.WriteDword("Kept", 7), 1);
    backend.SetCorrupt(true);
    std::u16string text;
    EXPECT_EQ(store.ReadDword("Kept"), -1);
    EXPECT_EQ(store.ReadDword("New"), -1);
    EXPECT_EQ(store.WriteDword("Kept", 9), 0);
    EXPECT_EQ(store.WriteText("T", u"x"), 0);
    EXPECT_EQ(store.ReadText("T", text), 0);
    EXPECT_EQ(store.DeleteValue("Kept"), 0);
    backend.SetCorrupt(false);
    EXPECT_EQ(store.ReadDword("Kept"), 7);
    EXPECT_EQ(store.ReadDword("New"), -1);
}

TEST_F(RegStoreTest, LastStatusTellsAMissingValueFromAFailedStore) {
    ASSERT_EQ(store.WriteDword("Kept", 7), 1);
    ASSERT_EQ(store.WriteText("Long", u"abc"), 1);
    struct Case {
        const char* name;
        bool corrupt;
        int32_t read;
        StoreStatus status;
    };
    for (const Case c :
         {Case{"Kept", false, 7, StoreStatus::Ok}, Case{"Absent", false, -1, StoreStatus::NotFound},
          Case{"Long", false, -1, StoreStatus::NotFound}, Case{"Kept", true, -1, StoreStatus::Failed},
          Case{"Absent", true, -1, StoreStatus::Failed}}) {
        backend.SetCorrupt(c.corrupt);
        EXPECT_EQ(store.ReadDword(c.name), c.read) << c.name << " corrupt " << c.corrupt;
        EXPECT_EQ(store.LastStatus(), c.status) << c.name << " corrupt " << c.corrupt;
    }
}

TEST(StoreNamesTest, NamesCarryProfileAndSlot) {
    EXPECT_EQ(store::MotionSpeed(1), "PF1 Motion Speed");
    EXPECT_EQ(store::DoubleClickSpeed(5), "PF5 Double-Click_speed");
    EXPECT_EQ(store::WheelScrollLines(3), "PF3 Wheel Scroll Lines");
    EXPECT_EQ(store::ButtonProgram(0, 1), "PF0T1 AP");
    EXPECT_EQ(store::ButtonProgramName(4, 9), "PF4T9 AP Name");
    EXPECT_EQ(store::ButtonMacroName(2, 3), "PF2T3 Macro Name");
    EXPECT_EQ(store::ButtonMacroMode(2, 3), "PF2T3 Macro Mode");
    EXPECT_FALSE(store::IsWindowHandle(0));
    EXPECT_FALSE(store::IsWindowHandle(-1));
    EXPECT_TRUE(store::IsWindowHandle(42));
}

}  // namespace
}  // namespace vorlix
