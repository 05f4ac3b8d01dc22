#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "macro/MacroLibrary.h"
#include "macro/MacroProgram.h"
#include "macro/MemoryMacroFileSystem.h"
#include "macro/ScriptImage.h"
#include "macro/tests/FakeMacroTexts.h"
#include "macro/tests/ProgramTestUtil.h"
#include "shared/Utf16.h"

namespace vorlix {
namespace {

using testing::FakeMacroTexts;
using testing::Hex;
using testing::RecordingReporter;

const std::string kFolder = "/home/u/Documents/VORLIX DAZE";

std::vector<std::string> Reports(const RecordingReporter& reporter) {
    std::vector<std::string> out;
    for (const std::u16string& report : reporter.reports) {
        out.push_back(Utf16ToUtf8(report));
    }
    return out;
}

// A macro file: format byte, body length field and the bytes after the header.
std::vector<uint8_t> File(uint8_t format, int length, const std::vector<uint8_t>& body,
                          uint8_t timingFlag = 1, int defaultDelay = 0) {
    std::vector<uint8_t> bytes = {0x46,
                                  0x22,
                                  format,
                                  static_cast<uint8_t>(length & 0xFF),
                                  static_cast<uint8_t>(length >> 8),
                                  1,
                                  timingFlag,
                                  static_cast<uint8_t>(defaultDelay & 0xFF),
                                  static_cast<uint8_t>(defaultDelay >> 8)};
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}
std::vector<uint8_t> Body(const std::string& codeHex) {
    std::vector<uint8_t> body(48, 0);
    const std::vector<uint8_t> code = Hex(codeHex);
    body[0] = 5;
    body[2] = 1;
    body[3] = static_cast<uint8_t>(code.size() & 0xFF);
    body[4] = static_cast<uint8_t>(code.size() >> 8);
    body.insert(body.end(), code.begin(), code.end());
    return body;
}

class MacroLibraryTest : public ::testing::Test {
protected:
    MacroLibraryTest() { library.CreateFolder(); }

    void Put(const std::string& name, const std::vector<uint8_t>& bytes) {
        files.files[kFolder + "/" + name] = bytes;
    }
    FakeMacroTexts texts;
    CMacroProgram program{texts};
    CMemoryMacroFileSystem files;
    RecordingReporter reporter;
    CMacroLibrary library{files, reporter, kFolder};
};

struct ReadCase {
    const char* name;
    std::vector<uint8_t> file;
    int result;
    std::vector<std::string> reports;
    MacroTiming timing;
};

class ReadTest : public MacroLibraryTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadTest, HeaderBodyAndReports) {
    const ReadCase& c = GetParam();
    Put("m.Mac", c.file);
    MacroBody body;
    MacroTiming timing;
    EXPECT_EQ(library.ReadMacroFile(kFolder + "/m.Mac", u"m", body, timing), c.result);
    EXPECT_EQ(Reports(reporter), c.reports);
    if (c.result >= 0) {
        EXPECT_EQ(timing.withoutDelay, c.timing.withoutDelay);
        EXPECT_EQ(timing.insertDefaultDelay, c.timing.insertDefaultDelay);
        EXPECT_EQ(timing.defaultDelay, c.timing.defaultDelay);
    }
}

const std::vector<uint8_t> kBody = {5, 0, 1, 0, 0};

INSTANTIATE_TEST_SUITE_P(
    Files, ReadTest,
    ::testing::Values(
        ReadCase{"CurrentFormat", File(0xA1, 5, kBody), 5, {}, {}},
        ReadCase{"OldFormat", File(0x01, 5, kBody), 5, {}, {}},
        ReadCase{"OtherFormat", File(0x02, 5, kBody), -1, {"#03:"}, {}},
        ReadCase{"WrongSignature", {0x46, 0x23, 0xA1, 0, 0, 1, 1, 0, 0}, -1, {"#03:"}, {}},
        ReadCase{"ShortHeader", {0x46, 0x22, 0xA1, 0, 0}, -1, {"#03:"}, {}},
        ReadCase{"NewMacroKeepsDelays", File(0xA1, 0, {}, 1, 0), 0, {}, {}},
        ReadCase{"DefaultDelay", File(0xA1, 0, {}, 1, 250), 0, {}, {false, true, 250}},
        ReadCase{"WithoutDelay", File(0xA1, 0, {}, 0, 250), 0, {}, {true, false, 250}},
        ReadCase{"BodyShorterThanItsLength", File(0xA1, 6, kBody), -1, {"#04:"}, {}},
        ReadCase{"BodyTooLongForAScript", File(0xA1, 2049, std::vector<uint8_t>(2049, 0)), -1, {"#03:"}, {}}),
    [](const ::testing::TestParamInfo<ReadCase>& param) { return std::string(param.param.name); });

TEST_F(MacroLibraryTest, MissingFileReportsTheName) {
    MacroBody body;
    MacroTiming timing;
    EXPECT_EQ(library.ReadMacroFile(kFolder + "/gone.Mac", u"gone", body, timing), -1);
    EXPECT_EQ(library.LoadMacro(u"gone", program, timing), 0);
    EXPECT_EQ(Reports(reporter), (std::vector<std::string>{"#02:gone", "#02:gone"}));
}

TEST_F(MacroLibraryTest, FullProgramIsWrittenWholeAndLoadsBack) {
    std::vector<uint8_t> code(1996, 0x04);
    code.insert(code.end(), {0x83, 0x80, 0x4B, 0xCB});
    program.Parse(code.data(), static_cast<int>(code.size()));
    const MacroTiming timing{false, true, 300};
    ASSERT_EQ(library.WriteMacro(u"full", program, timing), 1);
    const std::vector<uint8_t>& file = files.files[kFolder + "/full.Mac"];
    ASSERT_EQ(file.size(), 2057u);
    EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + 14),
              (std::vector<uint8_t>{0x46, 0x22, 0xA1, 0x00, 0x08, 1, 1, 0x2C, 0x01, 5, 0, 1, 0xD0, 0x07}));
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 57, file.end()), code);

    CMacroProgram loaded(texts);
    MacroTiming read;
    ASSERT_EQ(library.LoadMacro(u"FULL", loaded, read), 1);
    EXPECT_EQ(testing::SerializedHex(loaded), testing::SerializedHex(program));
    EXPECT_TRUE(read.insertDefaultDelay);
    EXPECT_EQ(read.defaultDelay, 300);
}

