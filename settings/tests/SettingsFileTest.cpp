#include <gtest/gtest.h>

#include "settings/FactoryDefaults.h"
#include "settings/SettingsFile.h"

namespace vorlix {
namespace {

SSettingsSnapshot Sample() {
    SSettingsSnapshot snapshot;
    snapshot.family = 0x2401;
    snapshot.profileByte = 0x52;
    const CFactoryDefaults defaults;
    for (int p = 0; p < 5; ++p) {
        snapshot.blocks[p] = defaults.Block(p);
        snapshot.blocks[p][148] = static_cast<uint8_t>(0xF0 + p);
    }
    snapshot.buttons[1][2].program = u"/usr/bin/my editor";
    snapshot.buttons[1][2].programName = u"my editor";
    snapshot.buttons[4][7].macroName = u"Quote \" back\\slash \u00e9";
    return snapshot;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(SettingsFileTest, RoundTripKeepsEveryByteAndText) {
    const SSettingsSnapshot sample = Sample();
    const std::string text = CSettingsFile::Format(sample, {"report rate 1000 Hz"});
    EXPECT_NE(text.find("# report rate 1000 Hz"), std::string::npos);
    SSettingsSnapshot read;
    std::string error;
    ASSERT_EQ(CSettingsFile::Parse(text, read, error), 1) << error;
    EXPECT_EQ(read.family, sample.family);
    EXPECT_EQ(read.profileByte, sample.profileByte);
    EXPECT_EQ(read.blocks, sample.blocks);
    EXPECT_EQ(read.buttons[1][2].program, sample.buttons[1][2].program);
    EXPECT_EQ(read.buttons[1][2].programName, sample.buttons[1][2].programName);
    EXPECT_EQ(read.buttons[4][7].macroName, sample.buttons[4][7].macroName);
    EXPECT_FALSE(read.buttons[0][0].program.has_value());
    // Windows line ends from a checkout are accepted too.
    std::string crlf;
    for (char c : text) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    EXPECT_EQ(CSettingsFile::Parse(crlf, read, error), 1) << error;
}

TEST(SettingsFileTest, FaultsAreRefusedNamingTheLine) {
    const std::string good = CSettingsFile::Format(Sample());
    // Lines: 1 note, 2 magic, 3 family, 4 profile byte, 5 empty, 6 "profile 1", 7.. block rows.
    struct Case {
        std::string text;
        std::string error;
    };
    const Case cases[] = {
        {"P1\n" + good, "line 1: not a Vorlix Daze settings file"},
        {Replace(good, "vorlix-settings 1", "vorlix-settings 2"),
         "line 2: settings file version 2 is not supported"},
        {Replace(good, "profile-byte 0x52", "profile-byte 0x00"), "line 4: profile byte 0x00 is not usable"},
        {Replace(good, "profile-byte 0x52", "profile-byte 0x55"), "line 4: profile byte 0x55"},
        {Replace(good, "block 010 ff", "block 010 zz"), "line 8: \"zz\" is not a byte"},
        {Replace(good, "block 010 ", "block 020 "), "line 8: expected \"block 010\""},
        {Replace(good, "\nprofile 3\n", "\nprofile 4\n"), "expected \"profile 3\""},
        {good.substr(0, good.find("\nprofile 3\n") + 1), "the file ends early"},
        {good.substr(0, good.rfind("end")), "the file ends early"},
        {Replace(good, "program \"/usr", "program \"/usr\" x"), "line"},
        {Replace(good, "program \"/usr", "colour \"/usr"), "unknown button value \"colour\""},
        {good + "profile 6\n", "nothing may follow"},
    };
    for (const Case& c : cases) {
        SSettingsSnapshot read;
        std::string error;
        EXPECT_EQ(CSettingsFile::Parse(c.text, read, error), 0) << c.error;
        EXPECT_NE(error.find(c.error), std::string::npos) << error << " / wanted: " << c.error;
        EXPECT_EQ(error.rfind("line ", 0), 0u) << error;
    }
    // A block row with a byte missing names the row.
    std::string shortRow = good;
    const size_t row = shortRow.find("block 090");
    shortRow.erase(shortRow.find('\n', row) - 3, 3);
    SSettingsSnapshot read;
    std::string error;
    EXPECT_EQ(CSettingsFile::Parse(shortRow, read, error), 0);
    EXPECT_NE(error.find("must hold 5 bytes"), std::string::npos) << error;
}

}  // namespace
}  // namespace vorlix
