#include <gtest/gtest.h>

#include <vector>

#include "virtualmouse/FactoryMemory.h"
#include "virtualmouse/VirtualMouseSet.h"

namespace vorlix {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(FactoryMemory, HoldsTheDefaultsOfTheSettingsMap) {
    const auto memory = FactoryMemory(0x2401);
    EXPECT_EQ(memory[25], 0x50);
    EXPECT_EQ(memory[1], 0);
    EXPECT_EQ(memory[4030], 0x46);
    EXPECT_EQ(memory[4031], 0x22);
    EXPECT_EQ(memory[0], 0);  // macro-slot entries
    EXPECT_EQ(memory[255], 0);
    EXPECT_EQ((Bytes{memory[256], memory[257], memory[258]}), (Bytes{0x01, 0x26, 0x42}));
    EXPECT_EQ((Bytes{memory[770], memory[771], memory[772]}), (Bytes{0x42, 4, 4}));  // profile 2
    EXPECT_EQ(memory[513], 0x2B);                                                    // profile 1 lift-off
    EXPECT_EQ((Bytes{memory[1024 + 39], memory[1024 + 40], memory[1024 + 41]}), (Bytes{0x00, 0xFF, 0xFF}));
    EXPECT_EQ((Bytes{memory[1280 + 51], memory[1280 + 52], memory[1280 + 53]}), (Bytes{0x00, 0x00, 0xFF}));
    EXPECT_EQ((Bytes{memory[256 + 54], memory[256 + 55]}), (Bytes{1, 1}));    // button 0: left
    EXPECT_EQ((Bytes{memory[256 + 144], memory[256 + 145]}), (Bytes{0, 1}));  // slot 18
    EXPECT_EQ(memory[256 + 149], 0);
    // Another family's variant gives other sensitivity defaults, and its own signature.
    const auto other = FactoryMemory(0x2301);
    EXPECT_EQ((Bytes{other[256 + 3], other[256 + 8], other[256 + 13], other[256 + 18]}),
              (Bytes{9, 18, 36, 56}));
    EXPECT_EQ(other[4031], 0x23);
}

TEST(VirtualMouse, AnswersBusyBeforeEachAnswerAndIgnoresUnselectedBlocks) {
    CVirtualMouse mouse(0x2401, 9, 2);
    const uint8_t read[9] = {0, 0xDF, 0x19, 0x00};
    mouse.Command(read, 9);
    EXPECT_EQ(mouse.Answer()[1], 0xB1);
    EXPECT_EQ(mouse.Answer()[1], 0xB1);
    const auto answer = mouse.Answer();
    EXPECT_EQ((Bytes{answer.begin(), answer.begin() + 6}), (Bytes{0, 0xB0, 0xC0, 0x19, 0x00, 0x50}));

    std::vector<std::string> log;
    mouse.log = [&](const std::string& line) { log.push_back(line); };
    Bytes block(154, 0);
    block[0] = 5;
    block[2] = 3;  // block 0 is selected
    mouse.DataReport(block.data(), block.size());
    EXPECT_EQ(mouse.Peek(1024), 0x01);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].find("ignored block report 3"), std::string::npos);
}

TEST(VirtualMouseSet, DeliversEventReportsAndSideButtons) {
    CVirtualMouseSet mice({});
    uint8_t report[16] = {};
    size_t received = 0;
    EXPECT_EQ(mice.ReadInput("virtual/mouse0/if1", report, 16, received, 0), HidStatus::TimedOut);
    ASSERT_TRUE(mice.Event(0, 0xA2, 0x0B, 0, 0));
    ASSERT_EQ(mice.ReadInput("virtual/mouse0/if1", report, 16, received, 0), HidStatus::Ok);
    EXPECT_EQ((Bytes{report, report + received}), (Bytes{3, 0xA2, 0x0B, 0, 0, 0, 0, 0}));
    ASSERT_TRUE(mice.Button(0, 4));
    ASSERT_EQ(mice.ReadInput("virtual/mouse0/if0", report, 16, received, 0), HidStatus::Ok);
    EXPECT_EQ(report[0], 0x08);
    ASSERT_EQ(mice.ReadInput("virtual/mouse0/if0", report, 16, received, 0), HidStatus::Ok);
    EXPECT_EQ(report[0], 0x00);
    EXPECT_FALSE(mice.Button(0, 3));
    EXPECT_FALSE(mice.Event(1, 0xA2, 0, 0, 0));
    mice.Unplug();
    EXPECT_EQ(mice.ReadInput("virtual/mouse0/if1", report, 16, received, 0), HidStatus::NotFound);
    EXPECT_TRUE(mice.Interfaces().empty());
}

}  // namespace
}  // namespace vorlix