TEST_F(MacroLibraryTest, ShortBodyLoadsAnEmptyProgram) {
    Put("s.mac", File(0xA1, 5, kBody));
    testing::Parse(program, "04 05");
    MacroTiming timing;
    EXPECT_EQ(library.LoadMacro(u"s", program, timing), 1);
    EXPECT_EQ(program.Count(), 0);
}

TEST_F(MacroLibraryTest, ListsEachMacroOnceWhateverItsCase) {
    Put("abc.MAC", {});
    Put("abc.mac", {});
    Put("Abc.Mac", {});
    Put("abcmac", {});
    Put(".mac", {});
    Put("x.Mac", {});
    files.folders.insert(kFolder + "/dir.mac");
    EXPECT_EQ(library.ListMacros(), (std::vector<std::u16string>{u"Abc", u"x"}));
}

TEST_F(MacroLibraryTest, ListStopsAtFifty) {
    for (int i = 0; i < 60; ++i) {
        Put("m" + std::to_string(100 + i) + ".Mac", {});
    }
    EXPECT_EQ(library.ListMacros().size(), 50u);
}

// The choosers list 50 macros: a 51st would be created and then unreachable, so every way of adding
// one is refused, while a library filled past 50 by hand still lists its first 50.
TEST_F(MacroLibraryTest, AFiftyFirstMacroIsRefusedEveryWay) {
    for (int i = 0; i < 49; ++i) {
        Put("m" + std::to_string(100 + i) + ".Mac", File(0xA1, 0, {}));
    }
    Put("m100.mac", {});  // the same macro in another spelling counts once
    EXPECT_FALSE(library.IsFull());
    EXPECT_EQ(library.CreateMacro(u"Fiftieth"), 1);
    EXPECT_TRUE(library.IsFull());

    files.files["/tmp/in/Extra.mac"] = File(0xA1, 5, kBody);
    std::u16string name;
    const uint8_t code[] = {0x04, 0x84};
    EXPECT_EQ(library.CreateMacro(u"Extra"), 0);
    EXPECT_EQ(library.ImportMacro("/tmp/in/Extra.mac", name), 0);
    EXPECT_EQ(library.AddMacro(u"Extra", code, 2), 0);
    EXPECT_EQ(library.CreateMacro(u"m100"), 0) << "a taken name still says so";
    const std::string full = "#12: The macro library holds 50 macros, the most it lists.";
    EXPECT_EQ(Reports(reporter), (std::vector<std::string>{full, full, full, "#19:m100"}));
    EXPECT_FALSE(library.HasMacro(u"Extra"));

    // Saving an existing macro is no new macro.
    EXPECT_EQ(library.WriteMacro(u"m101", program, MacroTiming{}), 1);

    for (int i = 0; i < 5; ++i) {
        Put("z" + std::to_string(i) + ".Mac", {});
    }
    const std::vector<std::u16string> listed = library.ListMacros();
    EXPECT_EQ(listed.size(), 50u);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), u"z0"), 0) << "the folder's first 50 are listed";
    EXPECT_EQ(library.CreateMacro(u"Extra"), 0);
}

