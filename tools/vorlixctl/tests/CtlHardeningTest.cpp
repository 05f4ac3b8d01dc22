#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "platform/MouseLock.h"
#include "shared/SteadyClock.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

using testing::ChildProcess;

// vorlixctl against a vorlix-virtual-mouse process, with the test's own home, config and runtime
// folders.
class CtlHardeningTest : public ::testing::Test {
protected:
    void SetUp() override { mouse = StartMouse("m"); }

    std::string StartMouse(const std::string& name, const std::vector<std::string>& options = {}) {
        const std::string socket = temp / (name + ".sock");
        std::vector<std::string> argv{ChildProcess::BinDir() + "/vorlix-virtual-mouse", "--socket", socket,
                                      "serve"};
        argv.insert(argv.end(), options.begin(), options.end());
        auto child = std::make_unique<ChildProcess>(argv);
        EXPECT_TRUE(child->WaitForOutput("serving")) << child->Output();
        mice.push_back(std::move(child));
        return socket;
    }
    // Commands give up at once on a mouse another one holds, unless the test allows a wait.
    std::vector<std::string> Env(const std::string& socket, int lockWaitS = 0) const {
        return {"VORLIX_VIRTUAL_MOUSE=" + socket,
                "HOME=" + temp.Path(),
                "XDG_CONFIG_HOME=" + temp.Path() + "/config",
                "XDG_RUNTIME_DIR=" + temp.Path(),
                "LC_ALL=C",
                "VORLIX_LOCK_WAIT=" + std::to_string(lockWaitS)};
    }
    std::unique_ptr<ChildProcess> Start(const std::vector<std::string>& args, const std::string& socket = "",
                                        int lockWaitS = 0) {
        std::vector<std::string> argv{ChildProcess::BinDir() + "/vorlixctl"};
        argv.insert(argv.end(), args.begin(), args.end());
        return std::make_unique<ChildProcess>(argv, Env(socket.empty() ? mouse : socket, lockWaitS));
    }
    int Ctl(const std::vector<std::string>& args, std::string* output = nullptr,
            const std::string& socket = "") {
        auto child = Start(args, socket);
        const int status = child->Wait(60000);
        if (output != nullptr) {
            *output = child->Output();
        }
        return status;
    }
    // vorlixctl through a shell, for redirections and limits.
    int Shell(const std::string& line, std::string* output = nullptr) {
        ChildProcess child({"/bin/sh", "-c", line}, Env(mouse));
        const int status = child.Wait(60000);
        if (output != nullptr) {
            *output = child.Output();
        }
        return status;
    }
    std::string CtlPath() const { return ChildProcess::BinDir() + "/vorlixctl"; }
    int Peek(unsigned address) {
        ChildProcess child({ChildProcess::BinDir() + "/vorlix-virtual-mouse", "--socket", mouse, "peek",
                            std::to_string(address)});
        EXPECT_EQ(child.Wait(), 0);
        return std::stoi(child.Output());
    }
    std::vector<int> Memory(unsigned from, unsigned count) {
        std::vector<int> bytes;
        for (unsigned a = from; a < from + count; ++a) {
            bytes.push_back(Peek(a));
        }
        return bytes;
    }
    std::string Export() {
        std::string out;
        EXPECT_EQ(Ctl({"export", "-"}, &out), 0) << out;
        return out;
    }
    static bool Has(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }
    static std::string Read(const std::string& path) { return testing::ReadFileText(path); }

    testing::TempDir temp;
    std::vector<std::unique_ptr<ChildProcess>> mice;
    std::string mouse;
};

TEST_F(CtlHardeningTest, ParallelChangesAllReachTheMouse) {
    // Round r: two changes to different profiles, then two to different levels of one profile.
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const int a = 100 + 50 * (round % 20);
        const int b = 1100 + 50 * (round % 20);
        const std::vector<std::vector<std::string>> pairs[] = {
            {{"dpi", "1", "1", std::to_string(a)}, {"dpi", "2", "1", std::to_string(b)}},
            {{"dpi", "3", "1", std::to_string(a)}, {"dpi", "3", "2", std::to_string(b)}},
        };
        for (const auto& pair : pairs) {
            std::vector<std::unique_ptr<ChildProcess>> running;
            for (const auto& args : pair) {
                // Each waits for the other as long as the command does by default.
                running.push_back(Start(args, "", 30));
            }
            for (auto& child : running) {
                EXPECT_EQ(child->Wait(60000), 0) << child->Output();
            }
        }
        EXPECT_EQ(Peek(256 + 3), a / 50);
        EXPECT_EQ(Peek(512 + 3), b / 50);
        EXPECT_EQ(Peek(768 + 3), a / 50);
        EXPECT_EQ(Peek(768 + 8), b / 50);
    }
    EXPECT_EQ(mice[0]->Count("ignored block report"), 0u) << mice[0]->Output();
}

