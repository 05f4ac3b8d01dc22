#include <gtest/gtest.h>

#include "LangTestFiles.h"
#include "lang/LangFileLoader.h"
#include "lang/LangLineReader.h"
#include "lang/MemoryLangFileSystem.h"
#include "shared/Utf16.h"

namespace vorlix {
namespace {

using testing::TranslatedFile;
using testing::TranslatedLines;

std::vector<uint8_t> Utf16Bytes(std::u16string_view text, bool mark = true) {
    std::vector<uint8_t> bytes;
    if (mark) {
        bytes = {0xFF, 0xFE};
    }
    for (char16_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    return bytes;
}

std::vector<std::u16string> ReadAll(const std::vector<uint8_t>& bytes, size_t chunk) {
    CMemoryLangFileSystem files;
    files.Add("f", bytes);
    auto file = files.Open("f");
    CLangLineReader reader(*file, chunk);
    std::vector<std::u16string> lines;
    if (!reader.ReadByteOrderMark()) {
        return {u"<no mark>"};
    }
    std::u16string line;
    while (reader.ReadLine(line)) {
        lines.push_back(line);
    }
    return lines;
}

TEST(LangLineReaderTest, SplitsLinesAsBothProgramsDo) {
    const std::u16string longest(1022, u'a');
    const std::u16string tooLong(1030, u'b');
    struct SCase {
        const char* what;
        std::vector<uint8_t> bytes;
        size_t chunk;
        std::vector<std::u16string> lines;
    } const cases[] = {
        {"plain lines", Utf16Bytes(u"one\r\ntwo\r\n"), 2048, {u"one", u"two"}},
        {"empty lines", Utf16Bytes(u"\r\n\r\nx\r\n"), 2048, {u"", u"", u"x"}},
        {"last line without CR LF loses its last character",
         Utf16Bytes(u"one\r\nlast"),
         2048,
         {u"one", u"las"}},
        {"lone LF stays in the line", Utf16Bytes(u"a\nb\r\n"), 2048, {u"a\nb"}},
        {"1022 characters fit the chunk", Utf16Bytes(longest + u"\r\nz\r\n"), 2048, {longest, u"z"}},
        {"an overlong line is read as two",
         Utf16Bytes(tooLong + u"\r\n"),
         2048,
         {std::u16string(1023, u'b'), std::u16string(5, u'b')}},
        {"the monitor's chunk holds it", Utf16Bytes(tooLong + u"\r\n"), 32768, {tooLong}},
        {"a lone trailing byte is the end", {0xFF, 0xFE, 'x', 0, '\r', 0, '\n', 0, 'y'}, 2048, {u"x"}},
        {"UTF-8 has no mark", {0xEF, 0xBB, 0xBF, 'a', '\r', '\n'}, 2048, {u"<no mark>"}},
        {"big-endian has no mark", {0xFE, 0xFF, 0, 'a', 0, '\r', 0, '\n'}, 2048, {u"<no mark>"}},
        {"empty file", {}, 2048, {u"<no mark>"}},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(ReadAll(c.bytes, c.chunk), c.lines) << c.what;
    }
}

TEST(LangFileLoaderTest, ParsesIntegersLikeTheCLibrary) {
    struct SCase {
        std::u16string_view text;
        int value;
    } const cases[] = {
        {u"500", 500},
        {u"-12", -12},
        {u"+7", 7},
        {u"  42", 42},
        {u"12px", 12},
        {u"abc", 0},
        {u"", 0},
        {u"- 5", 0},
        {u"0x20", 0},
        {u"99999999999", 2147483647},
        {u"-99999999999", -2147483647 - 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CLangFileLoader::ParseInteger(c.text), c.value) << Utf16ToUtf8(c.text);
    }
}

class LangFileLoaderFileTest : public ::testing::Test {
protected:
    int LoadConfig(const std::vector<uint8_t>& bytes, const std::string& name = "German.txt") {
        m_files.Add(name, bytes);
        return CLangFileLoader::LoadConfigTables(*m_files.Open(name), name, m_tables);
    }
    int LoadTray(const std::vector<uint8_t>& bytes, const std::string& name = "German.txt") {
        m_files.Add(name, bytes);
        return CLangFileLoader::LoadTrayTexts(*m_files.Open(name), name, m_tables);
    }

    CMemoryLangFileSystem m_files;
    CTextTables m_tables;
};

TEST_F(LangFileLoaderFileTest, AValidFileReplacesEveryTable) {
    ASSERT_EQ(LoadConfig(TranslatedFile("German.txt")), 1);
    CTextTables expected = testing::TranslatedTables(u"DE");
    expected.ResetTrayTexts();  // the monitor's business
    EXPECT_EQ(m_tables, expected);
    ASSERT_EQ(LoadTray(TranslatedFile("German.txt")), 1);
    EXPECT_EQ(m_tables.Text(ETextTable::Tray, 3), u"DE tray 3");
}

TEST_F(LangFileLoaderFileTest, MessageZeroIsLine88) {
    auto lines = TranslatedLines("German.txt");
    lines[87] = u"ZU VIELE INSTANZEN!";
    ASSERT_EQ(LoadConfig(CLangFileWriter::Encode(lines)), 1);
    EXPECT_EQ(m_tables.Text(ETextTable::Message, 0), u"ZU VIELE INSTANZEN!");
}

TEST_F(LangFileLoaderFileTest, FontLinesAreParsedAndClamped) {
    auto lines = TranslatedLines("German.txt");
    lines[4] = u"Liberation Sans";  // font 1
    lines[5] = u"-30000";
    lines[6] = u"wide";
    lines[7] = u"650";
    lines[28] = u"7";
    ASSERT_EQ(LoadConfig(CLangFileWriter::Encode(lines)), 1);
    EXPECT_EQ(m_tables.Font(1), (SFontEntry{u"Liberation Sans", -200, 0, 650}));
    EXPECT_EQ(m_tables.LanguageNumber(), 7);
}

// Any failure leaves every table at its English default, whatever was read before it, and whatever an
// earlier successful load had put there; the command list title included.
TEST_F(LangFileLoaderFileTest, AFailedLoadRestoresEveryDefault) {
    auto wrongCase = TranslatedLines("German.txt");
    wrongCase[147] = u"german.txt";
    auto truncated = TranslatedLines("German.txt");
    truncated.resize(140);
    auto missingName = TranslatedLines("German.txt");
    missingName.resize(147);
    std::vector<uint8_t> utf8{0xEF, 0xBB, 0xBF};
    for (const std::u16string& line : TranslatedLines("German.txt")) {
        const std::string text = Utf16ToUtf8(line) + "\r\n";
        utf8.insert(utf8.end(), text.begin(), text.end());
    }
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"name line in another letter case", CLangFileWriter::Encode(wrongCase)},
        {"ends before the command names", CLangFileWriter::Encode(truncated)},
        {"ends before its name line", CLangFileWriter::Encode(missingName)},
        {"saved as UTF-8", utf8},
        {"empty", {}},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(LoadConfig(TranslatedFile("German.txt", u"OLD")), 1);
        EXPECT_EQ(LoadConfig(c.bytes), 0) << c.what;
        EXPECT_EQ(m_tables, CTextTables()) << c.what;
        EXPECT_EQ(m_tables.Text(ETextTable::Command, CTextTables::kCommandListTitle), u"Commands") << c.what;
    }
}

TEST_F(LangFileLoaderFileTest, A150LineFileServesOnlyTheConfigurationProgram) {
    auto lines = TranslatedLines("German.txt");
    lines.resize(150);
    const auto bytes = CLangFileWriter::Encode(lines);
    EXPECT_EQ(LoadConfig(bytes), 1);
    EXPECT_EQ(LoadTray(bytes), 0);
    EXPECT_EQ(m_tables.Text(ETextTable::Tray, 0), u"Launch VORLIX DAZE Gaming Mouse APP");
}

TEST_F(LangFileLoaderFileTest, TheMonitorChecksItsOwnNameLine) {
    auto lines = TranslatedLines("German.txt");
    lines[153] = u"English.txt";
    EXPECT_EQ(LoadTray(CLangFileWriter::Encode(lines)), 0);
    EXPECT_EQ(m_tables.Text(ETextTable::Tray, 2), u"Enable OSD");
    EXPECT_EQ(LoadConfig(CLangFileWriter::Encode(lines)), 1);
}

TEST_F(LangFileLoaderFileTest, OverlongTextsAreCutToTheirCapacity) {
    auto lines = TranslatedLines("German.txt");
    lines[109] = u"Millisekunden";          // delay unit 0, capacity 10
    lines[148] = std::u16string(70, u't');  // tray text 0, capacity 64
    const auto bytes = CLangFileWriter::Encode(lines);
    ASSERT_EQ(LoadConfig(bytes), 1);
    ASSERT_EQ(LoadTray(bytes), 1);
    EXPECT_EQ(m_tables.Text(ETextTable::DelayUnit, 0), std::u16string(u"Millisekunden").substr(0, 9));
    EXPECT_EQ(m_tables.Text(ETextTable::Tray, 0), std::u16string(63, u't'));
}

}  // namespace
}  // namespace vorlix
