#include "MacroCommand.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <ostream>

#include "CtlTexts.h"
#include "SettingsCommand.h"
#include "macro/MacroLibrary.h"
#include "macro/MacroProgram.h"
#include "macro/ScriptImage.h"
#include "macro/platform/PosixMacroFileSystem.h"
#include "settings/DeviceSession.h"
#include "settings/MacroBinding.h"
#include "shared/Utf16.h"

namespace vorlix::ctl {

namespace {

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
                "       vorlixctl macro export NAME FILE\n"
                "       vorlixctl macro bind P B NAME [--once N | --loops N | --hold N | --until-next] "
                "[--mouse N]\n"
                "         profile P 1..5, button B 1..8, N the count as the button dialog shows it\n"
                "         (1..255, default --once 1)\n";
    return kUsage;
}

// "bind P B NAME [MODE]": the run mode and the count as the button dialog offers them.
int Bind(Invocation& call, CMacroTableTexts& texts) {
    std::vector<std::string> words(call.args.begin() + 1, call.args.end());
    int mouseNumber = 0;
    if (!TakeMouseOption(call, words, mouseNumber)) {
        return Usage(call);
    }
    MacroRunMode mode = MacroRunMode::OneTime;
    int count = 1;
    std::vector<std::string> positional;
    bool modeGiven = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const bool takesCount = word == "--once" || word == "--loops" || word == "--hold";
        if (!takesCount && word != "--until-next") {
            if (word.size() > 2 && word.rfind("--", 0) == 0) {
                call.err << "vorlixctl: unknown option " << word << "\n";
                return Usage(call);
            }
            positional.push_back(word);
            continue;
        }
        if (modeGiven) {
            call.err << "vorlixctl: give one of --once, --loops, --hold and --until-next\n";
            return Usage(call);
        }
        modeGiven = true;
        mode = word == "--once"    ? MacroRunMode::OneTime
               : word == "--loops" ? MacroRunMode::MultipleLoops
               : word == "--hold"  ? MacroRunMode::RepeatWhileHeld
                                   : MacroRunMode::RepeatUntilNextKey;
        if (takesCount) {
            long long number = 0;
            if (i + 1 >= words.size() || !ParseNumber(words[i + 1], number) || number < 1 || number > 255) {
                call.err << "vorlixctl: " << word << " needs a count from 1 to 255\n";
                return Usage(call);
            }
            count = static_cast<int>(number);
            ++i;
        }
    }
    long long profile = 0;
    long long button = 0;
    if (positional.size() != 3) {
        return Usage(call);
    }
    if (!ParseNumber(positional[0], profile) || profile < 1 || profile > 5) {
        call.err << "vorlixctl: the profile must be a number from 1 to 5, not \"" << positional[0] << "\"\n";
        return Usage(call);
    }
    if (!ParseNumber(positional[1], button) || button < 1 || button > 8) {
        call.err << "vorlixctl: the button must be a number from 1 to 8, not \"" << positional[1] << "\"\n";
        return Usage(call);
    }
    if (!IsUtf8(positional[2])) {
        call.err << "vorlixctl: the macro name is not valid UTF-8\n";
        return kUsage;
    }
    const std::u16string name = Utf8ToUtf16(positional[2]);
    // The dialog shows the repeat count plus one; "Repeat until next key is pressed" has none.
    const uint8_t runMode = CScriptImage::RunModeByte(mode);
    const uint8_t repeatCount = CScriptImage::RepeatCountByte(mode, count - 1);
    return ChangeMouse(call, mouseNumber, [&](CDeviceSession& session) {
        CPosixMacroFileSystem files;
        CMacroLibrary library(files, texts, CPosixMacroFileSystem::LibraryFolder());
        CMacroBinding binding(session, library, texts);
        return binding.Bind(static_cast<int>(profile) - 1, static_cast<int>(button) - 1, name, runMode,
                            repeatCount) != 0
                   ? kOk
                   : kFailed;
    });
}

}  // namespace

int RunMacroCommand(Invocation& call) {
    const std::vector<std::string>& args = call.args;
    if (args.empty()) {
        return Usage(call);
    }
    const std::string& verb = args[0];
    CMacroTableTexts texts = CtlTexts(call.err);
    if (verb == "bind") {
        return Bind(call, texts);
    }
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
    CMacroLibrary library(files, texts, CPosixMacroFileSystem::LibraryFolder());
    if (library.CreateFolder() == 0) {
        call.err << "vorlixctl: cannot create the macro library " << library.Folder() << "\n";
        return kFailed;
    }
    MacroTiming timing;
    if (verb == "list") {
        // The macros the editor's list shows; the folder may hold more, copied in by hand.
        std::vector<std::u16string> names = library.ListMacros(std::numeric_limits<int>::max());
        const size_t shown = std::min(names.size(), static_cast<size_t>(macrofile::kListLimit));
        const size_t more = names.size() - shown;
        names.resize(shown);
        std::sort(names.begin(), names.end());
        for (const std::u16string& name : names) {
            call.out << Utf16ToUtf8(name) << "\n";
        }
        if (more > 0) {
            call.err << "vorlixctl: " << more << " more macro" << (more == 1 ? " is" : "s are")
                     << " in the library folder; a library lists at most " << macrofile::kListLimit << "\n";
        }
        return kOk;
    }
    if (!IsUtf8(args[1])) {
        call.err << "vorlixctl: a macro name (and the file name a macro is imported from) must be valid "
                    "UTF-8\n";
        return kUsage;
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