TEST_F(CtlHardeningTest, AMouseHeldByAnotherCommandIsRefusedClearly) {
    std::string out;
    ASSERT_EQ(Ctl({"list"}, &out), 0);
    const std::string path = out.substr(out.rfind('\t') + 1, out.size() - out.rfind('\t') - 2);
    std::ofstream(temp / "good.txt") << Export();
    std::filesystem::create_directory(temp / "vorlix-daze");
    CMouseLock lock(CSteadyClock::Instance());
    ASSERT_EQ(lock.Acquire(temp.Path() + "/vorlix-daze", path, 0), CMouseLock::Result::Acquired);
    const std::vector<std::vector<std::string>> commands = {{"liftoff", "1", "5"},
                                                            {"write", "257", "5"},
                                                            {"import", temp / "good.txt"},
                                                            {"dump"},
                                                            {"macro", "bind", "1", "2", "X"}};
    for (const auto& args : commands) {
        EXPECT_EQ(Ctl(args, &out), 1) << args[0];
        EXPECT_TRUE(Has(out, "another command holds the mouse")) << out;
    }
    EXPECT_EQ(Peek(257), 0x26);
    lock.Release();
    EXPECT_EQ(Ctl({"liftoff", "1", "5"}, &out), 0) << out;
}

TEST_F(CtlHardeningTest, SpecialFilesAreRefusedWithoutCrashOrHang) {
    ::mkfifo((temp / "fifo").c_str(), 0600);
    std::filesystem::create_directory(temp / "dir");
    std::ofstream(temp / "huge") << std::string(2 << 20, '#');
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{"import", temp / "dir"}, "is not a regular file"},
        {{"import", temp / "fifo"}, "is not a regular file"},
        {{"import", "/dev/zero"}, "is not a regular file"},
        {{"import", temp / "huge"}, "is larger than"},
        {{"import", temp / "missing"}, "cannot read"},
        {{"lang", "check", temp / "dir"}, "is not a regular file"},
        {{"lang", "check", temp / "fifo"}, "is not a regular file"},
    };
    for (const Case& c : cases) {
        std::string out;
        EXPECT_EQ(Ctl(c.args, &out), 1) << c.args[1];
        EXPECT_TRUE(Has(out, c.message)) << out;
    }
    // Standard input is capped too.
    std::string out;
    EXPECT_EQ(Shell("exec " + CtlPath() + " import - < /dev/zero", &out), 1);
    EXPECT_TRUE(Has(out, "is larger than")) << out;
}

TEST_F(CtlHardeningTest, ImportChecksEveryRuleBeforeWriting) {
    const std::string good = Export();
    const std::vector<int> before = Memory(256, 8);
    // Every block byte 0xFF: all buttons off, LED mode 127, lift-off 31.
    std::string allOn;
    for (size_t at = 0; at < good.size();) {
        const size_t end = good.find('\n', at);
        std::string line = good.substr(at, end - at);
        if (line.rfind("block ", 0) == 0) {
            for (size_t i = 10; i < line.size(); i += 3) {
                line.replace(i, 2, "ff");
            }
        }
        allOn += line + "\n";
        at = end + 1;
    }
    std::ofstream(temp / "ff.txt") << allOn;
    std::string out;
    EXPECT_EQ(Ctl({"import", temp / "ff.txt"}, &out), 1);
    EXPECT_TRUE(Has(out, "profile 1: the report rate byte 0xff names no report rate")) << out;
    EXPECT_TRUE(Has(out, "nothing was changed")) << out;
    EXPECT_EQ(Memory(256, 8), before);

    std::string passwd = good;
    passwd.replace(passwd.find("\nprofile 2\n") + 1, 0, "button 3 macro-name \"../../../../etc/passwd\"\n");
    std::ofstream(temp / "passwd.txt") << passwd;
    EXPECT_EQ(Ctl({"import", temp / "passwd.txt"}, &out), 1);
    EXPECT_TRUE(Has(out, "cannot name a macro file")) << out;
    EXPECT_EQ(Ctl({"store", "get", "PF0T3 Macro Name"}, &out), 1);

    // A byte-order mark from an editor is fine.
    std::ofstream(temp / "bom.txt") << "\xEF\xBB\xBF" + good;
    EXPECT_EQ(Ctl({"import", temp / "bom.txt"}, &out), 0) << out;
}

