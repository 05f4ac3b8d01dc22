// The language files as the real programs meet them: vorlixctl's check and the configuration program's
// own start.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "LangTestFiles.h"
#include "lang/LangFileWriter.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

using testing::ChildProcess;

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::u16string> ShippedGermanLines() {
    std::ifstream in(ChildProcess::BinDir() + "/Languages/German.txt", std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::u16string> lines(1);
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto c = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
        lines.back().push_back(c);
        if (c == u'\n') {
            lines.back().resize(lines.back().size() - 2);
            lines.emplace_back();
        }
    }
    lines.pop_back();
    return lines;
}

int RunCheck(const std::string& path, std::string& output) {
    ChildProcess ctl({ChildProcess::BinDir() + "/vorlixctl", "lang", "check", path});
    const int status = ctl.Wait();
    output = ctl.Output();
    return status;
}

TEST(LangCheckCommandTest, ShippedGermanFilePasses) {
    std::string output;
    EXPECT_EQ(RunCheck(ChildProcess::BinDir() + "/Languages/German.txt", output), 0) << output;
    EXPECT_EQ(output,
              "German.txt: 154 lines\n"
              "configuration program: accepts this file\n"
              "monitor: accepts this file\n");
}

TEST(LangCheckCommandTest, DamagedCopyIsExplainedLineByLine) {
    auto lines = ShippedGermanLines();
    ASSERT_EQ(lines.size(), 154u);
    lines[87] = std::u16string(85, u'Z');  // message 0
    lines[147] = u"german.txt";
    auto bytes = CLangFileWriter::Encode(lines);
    bytes.resize(bytes.size() - 4);  // no CR LF after the last line
    testing::TempDir dir;
    WriteFile(dir / "German.txt", bytes);
    std::string output;
    EXPECT_EQ(RunCheck(dir / "German.txt", output), 1);
    EXPECT_EQ(output,
              "German.txt:88: warning: line 88 (message 0): 85 characters; only the first 79 are shown\n"
              "German.txt:148: error: line 148 (name line): reads \"german.txt\"; it must be "
              "\"German.txt\" exactly, letter case included\n"
              "German.txt:154: error: line 154 (name line): reads \"German.tx\"; it must be "
              "the file's own name \"German.txt\"\n"
              "German.txt:154: error: line 154 (name line): does not end with CR LF; the programs drop its "
              "last character\n"
              "German.txt: 154 lines\n"
              "configuration program: REJECTS this file and shows its English texts\n"
              "monitor: REJECTS this file and shows its built-in tray texts\n");
}

TEST(LangCheckCommandTest, Utf8FileAndBadUsage) {
    testing::TempDir dir;
    WriteFile(dir / "French.txt", {0xEF, 0xBB, 0xBF, 'O', 'K', '\r', '\n'});
    std::string output;
    EXPECT_EQ(RunCheck(dir / "French.txt", output), 1);
    EXPECT_NE(output.find("French.txt:1: error: line 1 (font 0 name): the file is UTF-8"), std::string::npos)
        << output;
    EXPECT_EQ(RunCheck(dir / "missing.txt", output), 1);
    ChildProcess usage({ChildProcess::BinDir() + "/vorlixctl", "lang", "verify"});
    EXPECT_EQ(usage.Wait(), 2);
}

}  // namespace
}  // namespace vorlix
