#include "MacroCommand.h"

#include <algorithm>
#include <cctype>
#include <ostream>

#include "macro/MacroLibrary.h"
#include "macro/MacroProgram.h"
#include "macro/MacroReporter.h"
#include "macro/MacroTextSource.h"
#include "macro/platform/PosixMacroFileSystem.h"
#include "shared/Utf16.h"

namespace vorlix::ctl {

namespace {

// The English texts of the language tables that the macro commands show.
class EnglishMacroTexts : public IMacroTextSource {
public:
    std::u16string_view CommandName(int index) const override {
        static const char16_t* const kNames[] = {
            u"Page UP",      u"Page DN",      u"Copy",         u"Paste",
            u"Close Window", u"Show Desktop", u"Undo",         u"Open Window Explorer",
            u"Delet",        u"Cut",          u"Print Screen", u"Lock PC",
            u"Zoom In",      u"Zoom Out",     u"All",          u"Find",
            u"Print",        u"Save",         u"New",          u"Maxmize IE/Media Player"};
        return index >= 0 && index < 20 ? kNames[index] : std::u16string_view();
    }
    std::u16string_view DelayUnitName(int index) const override { return index == 0 ? u"sec" : u"ms"; }
};

// Writes reports to stderr as the message table's English text followed by the extra text.
class StreamReporter : public IMacroReporter {
public:
    explicit StreamReporter(std::ostream& err) : m_err(err) {}
    void ShowMessage(int index, std::u16string_view appended) override {
        static const char* const kMessages[] = {"TOO MANY INSTANCES!",
                                                "No Gamer Mouse Connected!",
                                                "FAILURE: Can't find the file path: ",
                                                "FAILURE: 101, Bad File format!?",
                                                "Error: Failed to LOAD the Whole EEPROM!",
                                                "Error: Failed to LOAD MOUSE CONFIGURE!",
                                                "Error: Failed to SAVE MOUSE CONFIGURE!",
                                                "Error: Failed to LOAD ONE SCRIPT!",
                                                "Error: Failed to SAVE ONE SCRIPT!",
                                                "FAILURE: 201, failed to write!?",
                                                "No L-Button!",
                                                "Bad Selected Macro!",
                                                "Buffer Full!",
                                                "Can't connect to ",
                                                "No Selected item!",
                                                "Can't find document: ",
                                                "Record funciton failure!",
                                                "Clear macro definitions?",
                                                "Overwrite?",
                                                "Macro exist!"};
        if (index >= 0 && index < 20) {
            m_err << "vorlixctl: " << kMessages[index] << Utf16ToUtf8(appended) << "\n";
        }
    }

private:
    std::ostream& m_err;
};

void PrintProgram(std::ostream& out, const CMacroProgram& program) {
    for (int line = 0; line < program.Count(); ++line) {
        out << line + 1 << "\t" << Utf16ToUtf8(program.Line(line).text) << "\t"
            << Utf16ToUtf8(program.DelayTextOf(line)) << "\n";
    }
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// Hexadecimal bytes as separate arguments or in strings split by spaces or commas, each group with
// or without 0x; false with a reason on anything else.
bool ParseHexBytes(const std::vector<std::string>& args, std::vector<uint8_t>& bytes, std::string& reason) {
    std::string all;
    for (const std::string& arg : args) {
        all += arg + " ";
    }
    std::replace(all.begin(), all.end(), ',', ' ');
    std::replace(all.begin(), all.end(), '\t', ' ');
    size_t at = 0;
    while ((at = all.find_first_not_of(' ', at)) != std::string::npos) {
        const size_t end = all.find(' ', at);
        std::string group = all.substr(at, end - at);
        at = end;
        if (group.size() > 2 && group[0] == '0' && (group[1] == 'x' || group[1] == 'X')) {
            group = group.substr(2);
        }
        if (group.size() % 2 != 0) {
            reason = "an odd number of hexadecimal digits in \"" + group + "\"";
            return false;
        }
        for (size_t i = 0; i < group.size(); i += 2) {
            const int high = HexDigit(group[i]);
            const int low = HexDigit(group[i + 1]);
            if (high < 0 || low < 0) {
                reason = "not hexadecimal: \"" + group + "\"";
                return false;
            }
            bytes.push_back(static_cast<uint8_t>(high * 16 + low));
        }
    }
    if (bytes.empty()) {
        reason = "no bytes to decode";
        return false;
    }
    return true;
}

int Usage(Invocation& call) {
    call.err << "usage: vorlixctl macro list\n"
                "       vorlixctl macro show FILE|NAME\n"
                "       vorlixctl macro decode HEX...\n"
                "       vorlixctl macro new NAME\n"
                "       vorlixctl macro delete NAME\n"
                "       vorlixctl macro import FILE\n"
                "       vorlixctl macro export NAME FILE\n";
    return kUsage;
}

}  // namespace

int RunMacroCommand(Invocation& call) {
    const std::vector<std::string>& args = call.args;
    if (args.empty()) {
        return Usage(call);
    }
    const std::string& verb = args[0];
    EnglishMacroTexts texts;
    CMacroProgram program(texts);
    if (verb == "decode") {
        std::vector<uint8_t> code;
        std::string reason;
        if (!ParseHexBytes({args.begin() + 1, args.end()}, code, reason)) {
            call.err << "vorlixctl: " << reason << "\n";
            return kUsage;
        }
        program.Parse(code.data(), static_cast<int>(code.size()));
        PrintProgram(call.out, program);
        return kOk;
    }

    const size_t expected = verb == "list" ? 1 : verb == "export" ? 3 : 2;
    if (args.size() != expected || (verb != "list" && verb != "show" && verb != "new" && verb != "delete" &&
                                    verb != "import" && verb != "export")) {
        return Usage(call);
    }
    CPosixMacroFileSystem files;
    StreamReporter reporter(call.err);
    CMacroLibrary library(files, reporter, CPosixMacroFileSystem::LibraryFolder());
    if (library.CreateFolder() == 0) {
        call.err << "vorlixctl: cannot create the macro library " << library.Folder() << "\n";
        return kFailed;
    }
    MacroTiming timing;
    if (verb == "list") {
        std::vector<std::u16string> names = library.ListMacros();
        std::sort(names.begin(), names.end());
        for (const std::u16string& name : names) {
            call.out << Utf16ToUtf8(name) << "\n";
        }
        return kOk;
    }
    const std::u16string name = Utf8ToUtf16(args[1]);
    if (verb == "show") {
        // A path names a file anywhere; anything else is a macro of the library.
        const bool isFile = args[1].find('/') != std::string::npos || files.Exists(args[1]);
        const int loaded = isFile ? library.LoadMacroFile(args[1], name, program, timing)
                                  : library.LoadMacro(name, program, timing);
        if (loaded == 0) {
            return kFailed;
        }
        PrintProgram(call.out, program);
        return kOk;
    }
    if (verb == "new") {
        return library.CreateMacro(name) != 0 ? kOk : kFailed;
    }
    if (verb == "delete") {
        return library.DeleteMacro(name, &name) != 0 ? kOk : kFailed;
    }
    if (verb == "import") {
        std::u16string imported;
        if (library.ImportMacro(args[1], imported) == 0) {
            return kFailed;
        }
        call.out << Utf16ToUtf8(imported) << "\n";
        return kOk;
    }
    // export NAME FILE
    if (library.LoadMacro(name, program, timing) == 0) {
        return kFailed;
    }
    return library.ExportMacro(args[2], program, timing) != 0 ? kOk : kFailed;
}

}  // namespace vorlix::ctl