TEST_F(MacroLibraryTest, LookupFindsTheFilesOwnSpelling) {
    Put("abc.mac", File(0xA1, 0, {}));
    std::string path;
    EXPECT_EQ(library.PathOf(u"ABC", path), 1);
    EXPECT_EQ(path, kFolder + "/abc.mac");
    EXPECT_EQ(library.PathOf(u"new", path), 1);
    EXPECT_EQ(path, kFolder + "/new.Mac");
    CMacroLibrary nowhere(files, reporter, "");
    EXPECT_EQ(nowhere.PathOf(u"abc", path), 0);
    EXPECT_EQ(Reports(reporter), std::vector<std::string>{"#02:abc"});
}

TEST_F(MacroLibraryTest, CreateWritesTheHeaderOnceForAName) {
    EXPECT_EQ(library.CreateMacro(u"Fire"), 1);
    EXPECT_EQ(files.files[kFolder + "/Fire.Mac"], (std::vector<uint8_t>{0x46, 0x22, 0xA1, 0, 0, 1, 1, 0, 0}));
    EXPECT_EQ(library.CreateMacro(u"FIRE"), 0);
    EXPECT_EQ(Reports(reporter), std::vector<std::string>{"#19:FIRE"});
    EXPECT_EQ(files.files.size(), 1u);
}

TEST_F(MacroLibraryTest, NamesThatCouldLeaveTheLibraryAreRefused) {
    const std::u16string refused[] = {u"",     u"a/b",   u"..",        u"../x",
                                      u"a\\b", u"a\x01", u"tab\there", u"123456789012345678901"};
    for (const std::u16string& name : refused) {
        reporter.reports.clear();
        EXPECT_EQ(library.CreateMacro(name), 0) << Utf16ToUtf8(name);
        ASSERT_EQ(reporter.reports.size(), 1u);
        EXPECT_EQ(Utf16ToUtf8(reporter.reports[0]).rfind("#02:" + Utf16ToUtf8(name), 0), 0u);
    }
    EXPECT_TRUE(files.files.empty());
    std::string path;
    EXPECT_EQ(library.PathOf(u"../../etc/passwd", path), 0);
    EXPECT_EQ(library.CreateMacro(u"12345678901234567890"), 1);
    EXPECT_EQ(library.CreateMacro(u"a.b c-d"), 1);
}

TEST_F(MacroLibraryTest, ImportCopiesUnderTheNameWithoutExtension) {
    const std::vector<uint8_t> source = File(0xA1, 5, kBody);
    files.files["/tmp/in/Rapid.MAC"] = source;
    std::u16string name;
    EXPECT_EQ(library.ImportMacro("/tmp/in/Rapid.MAC", name), 1);
    EXPECT_EQ(name, u"Rapid");
    EXPECT_EQ(files.files[kFolder + "/Rapid.Mac"], source);
    files.files["/tmp/in/rapid.mac"] = source;
    EXPECT_EQ(library.ImportMacro("/tmp/in/rapid.mac", name), 0);
    EXPECT_EQ(library.ImportMacro("/tmp/in/none.mac", name), 0);
    EXPECT_EQ(Reports(reporter), (std::vector<std::string>{"#19:rapid", "#02:/tmp/in/none.mac"}));

    // Only what reading a macro accepts comes in: no signature, a body the file does not hold whole,
    // more than a macro file can hold, nothing at all.
    reporter.reports.clear();
    std::vector<uint8_t> unsigned_ = source;
    unsigned_[0] = 0x47;
    files.files["/tmp/in/A.mac"] = unsigned_;
    files.files["/tmp/in/B.mac"] = std::vector<uint8_t>(source.begin(), source.end() - 1);
    files.files["/tmp/in/C.mac"] = std::vector<uint8_t>(3000, 0x46);
    files.files["/tmp/in/D.mac"] = {};
    for (const char* path : {"/tmp/in/A.mac", "/tmp/in/B.mac", "/tmp/in/C.mac", "/tmp/in/D.mac"}) {
        EXPECT_EQ(library.ImportMacro(path, name), 0) << path;
    }
    EXPECT_EQ(Reports(reporter), (std::vector<std::string>{"#03:", "#04:", "#03:", "#03:"}));
    EXPECT_EQ(library.ListMacros(), std::vector<std::u16string>{u"Rapid"});
}

