// vorlixctl: the command-line companion of the configuration program. Each command word hands the
// rest of the line to its module.
#include <cstring>
#include <iostream>
#include <string>

#include "CtlCommand.h"
#include "DeviceCommand.h"
#include "LangCommand.h"
#include "MacroCommand.h"
#include "ProbeCommand.h"
#include "SettingsCommand.h"
#include "StoreCommand.h"

namespace {

struct Command {
    const char* word;
    int (*run)(vorlix::ctl::Invocation&);
    const char* summary;
};

const Command kCommands[] = {
    {"store", vorlix::ctl::RunStoreCommand, "list, get, set and delete values of the per-user store"},
    {"list", vorlix::ctl::RunDeviceList, "list the mice found: index, version: product, path"},
    {"info", vorlix::ctl::RunDeviceInfo,
     "family id, signature check and firmware of a mouse [--mouse INDEX]"},
    {"read", vorlix::ctl::RunDeviceRead, "read ADDR: print the mouse's memory byte at ADDR [--mouse INDEX]"},
    {"write", vorlix::ctl::RunDeviceWrite,
     "write ADDR VALUE: set the mouse's memory byte at ADDR [--mouse INDEX]"},
    {"lang", vorlix::ctl::RunLangCommand, "check a language file for translators"},
    {"dump", vorlix::ctl::RunDumpCommand, "[--json]: show the mouse's whole configuration"},
    {"profile", vorlix::ctl::RunProfileCommand, "P: make profile P (1..5) the active one"},
    {"rate", vorlix::ctl::RunRateCommand, "P HZ: report rate of profile P (125, 250, 500, 1000)"},
    {"liftoff", vorlix::ctl::RunLiftOffCommand, "P N: lift-off value of profile P (0..31)"},
    {"level", vorlix::ctl::RunLevelCommand, "P L: active sensitivity level of profile P (1..4)"},
    {"dpi", vorlix::ctl::RunDpiCommand, "P L DPI: sensitivity of level L of profile P"},
    {"led", vorlix::ctl::RunLedCommand, "P RECORD R G B: colour of LED record 1..4 of profile P"},
    {"button", vorlix::ctl::RunButtonCommand, "P B NAME [--program PATH]: function of button B (1..8)"},
    {"default", vorlix::ctl::RunDefaultCommand, "P B: give button B of profile P its default function"},
    {"reset", vorlix::ctl::RunResetCommand, "P: give profile P its factory settings"},
    {"export", vorlix::ctl::RunExportCommand, "FILE: save the mouse's profiles and button values to a file"},
    {"import", vorlix::ctl::RunImportCommand, "FILE: load a file made by export into the mouse"},
    {"macro", vorlix::ctl::RunMacroCommand,
     "list, show, decode, create, delete, import, export and bind macros"},
    {"post", vorlix::ctl::RunPostCommand, "NAME show|close|command ID|osd K V|device K V: post to a handle"},
    {"osd-listen", vorlix::ctl::RunOsdListenCommand,
     "[--timeout S]: print posted OSD notices as KIND<TAB>VALUE"},
};

void PrintUsage(std::ostream& out) {
    out << "usage: vorlixctl COMMAND [ARGS...]\n\ncommands:\n";
    for (const Command& command : kCommands) {
        out << "  " << command.word << "\t" << command.summary << "\n";
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "help") == 0) {
        PrintUsage(argc < 2 ? std::cerr : std::cout);
        return argc < 2 ? vorlix::ctl::kUsage : vorlix::ctl::kOk;
    }
    for (const Command& command : kCommands) {
        if (std::strcmp(argv[1], command.word) == 0) {
            vorlix::ctl::Invocation call{{argv + 2, argv + argc}, std::cout, std::cerr};
            return command.run(call);
        }
    }
    std::cerr << "vorlixctl: unknown command \"" << argv[1] << "\"\n";
    PrintUsage(std::cerr);
    return vorlix::ctl::kUsage;
}