TEST_F(CtlHardeningTest, AStoreThatCannotBeWrittenChangesNothing) {
    std::string out;
    ASSERT_EQ(Ctl({"store", "set", "Empty", "--text", "x"}), 0);
    ASSERT_EQ(Ctl({"store", "set", "Empty", "--text", ""}, &out), 0) << out;
    ASSERT_EQ(Ctl({"store", "get", "Empty"}, &out), 0);
    EXPECT_EQ(out, "\n");
    EXPECT_EQ(Ctl({"button", "1", "7", "LAUNCH", "--program", ""}, &out), 2);
    const std::string good = Export();
    std::ofstream(temp / "good.txt") << good;

    // The store becomes a file that is no database.
    const std::string store = temp.Path() + "/config/Vorlix Daze/store.sqlite3";
    std::filesystem::remove(store + "-wal");
    std::filesystem::remove(store + "-shm");
    std::ofstream(store, std::ios::trunc) << std::string(5000, 'j');
    const std::vector<int> before = Memory(256 + 54, 40);
    const std::vector<std::vector<std::string>> commands = {
        {"button", "1", "7", "LAUNCH", "--program", "/bin/true"},
        {"import", temp / "good.txt"},
    };
    for (const auto& args : commands) {
        EXPECT_EQ(Ctl(args, &out), 1) << args[0];
        EXPECT_TRUE(Has(out, "the mouse was not changed")) << out;
    }
    EXPECT_EQ(Memory(256 + 54, 40), before);
}

TEST_F(CtlHardeningTest, LostOutputIsAFailure) {
    const char* commands[] = {"export -", "dump", "dump --json", "store list", "list"};
    ASSERT_EQ(Ctl({"store", "set", "Path", "--text", "/opt"}), 0);
    for (const char* command : commands) {
        std::string out;
        EXPECT_EQ(Shell("exec " + CtlPath() + " " + command + " > /dev/full", &out), 1) << command;
        EXPECT_TRUE(Has(out, "vorlixctl: cannot write the output")) << out;
    }
    // A file size limit ends in a message, not a signal, and leaves neither half a file nor a temporary
    // one behind.
    std::string out;
    EXPECT_EQ(Shell("ulimit -f 4; exec " + CtlPath() + " export " + temp / "limited.txt", &out), 1);
    EXPECT_TRUE(Has(out, "cannot write")) << out;
    EXPECT_FALSE(std::filesystem::exists(temp / "limited.txt"));
    EXPECT_EQ(
        Shell("ulimit -f 0; exec " + CtlPath() + " store set Big --text " + std::string(1000, 'x'), &out), 1);
    EXPECT_TRUE(Has(out, "cannot write")) << out;
}

