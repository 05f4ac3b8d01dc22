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
    // Profile 3, button 5 runs a macro of 40 bytes: its slot in the block is a macro key.
    snapshot.blocks[2][54 + 5 * 4] = 6;
    snapshot.buttons[2][4].macroName = u"Burst";
    SSettingsSnapshot::SMacro macro;
    macro.runMode = 4;
    macro.repeatCount = 255;
    for (int i = 0; i < 40; ++i) {
        macro.code.push_back(static_cast<uint8_t>(i * 7));
    }
    snapshot.buttons[2][4].macro = macro;
    return snapshot;
}

// The file without the lines that hold part.
std::string Without(const std::string& text, const std::string& part) {
    std::string out;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end - start + 1);
        if (line.find(part) == std::string::npos) {
            out += line;
        }
        start = end + 1;
    }
    return out;
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
    ASSERT_TRUE(read.buttons[2][4].macro.has_value());
    EXPECT_EQ(read.buttons[2][4].macroName, u"Burst");
    EXPECT_EQ(read.buttons[2][4].macro->runMode, 4);
    EXPECT_EQ(read.buttons[2][4].macro->repeatCount, 255);
    EXPECT_EQ(read.buttons[2][4].macro->code, sample.buttons[2][4].macro->code);
    EXPECT_FALSE(read.buttons[4][7].macro.has_value());
    EXPECT_NE(text.find("button 5 macro-run 4 255\nbutton 5 macro-code 000 00 07 0e"), std::string::npos);
    EXPECT_NE(text.find("button 5 macro-code 020 e0 e7 ee f5 fc 03 0a 11\n"), std::string::npos);
    // Windows line ends from a checkout are accepted too.
    std::string crlf;
    for (char c : text) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    EXPECT_EQ(CSettingsFile::Parse(crlf, read, error), 1) << error;
    // So is a byte-order mark before the first line.
    EXPECT_EQ(CSettingsFile::Parse("\xEF\xBB\xBF" + text, read, error), 1) << error;
    EXPECT_EQ(read.version, 2);
    EXPECT_EQ(read.profileLines[0], 6);
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
        {Replace(good, "vorlix-settings 2", "vorlix-settings 3"),
         "line 2: settings file version 3 is not supported"},
        // Macros: the run line first, the code in whole rows from 000, a name, a macro key.
        {Without(good, "macro-run"), "macro-code comes before its macro-run line"},
        {Replace(good, "macro-code 010", "macro-code 020"), "expected \"button 5 macro-code 010\""},
        {Replace(good, "macro-run 4 255", "macro-run 4 256"), "macro-run MODE REPEAT"},
        {Replace(good, "macro-run 4 255", "macro-run 4 255\nbutton 5 macro-run 4 255"), "given twice"},
        {Without(good, "\"Burst\""), "profile 3 button 5 has a macro without its macro-name"},
        {Replace(Without(good, "macro-code 020"), "macro-code 010 70", "macro-code 010 7"), "not a byte"},
        // A version 1 file knows no macros.
        {Replace(good, "vorlix-settings 2", "vorlix-settings 1"), "expected \"button 1..8 program"},
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
        {Replace(good, "macro-run 4 255", "macro-run 6 255"), "macro-run mode 6 is not one of 1, 4, 5 and 7"},
        {Replace(good, "program \"/usr/bin/my editor\"", "program \"/usr/bin/caf\xe9\""),
         "program: the text is not valid UTF-8"},
        {Replace(good, "program-name \"my editor\"", "program-name \"\xff\xfe\""), "not valid UTF-8"},
        // An editor that writes old Macintosh line ends: one long line with carriage returns in it.
        {Replace(good, "\nfamily", "\rfamily"), "line 2: a line ends in a bare carriage return"},
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

    // A macro on a button the block does not make a macro key; code beyond the budget.
    SSettingsSnapshot sample = Sample();
    sample.blocks[2][54 + 5 * 4] = 1;
    EXPECT_EQ(CSettingsFile::Parse(CSettingsFile::Format(sample), read, error), 0);
    EXPECT_NE(error.find("profile 3 button 5 has a macro, but its block does not make it a MACRO KEY"),
              std::string::npos)
        << error;
    sample = Sample();
    sample.buttons[2][4].macro->code.assign(2001, 0x04);
    EXPECT_EQ(CSettingsFile::Parse(CSettingsFile::Format(sample), read, error), 0);
    EXPECT_NE(error.find("at most 2000 bytes"), std::string::npos) << error;
    sample.buttons[2][4].macro->code.resize(2000);
    EXPECT_EQ(CSettingsFile::Parse(CSettingsFile::Format(sample), read, error), 1) << error;
}

TEST(SettingsFileTest, VersionOneFilesStillImport) {
    SSettingsSnapshot sample = Sample();
    sample.buttons[2][4].macro.reset();
    const std::string text = CSettingsFile::Format(sample);
    SSettingsSnapshot read;
    std::string error;
    ASSERT_EQ(CSettingsFile::Parse(Replace(text, "vorlix-settings 2", "vorlix-settings 1"), read, error), 1)
        << error;
    EXPECT_EQ(read.blocks, sample.blocks);
    EXPECT_EQ(read.buttons[2][4].macroName, u"Burst");
    EXPECT_FALSE(read.buttons[2][4].macro.has_value());
}

}  // namespace
}  // namespace vorlix
