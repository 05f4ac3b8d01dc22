#include "LangCommand.h"

#include "CtlFiles.h"

#include <filesystem>
#include <ostream>

#include "lang/LangFileCheck.h"

namespace vorlix::ctl {

namespace {

// A language file of 154 lines of UTF-16 text is some kilobytes; anything this large is none.
constexpr size_t kMaxLanguageFile = 1 << 20;

void PrintVerdict(std::ostream& out, const char* program, bool accepted, bool neverReads,
                  const char* fallback) {
    out << program << ": ";
    if (accepted) {
        out << "accepts this file";
    } else {
        out << "REJECTS this file and shows " << fallback;
    }
    if (neverReads) {
        out << " (it never looks for a file of this name)";
    }
    out << "\n";
}

int Check(Invocation& call, const std::string& path) {
    std::string text;
    if (!ReadInputFile(call, path, kMaxLanguageFile, text)) {
        return kFailed;
    }
    const std::vector<uint8_t> bytes(text.begin(), text.end());
    const std::string name = std::filesystem::path(path).filename().string();
    const CLangFileCheck::SResult result = CLangFileCheck::Check(bytes, name);

    for (const CLangFileCheck::SProblem& problem : result.problems) {
        call.out << name << ":";
        if (problem.line > 0) {
            call.out << problem.line << ":";
        }
        call.out << (problem.severity == CLangFileCheck::ESeverity::Error ? " error: " : " warning: ");
        if (problem.line > 0) {
            call.out << "line " << problem.line << " (" << CLangFileCheck::DescribeLine(problem.line)
                     << "): ";
        }
        call.out << problem.text << "\n";
    }
    call.out << name << ": " << result.lineCount << " lines\n";
    PrintVerdict(call.out, "configuration program", result.configAccepted, result.configNeverReads,
                 "its English texts");
    PrintVerdict(call.out, "monitor", result.monitorAccepted, result.monitorNeverReads,
                 "its built-in tray texts");
    return result.configAccepted && result.monitorAccepted ? kOk : kFailed;
}

}  // namespace

int RunLangCommand(Invocation& call) {
    if (call.args.size() == 2 && call.args[0] == "check") {
        return Check(call, call.args[1]);
    }
    call.err
        << "usage: vorlixctl lang check FILE\n"
        << "  Checks a language file (UTF-16 LE with byte-order mark, CR LF, 154 lines) and says whether\n"
        << "  the configuration program and the monitor would use it.\n";
    return kUsage;
}

}  // namespace vorlix::ctl
