#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/launch/PosixLauncher.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

namespace fs = std::filesystem;

// Polls for a condition that another process brings about; false when it does not come within 5 s.
bool Eventually(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        poll(nullptr, 0, 5);
    }
    return true;
}

std::vector<std::string> Lines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// "key=value" fields of the child's report; argv0 runs to the end of the line, as the name may hold spaces.
std::map<std::string, std::string> Fields(const std::string& line) {
    std::map<std::string, std::string> fields;
    const size_t argv0 = line.find(" argv0=");
    std::istringstream words(line.substr(0, argv0));
    for (std::string word; words >> word;) {
        const size_t eq = word.find('=');
        fields[word.substr(0, eq)] = word.substr(eq + 1);
    }
    if (argv0 != std::string::npos) {
        fields["argv0"] = line.substr(argv0 + 7);
    }
    return fields;
}

bool ProcessGone(pid_t pid) {
    // A zombie still has its /proc entry; only a reaped process is gone.
    return !fs::exists("/proc/" + std::to_string(pid));
}

class PosixLauncherTest : public ::testing::Test {
protected:
    std::string Install(const std::string& name, fs::perms perms = fs::perms::owner_all) {
        const std::string path = dir / name;
        fs::copy_file(VORLIX_LAUNCH_CHILD, path);
        fs::permissions(path, perms);
        return path;
    }

    testing::TempDir dir;
    std::vector<std::string> trace;
    CPosixLauncher launcher{[this](const std::string& line) { trace.push_back(line); }};
};

TEST_F(PosixLauncherTest, StartsExactlyTheNamedFileOnceWithNothingOfOursAndLeavesNoZombie) {
    const char* names[] = {"my prog; touch injected", "it's \"quoted\" $(touch injected) & more", "-dash"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        const std::string path = Install(name);
        // What this process holds that the program must not get: a descriptor opened without
        // close-on-exec, a blocked SIGTERM and an ignored SIGPIPE.
        const int leaked = ::open("/dev/null", O_RDONLY);
        ASSERT_GE(leaked, 3);
        sigset_t term;
        sigset_t old;
        sigemptyset(&term);
        sigaddset(&term, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &term, &old);
        const auto oldPipe = signal(SIGPIPE, SIG_IGN);

        const bool started = launcher.Launch(path);

        signal(SIGPIPE, oldPipe);
        pthread_sigmask(SIG_SETMASK, &old, nullptr);
        ::close(leaked);
        ASSERT_TRUE(started) << (trace.empty() ? "" : trace.back());
        ASSERT_TRUE(Eventually([&] { return !Lines(path + ".out").empty(); }));
        auto report = Fields(Lines(path + ".out")[0]);
        const pid_t pid = std::stoi(report["pid"]);
        EXPECT_EQ(report["ppid"], std::to_string(getpid()));  // our child: only we can reap it
        EXPECT_EQ(report["sid"], report["pid"]);
        EXPECT_EQ(report["argc"], "1");
        EXPECT_EQ(report["argv0"], path);
        EXPECT_EQ(report["fds"], "0,1,2");
        EXPECT_EQ(report["term-blocked"], "0");
        EXPECT_EQ(report["pipe-ignored"], "0");
        EXPECT_TRUE(Eventually([&] { return ProcessGone(pid); })) << "pid " << pid << " left as a zombie";
        EXPECT_EQ(Lines(path + ".out").size(), 1u);
        EXPECT_FALSE(fs::exists(dir / "injected"));
    }
    EXPECT_TRUE(trace.empty());
}

TEST_F(PosixLauncherTest, FollowsASymbolicLinkToAProgram) {
    const std::string target = Install("target");
    fs::create_symlink(target, dir / "link");
    ASSERT_TRUE(launcher.Launch(dir / "link"));
    // The program names itself by the path it was started under.
    EXPECT_TRUE(Eventually([&] { return fs::exists(dir / "link.out"); }));
}

TEST_F(PosixLauncherTest, StartsNothingForWhatIsNotAReadableExecutableFile) {
    struct Case {
        const char* what;
        std::function<std::string()> make;
        const char* reason;
    };
    const std::string program = Install("program");
    std::vector<Case> cases = {
        {"empty path", [] { return std::string(); }, "empty"},
        {"missing", [&] { return dir / "missing"; }, "No such file"},
        {"dangling link",
         [&] {
             fs::create_symlink(dir / "gone", dir / "dangling");
             return dir / "dangling";
         },
         "No such file"},
        {"folder",
         [&] {
             fs::create_directory(dir / "folder");
             fs::permissions(dir / "folder", fs::perms::owner_all);
             return dir / "folder";
         },
         "folder"},
        {"FIFO",
         [&] {
             mkfifo((dir / "fifo").c_str(), 0755);
             return dir / "fifo";
         },
         "not a regular file"},
        {"device", [] { return std::string("/dev/null"); }, "not a regular file"},
        {"not executable", [&] { return Install("plain", fs::perms::owner_read | fs::perms::owner_write); },
         "not executable"},
        {"no interpreter line",
         [&] {
             std::ofstream(dir / "script") << "touch " << dir / "ran"
                                           << "\n";
             fs::permissions(dir / "script", fs::perms::owner_all);
             return dir / "script";
         },
         "Exec format error"},
        // Everything after the NUL would be lost on the way to the kernel, which would start "program".
        {"NUL inside", [&] { return program + std::string(1, '\0') + " --extra"; }, "NUL"},
    };
    if (geteuid() != 0) {  // root may read any file
        cases.push_back(
            {"not readable", [&] { return Install("secret", fs::perms::owner_exec); }, "not readable"});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        trace.clear();
        const std::string path = c.make();
        EXPECT_FALSE(launcher.Launch(path));
        ASSERT_EQ(trace.size(), 1u);
        EXPECT_NE(trace[0].find(c.reason), std::string::npos) << trace[0];
    }
    EXPECT_FALSE(fs::exists(dir / "ran"));
    EXPECT_FALSE(fs::exists(program + ".out"));
}

}  // namespace
}  // namespace vorlix
