// Runs the README's command examples that are marked for it, in order, against a virtual mouse in a
// private environment, so the README cannot drift from the programs. A block is marked by a line
// "<!-- readme-test -->" before an indented or fenced code block. Each line of a marked block is one
// command, run as a shell would run it, within a small subset that the examples keep to:
//   - words split at blanks, "double quotes" group; a blank followed by # starts a comment;
//   - "export NAME=VALUE" sets a variable for the commands that follow;
//   - a trailing & runs the command in the background until the end (it must print before the next
//     command runs, as the virtual mouse does when it serves);
//   - ~ at the start of a word is the private home folder, /tmp/ a private temporary folder;
//   - the programs are named build/bin/...; the commands run in a folder that holds build/bin and
//     resources/ of this build.
// Every command must exit with status 0. Anything else a shell would do ($, |, >, ;) is refused, so an
// example that needs it cannot be marked by mistake.
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

using testing::ChildProcess;

constexpr const char* kMarker = "<!-- readme-test -->";

struct SExample {
    int line;  // line number in the README, for the failure message
    std::string text;
};

// The lines of every marked block, in README order.
std::vector<SExample> MarkedExamples(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    std::vector<SExample> examples;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find(kMarker) == std::string::npos) {
            continue;
        }
        size_t at = i + 1;
        while (at < lines.size() && lines[at].empty()) {
            ++at;
        }
        const bool fenced = at < lines.size() && lines[at].rfind("```", 0) == 0;
        if (fenced) {
            for (++at; at < lines.size() && lines[at].rfind("```", 0) != 0; ++at) {
                examples.push_back({static_cast<int>(at + 1), lines[at]});
            }
        } else {
            for (; at < lines.size() && (lines[at].rfind("    ", 0) == 0 || lines[at].empty()); ++at) {
                examples.push_back({static_cast<int>(at + 1), lines[at]});
            }
        }
        i = at;
    }
    return examples;
}

struct SCommand {
    std::vector<std::string> words;
    bool background = false;
    std::string error;  // why the line cannot be run; empty when it can
};

// Splits one example line into words by the subset of shell rules above.
SCommand ParseLine(const std::string& line) {
    SCommand command;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"') {
                quoted = false;
            } else {
                word += c;
            }
            continue;
        }
        if (c == '"') {
            quoted = true;
            inWord = true;
        } else if (c == ' ' || c == '\t') {
            if (inWord) {
                command.words.push_back(word);
                word.clear();
                inWord = false;
            }
        } else if (c == '#' && !inWord) {
            break;
        } else if (c == '$' || c == '|' || c == '>' || c == '<' || c == ';' || c == '`' || c == '\'') {
            command.error = std::string("shell syntax the README test does not run: ") + c;
            return command;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted) {
        command.error = "unclosed quote";
        return command;
    }
    if (inWord) {
        command.words.push_back(word);
    }
    if (!command.words.empty() && command.words.back() == "&") {
        command.background = true;
        command.words.pop_back();
    }
    return command;
}

class ReadmeTest : public ::testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        fs::create_directories(work / "build");
        fs::create_directory_symlink(ChildProcess::BinDir(), work / "build/bin");
        fs::create_directory_symlink(std::string(VORLIX_SOURCE_DIR) + "/resources", work / "resources");
        fs::create_directories(home / "Documents");
        fs::create_directories(runtime.Path());
        fs::permissions(runtime.Path(), fs::perms::owner_all, fs::perm_options::replace);
        m_oldDir = fs::current_path();
        fs::current_path(work.Path());
    }
    void TearDown() override {
        for (auto& child : background) {
            child->Kill(SIGTERM);
            child->Wait();
        }
        std::filesystem::current_path(m_oldDir);
    }

    std::string Rewrite(const std::string& word) const {
        if (word == "~" || word.rfind("~/", 0) == 0) {
            return home.Path() + word.substr(1);
        }
        if (word.rfind("/tmp/", 0) == 0) {
            return temp.Path() + word.substr(4);
        }
        return word;
    }
    std::vector<std::string> Environment() const {
        std::vector<std::string> env{"HOME=" + home.Path(),
                                     "XDG_CONFIG_HOME=" + home.Path() + "/.config",
                                     "XDG_STATE_HOME=" + home.Path() + "/.local/state",
                                     "XDG_DATA_HOME=" + home.Path() + "/.local/share",
                                     "XDG_RUNTIME_DIR=" + runtime.Path(),
                                     "LANG=C",
                                     "LC_ALL=",
                                     "LC_MESSAGES=",
                                     "VORLIX_VIRTUAL_MOUSE=" + temp.Path() + "/no-mouse-set-up.sock"};
        for (const auto& [name, value] : exported) {
            env.push_back(name + "=" + value);
        }
        return env;
    }

    testing::TempDir work;
    testing::TempDir home;
    testing::TempDir temp;
    testing::TempDir runtime;
    std::map<std::string, std::string> exported;
    std::vector<std::unique_ptr<ChildProcess>> background;

