#include "LangCommand.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>

#include "lang/LangFileCheck.h"

namespace vorlix::ctl {

namespace {

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
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        call.err << "vorlixctl: cannot read " << path << "\n";
        return kFailed;
    }
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
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