TEST_F(MacroLibraryTest, DeleteOnlyTheChosenOpenMacro) {
    Put("abc.mac", File(0xA1, 0, {}));
    const std::u16string other = u"x";
    const std::u16string same = u"ABC";
    EXPECT_EQ(library.DeleteMacro(u"ABC", &other), 0);
    EXPECT_EQ(library.DeleteMacro(u"ABC", nullptr), 0);
    EXPECT_EQ(library.DeleteMacro(u"", &other), 0);
    EXPECT_EQ(files.files.size(), 1u);
    EXPECT_EQ(library.DeleteMacro(u"ABC", &same), 1);
    EXPECT_TRUE(files.files.empty());
    EXPECT_EQ(Reports(reporter), (std::vector<std::string>{"#14:", "#14:", "#14:"}));
}

TEST_F(MacroLibraryTest, FailedWriteKeepsTheOldFileAndReports) {
    const std::vector<uint8_t> old = File(0xA1, 0, {});
    Put("keep.Mac", old);
    testing::Parse(program, "04 84");
    files.failWrites = true;
    EXPECT_EQ(library.WriteMacro(u"keep", program, {}), 0);
    EXPECT_EQ(library.ExportMacro("/home/u/Documents/VORLIX DAZE/out.mac", program, {}), 0);
    EXPECT_EQ(library.ExportMacro("/nowhere/out.mac", program, {}), 0);
    EXPECT_EQ(files.files[kFolder + "/keep.Mac"], old);
    EXPECT_EQ(Reports(reporter),
              (std::vector<std::string>{"#09:", "#09:", "#08:", "#02:/nowhere/out.mac", "#08:"}));
}

TEST_F(MacroLibraryTest, BindingReadRefreshesCommandsUpToTheFullCode) {
    // 1994 keys and a "Copy" with stale bytes: 2000 bytes of code, a 2048-byte body.
    std::string code;
    for (int i = 0; i < 1994; ++i) {
        code += "04 ";
    }
    code += "83 82 00 00 00 00";
    Put("full.Mac", File(0xA1, 2048, Body(code)));
    MacroBody body;
    ASSERT_EQ(library.ReadForBinding(u"full", body), 2048);
    EXPECT_EQ(testing::ToHex(body.data() + 2042, 6), "83 82 70 06 86 F0");
}

TEST(ScriptImageTest, HeaderIsRebuiltFromTheBody) {
    std::vector<uint8_t> body(48, 0xEE);
    body.insert(body.end(), {0x04, 0x84});
    std::vector<uint8_t> image(CScriptImage::kSize, 0x55);
    ASSERT_EQ(CScriptImage::Build(body.data(), static_cast<int>(body.size()), 4, 255, image.data(),
                                  CScriptImage::kSize),
              1);
    EXPECT_EQ(testing::ToHex(image.data(), 6), "04 FF 01 02 00 00");
    EXPECT_EQ(image[47], 0);
    EXPECT_EQ(testing::ToHex(image.data() + 48, 3), "04 84 00");
    EXPECT_EQ(CScriptImage::Build(body.data(), 47, 5, 1, image.data(), CScriptImage::kSize), 0);
    std::vector<uint8_t> large(48 + 300, 0x04);
    EXPECT_EQ(CScriptImage::Build(large.data(), 348, 5, 1, image.data(), CScriptImage::SizeForFamily(0x3101)),
              0);
}

TEST(ScriptImageTest, RunModesAndScriptNumbers) {
    EXPECT_EQ(CScriptImage::RunModeByte(MacroRunMode::OneTime), 5);
    EXPECT_EQ(CScriptImage::RunModeByte(MacroRunMode::MultipleLoops), 4);
    EXPECT_EQ(CScriptImage::RunModeByte(MacroRunMode::RepeatWhileHeld), 7);
    EXPECT_EQ(CScriptImage::RunModeByte(MacroRunMode::RepeatUntilNextKey), 4);
    EXPECT_EQ(CScriptImage::RunModeByte(MacroRunMode::None), 1);
    EXPECT_EQ(CScriptImage::RepeatCountByte(MacroRunMode::RepeatUntilNextKey, 3), 255);
    EXPECT_EQ(CScriptImage::RepeatCountByte(MacroRunMode::MultipleLoops, 3), 3);
    EXPECT_EQ(CScriptImage::ScriptNumber(4, 7), 83);
    EXPECT_EQ(CScriptImage::ScriptNumber(5, 0), -1);
    EXPECT_EQ(CScriptImage::ModeValue(4, 3), 0x0304u);
    EXPECT_EQ(CScriptImage::SizeForFamily(0x2401), CScriptImage::kSize);
}

}  // namespace
}  // namespace vorlix