private:
    std::filesystem::path m_oldDir;
};

TEST(ReadmeLineTest, LinesSplitAsTheShellWouldOrAreRefused) {
    struct Case {
        const char* line;
        std::vector<std::string> words;
        bool background;
        bool refused;
    };
    const Case cases[] = {
        {"build/bin/vorlixctl read 25                # a byte",
         {"build/bin/vorlixctl", "read", "25"},
         false,
         false},
        {"build/bin/vorlixctl store get \"Process Handle\"",
         {"build/bin/vorlixctl", "store", "get", "Process Handle"},
         false,
         false},
        {"build/bin/x serve --mice 2 &", {"build/bin/x", "serve", "--mice", "2"}, true, false},
        {"build/bin/x a#b", {"build/bin/x", "a#b"}, false, false},
        {"build/bin/x \"a # b\"", {"build/bin/x", "a # b"}, false, false},
        {"build/bin/x $HOME", {}, false, true},
        {"build/bin/x | y", {}, false, true},
        {"build/bin/x > out", {}, false, true},
        {"build/bin/x \"open", {}, false, true},
    };
    for (const Case& c : cases) {
        const SCommand command = ParseLine(c.line);
        EXPECT_EQ(!command.error.empty(), c.refused) << c.line;
        if (!c.refused) {
            EXPECT_EQ(command.words, c.words) << c.line;
            EXPECT_EQ(command.background, c.background) << c.line;
        }
    }
}

TEST_F(ReadmeTest, MarkedExamplesRunInOrder) {
    const std::vector<SExample> examples = MarkedExamples(std::string(VORLIX_SOURCE_DIR) + "/README.md");
    ASSERT_FALSE(examples.empty()) << "README.md marks no example with " << kMarker;
    for (const SExample& example : examples) {
        const SCommand command = ParseLine(example.text);
        ASSERT_TRUE(command.error.empty()) << "README.md:" << example.line << ": " << command.error;
        if (command.words.empty()) {
            continue;
        }
        const std::string where = "README.md:" + std::to_string(example.line) + ": " + example.text;
        if (command.words[0] == "export") {
            ASSERT_EQ(command.words.size(), 2u) << where;
            const size_t equals = command.words[1].find('=');
            ASSERT_NE(equals, std::string::npos) << where;
            exported[command.words[1].substr(0, equals)] = Rewrite(command.words[1].substr(equals + 1));
            continue;
        }
        ASSERT_EQ(command.words[0].rfind("build/bin/", 0), 0u) << "only the built programs run: " << where;
        std::vector<std::string> argv;
        for (const std::string& word : command.words) {
            argv.push_back(Rewrite(word));
        }
        auto child = std::make_unique<ChildProcess>(argv, Environment());
        if (command.background) {
            ASSERT_TRUE(child->WaitForOutput("\n")) << where << "\n" << child->Output();
            background.push_back(std::move(child));
            continue;
        }
        EXPECT_EQ(child->Wait(30000), 0) << where << "\n" << child->Output();
    }
}

}  // namespace
}  // namespace vorlix
