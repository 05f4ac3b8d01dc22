#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace vorlix {

// Where a program looks for --help and --version: anywhere on the line, or only as the first argument
// (for programs whose later arguments are free text, such as a store value).
enum class EHelpScan { AnyArgument, FirstArgument };

// What a program says about itself: its name, its help text and where it looks for the two options.
struct SProgramText {
    std::string_view name;
    std::string_view help;
    EHelpScan scan = EHelpScan::AnyArgument;
};

// The answer every program of the suite gives to --help and --version. It comes before the program opens
// a window, a socket or the mouse, goes to stdout and ends the program with status 0, so a package
// manager, a menu editor or a user at a terminal can ask without side effects.
class CProgramInfo {
public:
    enum class EAsked { Nothing, Help, Version };

    // The suite's version, set by the build.
    static std::string_view Version();
    // "NAME (Vorlix Daze) VERSION".
    static std::string VersionLine(std::string_view program);
    static EAsked Asked(const std::vector<std::string>& args, EHelpScan scan);
    // Writes the help text or the version line when the arguments (without the program name) ask for
    // one and returns the exit status; nothing when the program should go on.
    static std::optional<int> Answer(const std::vector<std::string>& args, const SProgramText& program,
                                     std::ostream& out);
    // The same for main's own argc and argv, answered on stdout.
    static std::optional<int> Answer(int argc, char** argv, const SProgramText& program);

    // The two desktop programs: one call at the top of their main answers for them.
    static const SProgramText kConfigProgram;
    static const SProgramText kMonitorProgram;
};

}  // namespace vorlix
