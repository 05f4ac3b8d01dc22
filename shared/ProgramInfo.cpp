#include "ProgramInfo.h"

#include <algorithm>
#include <iostream>

#ifndef VORLIX_VERSION
#error "VORLIX_VERSION must be set by the build"
#endif

namespace vorlix {

namespace {

constexpr std::string_view kConfigHelp =
    "usage: VorlixDaze [/Automation]\n"
    "\n"
    "The Vorlix Daze configuration program: reads the mouse's memory and edits its five profiles, the\n"
    "functions of its eight buttons, the sensitivity levels, report rate, lift-off, LED colours and\n"
    "macros, then writes the changes back into the mouse. A second start brings the running window\n"
    "forward.\n"
    "\n"
    "  /Automation   start hidden; the window appears when the monitor or a second start asks for it\n"
    "  --help        show this text and end\n"
    "  --version     show the version and end\n"
    "\n"
    "Other arguments are ignored. Environment: VORLIX_VIRTUAL_MOUSE names the socket of a virtual mouse\n"
    "to use instead of the real one; VORLIX_TRACE=1 reports each step on stderr; VORLIX_UNATTENDED\n"
    "never waits on a dialog.\n";

constexpr std::string_view kMonitorHelp =
    "usage: VorlixMonitor [/Automation]\n"
    "\n"
    "The Vorlix Daze monitor: starts with the desktop session, shows a tray icon and turns the mouse's\n"
    "own events (profile, sensitivity level, report rate, lock, launch button) into on-screen notices,\n"
    "program launches and each profile's pointer settings. It starts the configuration program.\n"
    "\n"
    "  /Automation   do not start the configuration program\n"
    "  --help        show this text and end\n"
    "  --version     show the version and end\n"
    "\n"
    "Other arguments are ignored.\n";

bool IsHelp(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}

}  // namespace

const SProgramText CProgramInfo::kConfigProgram{"VorlixDaze", kConfigHelp, EHelpScan::AnyArgument};
const SProgramText CProgramInfo::kMonitorProgram{"VorlixMonitor", kMonitorHelp, EHelpScan::AnyArgument};

std::string_view CProgramInfo::Version() {
    return VORLIX_VERSION;
}

std::string CProgramInfo::VersionLine(std::string_view program) {
    std::string line(program);
    line += " (Vorlix Daze) ";
    line += Version();
    return line;
}

CProgramInfo::EAsked CProgramInfo::Asked(const std::vector<std::string>& args, EHelpScan scan) {
    const size_t scanned = scan == EHelpScan::FirstArgument ? std::min<size_t>(args.size(), 1) : args.size();
    for (size_t i = 0; i < scanned; ++i) {
        // "--" ends the options: what follows is an operand even when it reads "--help".
        if (args[i] == "--") {
            break;
        }
        if (IsHelp(args[i])) {
            return EAsked::Help;
        }
        if (args[i] == "--version") {
            return EAsked::Version;
        }
    }
    return EAsked::Nothing;
}

std::optional<int> CProgramInfo::Answer(const std::vector<std::string>& args, const SProgramText& program,
                                        std::ostream& out) {
    switch (Asked(args, program.scan)) {
        case EAsked::Help:
            out << program.help;
            break;
        case EAsked::Version:
            out << VersionLine(program.name) << "\n";
            break;
        case EAsked::Nothing:
            return std::nullopt;
    }
    out.flush();
    return 0;
}

std::optional<int> CProgramInfo::Answer(int argc, char** argv, const SProgramText& program) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return Answer(args, program, std::cout);
}

}  // namespace vorlix