TEST_F(CtlHardeningTest, ExportWritesOnlyARegularFileOrANewOne) {
    ::mkfifo((temp / "fifo").c_str(), 0600);
    std::filesystem::create_directory(temp / "dir");
    std::ofstream(temp / "mine.txt.tmp") << "the user's own";
    std::ofstream(temp / "private.txt") << "old";
    ::chmod((temp / "private.txt").c_str(), 0600);
    std::string out;
    EXPECT_EQ(Ctl({"export", temp / "fifo"}, &out), 1);
    EXPECT_TRUE(Has(out, "is not a regular file")) << out;
    EXPECT_EQ(Ctl({"export", temp / "dir"}, &out), 1);
    EXPECT_EQ(Ctl({"export", "/dev/null"}, &out), 1);
    EXPECT_EQ(Ctl({"export", temp / "mine.txt"}, &out), 0) << out;
    EXPECT_EQ(Read(temp / "mine.txt.tmp"), "the user's own");
    EXPECT_EQ(Ctl({"export", temp / "private.txt"}, &out), 0) << out;
    struct stat info {};
    ::stat((temp / "private.txt").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_TRUE(Has(Read(temp / "private.txt"), "vorlix-settings 2"));
    EXPECT_TRUE(S_ISFIFO(::lstat((temp / "fifo").c_str(), &info) == 0 ? info.st_mode : 0));

    // The macro export keeps to the same rule.
    ASSERT_EQ(Ctl({"macro", "new", "Burst"}, &out), 0) << out;
    EXPECT_EQ(Ctl({"macro", "export", "Burst", temp / "fifo"}, &out), 1);
    EXPECT_TRUE(S_ISFIFO(::lstat((temp / "fifo").c_str(), &info) == 0 ? info.st_mode : 0));
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(temp.Path())) {
        files += entry.path().filename().string().find(".tmp-") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(files, 0u);
}

TEST_F(CtlHardeningTest, ArgumentsThatNameNothingAreRefused) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{"dpi", "1", "1", "1600", "--mouse", "3"}, 1, "there is no mouse 3; 1 mouse is attached"},
        {{"read", "25", "--mouse", "2"}, 1, "there is no mouse 2"},
        {{"export", "-", "--mouse", "2"}, 1, "there is no mouse 2"},
        {{"macro", "bind", "1", "2", "X", "--mouse", "2"}, 1, "there is no mouse 2"},
        {{"read", "25", "--mouse", "0"}, 2, "a mouse number from 1"},
        {{"profile", "1", "--json"}, 2, "unknown option --json"},
        {{"dpi", "1", "1", "800", "--mouse", "1", "--mouse", "1"}, 2, "--mouse is given twice"},
        {{"read", "25", "--verbose"}, 2, "unknown option --verbose"},
        {{"read", "4032"}, 2, "addresses 0 to 4031, not 4032"},
        {{"write", "4032", "1"}, 2, "addresses 0 to 4031, not 4032"},
        {{"macro", "bind", "6", "1", "X"}, 2, "the profile must be a number from 1 to 5, not \"6\""},
        {{"macro", "bind", "1", "9", "X"}, 2, "the button must be a number from 1 to 8, not \"9\""},
        {{"macro", "new", "."}, 1, "FAILURE: Can't find the file path: ."},
        {{"macro", "new", "caf\xe9"}, 2, "must be valid UTF-8"},
        {{"store", "set", "K", "--text", "\xff"}, 2, "not valid UTF-8"},
        {{"store", "set", "A\tB", "--dword", "1"}, 2, "on one line without tabs"},
        {{"store", "set", "A\nB", "--dword", "1"}, 2, "on one line without tabs"},
        {{"button", "1", "7", "LAUNCH", "--program", "/opt/caf\xe9"}, 2, "not valid UTF-8"},
    };
    for (const Case& c : cases) {
        std::string out;
        EXPECT_EQ(Ctl(c.args, &out), c.status) << c.args[0] << " " << c.args[1] << ": " << out;
        EXPECT_TRUE(Has(out, c.message)) << out;
    }
    EXPECT_EQ(Peek(256 + 3), 4);
    std::string out;
    EXPECT_EQ(Ctl({"list"}, &out), 0);
    EXPECT_EQ(out.rfind("1\t2401: ", 0), 0u) << out;
}

TEST_F(CtlHardeningTest, MacroImportTakesOnlyWhatTheReaderAccepts) {
    const std::string header("\x46\x22\xA1\x3B\x00\x01\x01\x00\x00", 9);
    std::string script(48, '\0');
    script[0] = 5;
    script[2] = 1;
    script[3] = 11;
    const std::string good =
        header + script + std::string("\x04\x01\x64\x00\x84\x83\x82\x70\x06\x86\xF0", 11);
    struct Case {
        const char* name;
        std::string bytes;
        bool accepted;
    };
    const Case cases[] = {
        {"Good.mac", good, true},
        {"Random.mac", std::string("\x13\x99\x02\x7f\x00\x10 random bytes", 19), false},
        {"Empty.mac", "", false},
        {"Large.mac", header + std::string(2991, '\x04'), false},
        {"Short.mac", good.substr(0, 30), false},
    };
    for (const Case& c : cases) {
        std::ofstream(temp / c.name, std::ios::binary) << c.bytes;
        std::string out;
        EXPECT_EQ(Ctl({"macro", "import", temp / c.name}, &out), c.accepted ? 0 : 1) << c.name << ": " << out;
    }
    std::string out;
    ASSERT_EQ(Ctl({"macro", "list"}, &out), 0);
    EXPECT_EQ(out, "Good\n");
    EXPECT_EQ(Ctl({"macro", "show", "Good"}, &out), 0) << out;

    // A folder filled by hand beyond the library's 50.
    for (int i = 0; i < 52; ++i) {
        std::ofstream(temp.Path() + "/Documents/VORLIX DAZE/M" + std::to_string(i) + ".Mac", std::ios::binary)
            << good;
    }
    ASSERT_EQ(Ctl({"macro", "list"}, &out), 0);
    EXPECT_TRUE(Has(out, "3 more macros are in the library folder")) << out;
}

TEST_F(CtlHardeningTest, DeviceFailuresSayWhatHappened) {
    const std::string denied = StartMouse("denied", {"--fault", "deny"});
    std::string out;
    EXPECT_EQ(Ctl({"dump"}, &out, denied), 1);
    EXPECT_TRUE(Has(out, "permission denied")) << out;
    EXPECT_TRUE(Has(out, "70-vorlix-daze.rules")) << out;
    EXPECT_EQ(Ctl({"read", "25"}, &out, denied), 1);
    EXPECT_TRUE(Has(out, "70-vorlix-daze.rules")) << out;
}

}  // namespace
}  // namespace vorlix
