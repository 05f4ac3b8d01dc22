#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "shared/ProgramInfo.h"

namespace vorlix {
namespace {

using EAsked = CProgramInfo::EAsked;

TEST(ProgramInfoTest, FindsTheOptionWhereTheProgramLooksForIt) {
    struct Case {
        std::vector<std::string> args;
        EHelpScan scan;
        EAsked asked;
    };
    const Case cases[] = {
        {{}, EHelpScan::AnyArgument, EAsked::Nothing},
        {{"/Automation"}, EHelpScan::AnyArgument, EAsked::Nothing},
        {{"--help"}, EHelpScan::AnyArgument, EAsked::Help},
        {{"-h"}, EHelpScan::AnyArgument, EAsked::Help},
        {{"--version"}, EHelpScan::AnyArgument, EAsked::Version},
        {{"-platform", "xcb", "--help"}, EHelpScan::AnyArgument, EAsked::Help},
        {{"/Automation", "--version", "--help"}, EHelpScan::AnyArgument, EAsked::Version},  // first one wins
        {{"--", "--help"}, EHelpScan::AnyArgument, EAsked::Nothing},  // an operand after "--"
        {{"--helpful", "-version", "help"}, EHelpScan::AnyArgument, EAsked::Nothing},
        {{"--version"}, EHelpScan::FirstArgument, EAsked::Version},
        // A later argument is free text to such a program, e.g. a store value.
        {{"store", "set", "Path", "--text", "--help"}, EHelpScan::FirstArgument, EAsked::Nothing},
        {{}, EHelpScan::FirstArgument, EAsked::Nothing},
    };
    for (const Case& c : cases) {
        std::string line;
        for (const auto& arg : c.args) {
            line += arg + " ";
        }
        EXPECT_EQ(CProgramInfo::Asked(c.args, c.scan), c.asked) << line;
    }
}

TEST(ProgramInfoTest, AnswersOnTheStreamAndEndsWithStatusZero) {
    const SProgramText program{"vorlix-example", "usage: vorlix-example\n"};
    std::ostringstream help;
    EXPECT_EQ(CProgramInfo::Answer({"--help"}, program, help), 0);
    EXPECT_EQ(help.str(), "usage: vorlix-example\n");

    std::ostringstream version;
    EXPECT_EQ(CProgramInfo::Answer({"--version"}, program, version), 0);
    EXPECT_TRUE(
        std::regex_match(version.str(), std::regex(R"(vorlix-example \(Vorlix Daze\) \d+\.\d+\.\d+\n)")))
        << version.str();

    std::ostringstream nothing;
    EXPECT_EQ(CProgramInfo::Answer({"/Automation"}, program, nothing), std::nullopt);
    EXPECT_TRUE(nothing.str().empty());
}

TEST(ProgramInfoTest, DesktopProgramsNameTheirOwnOptions) {
    for (const SProgramText* program : {&CProgramInfo::kConfigProgram, &CProgramInfo::kMonitorProgram}) {
        const std::string help(program->help);
        EXPECT_EQ(help.rfind("usage: " + std::string(program->name) + " [/Automation]\n", 0), 0u) << help;
        EXPECT_NE(help.find("--version"), std::string::npos);
    }
}

}  // namespace
}  // namespace vorlix
