#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "LangTestFiles.h"
#include "lang/LangFileCheck.h"
#include "lang/LangFileWriter.h"

namespace vorlix {
namespace {

using testing::TranslatedLines;

std::vector<uint8_t> ReadShipped(const std::string& name) {
    std::ifstream in(std::string(VORLIX_SOURCE_DIR) + "/resources/Languages/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<int> LinesWithErrors(const CLangFileCheck::SResult& result) {
    std::vector<int> lines;
    for (const auto& problem : result.problems) {
        if (problem.severity == CLangFileCheck::ESeverity::Error) {
            lines.push_back(problem.line);
        }
    }
    return lines;
}

TEST(LangFileCheckTest, ShippedFilesPassWithoutRemarks) {
    for (const char* name : {"German.txt", "English.txt"}) {
        const auto bytes = ReadShipped(name);
        ASSERT_FALSE(bytes.empty()) << name;
        const auto result = CLangFileCheck::Check(bytes, name);
        EXPECT_TRUE(result.problems.empty())
            << name << ": " << result.problems.front().line << " " << result.problems.front().text;
        EXPECT_EQ(result.lineCount, 154);
        EXPECT_TRUE(result.configAccepted);
        EXPECT_TRUE(result.monitorAccepted);
    }
    EXPECT_TRUE(CLangFileCheck::Check(ReadShipped("English.txt"), "English.txt").monitorNeverReads);
}

TEST(LangFileCheckTest, ExplainsEachDamageByLine) {
    struct SCase {
        const char* what;
        void (*damage)(std::vector<std::u16string>&);
        std::vector<int> errorLines;
        bool config;
        bool monitor;
    } const cases[] = {
        {"wrong-case name line", [](auto& l) { l[147] = u"german.txt"; }, {148}, false, true},
        {"other monitor name", [](auto& l) { l[153] = u"Deutsch.txt"; }, {154}, true, false},
        {"150 lines", [](auto& l) { l.resize(150); }, {150}, true, false},
        {"line ended by LF alone",
         [](auto& l) {
             l[40] += u"\n" + l[41];
             l.erase(l.begin() + 41);
         },
         {148, 153},
         false,
         false},
        {"overlong line", [](auto& l) { l[60] = std::u16string(1100, u'x'); }, {61}, false, true},
    };
    for (const SCase& c : cases) {
        auto lines = TranslatedLines("German.txt");
        c.damage(lines);
        const auto result = CLangFileCheck::Check(CLangFileWriter::Encode(lines), "German.txt");
        EXPECT_EQ(LinesWithErrors(result), c.errorLines) << c.what;
        EXPECT_EQ(result.configAccepted, c.config) << c.what;
        EXPECT_EQ(result.monitorAccepted, c.monitor) << c.what;
    }
}

TEST(LangFileCheckTest, WarnsAboutCutTextsAndOddNumbers) {
    auto lines = TranslatedLines("German.txt");
    lines[5] = u"twenty";                   // font 1 height
    lines[7] = u"5000";                     // font 1 weight
    lines[87] = std::u16string(90, u'm');   // message 0, capacity 80
    lines[150] = std::u16string(64, u't');  // tray text 2, capacity 64
    const auto result = CLangFileCheck::Check(CLangFileWriter::Encode(lines), "German.txt");
    EXPECT_TRUE(result.configAccepted);
    EXPECT_TRUE(result.monitorAccepted);
    ASSERT_EQ(result.problems.size(), 4u);
    EXPECT_EQ(result.problems[0].line, 6);
    EXPECT_EQ(result.problems[0].text, "\"twenty\" is not a whole number; read as 0");
    EXPECT_EQ(result.problems[1].text, "5000 is out of range; used as 1000");
    EXPECT_EQ(result.problems[2].text, "90 characters; only the first 79 are shown");
    EXPECT_EQ(result.problems[3].line, 151);
    for (const auto& problem : result.problems) {
        EXPECT_EQ(problem.severity, CLangFileCheck::ESeverity::Warning);
    }
}

TEST(LangFileCheckTest, ExplainsWrongEncodings) {
    const struct {
        std::vector<uint8_t> bytes;
        const char* says;
    } cases[] = {
        {{0xEF, 0xBB, 0xBF, 'a'}, "UTF-8"},
        {{0xFE, 0xFF, 0, 'a'}, "big-endian"},
        {{'a', 0, '\r', 0}, "byte-order mark"},
        {{}, "byte-order mark"},
    };
    for (const auto& c : cases) {
        const auto result = CLangFileCheck::Check(c.bytes, "German.txt");
        ASSERT_EQ(result.problems.size(), 1u) << c.says;
        EXPECT_EQ(result.problems[0].line, 1);
        EXPECT_NE(result.problems[0].text.find(c.says), std::string::npos) << result.problems[0].text;
        EXPECT_FALSE(result.configAccepted);
        EXPECT_FALSE(result.monitorAccepted);
    }
}

TEST(LangFileCheckTest, DescribesLinesByTheirTable) {
    EXPECT_EQ(CLangFileCheck::DescribeLine(1), "font 0 name");
    EXPECT_EQ(CLangFileCheck::DescribeLine(28), "font 6 weight");
    EXPECT_EQ(CLangFileCheck::DescribeLine(29), "language number");
    EXPECT_EQ(CLangFileCheck::DescribeLine(30), "UI text 0");
    EXPECT_EQ(CLangFileCheck::DescribeLine(88), "message 0");
    EXPECT_EQ(CLangFileCheck::DescribeLine(109), "message caption");
    EXPECT_EQ(CLangFileCheck::DescribeLine(145), "command list title");
    EXPECT_EQ(CLangFileCheck::DescribeLine(147), "LED mode text 1");
    EXPECT_EQ(CLangFileCheck::DescribeLine(148), "name line");
    EXPECT_EQ(CLangFileCheck::DescribeLine(153), "tray text 4");
    EXPECT_EQ(CLangFileCheck::DescribeLine(155), "ignored line");
}

}  // namespace
}  // namespace vorlix
