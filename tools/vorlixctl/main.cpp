// vorlixctl: the command-line companion of the configuration program. Each command word hands the
// rest of the line to its module.
#include <cstring>
#include <iostream>
#include <string>

#include "CtlCommand.h"
#include "MacroCommand.h"
#include "StoreCommand.h"

namespace {

struct Command {
    const char* word;
    int (*run)(vorlix::ctl::Invocation&);
    const char* summary;
};

const Command kCommands[] = {
    {"store", vorlix::ctl::RunStoreCommand, "list, get, set and delete values of the per-user store"},
    {"macro", vorlix::ctl::RunMacroCommand, "list, show, decode, create, delete, import and export macros"},
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
