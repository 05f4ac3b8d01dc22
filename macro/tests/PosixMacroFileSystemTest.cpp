#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <fstream>

#include "macro/platform/PosixMacroFileSystem.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

using testing::ScopedEnv;
using testing::TempDir;

std::vector<std::string> Listing(CPosixMacroFileSystem& files, const std::string& folder) {
    std::vector<std::string> names;
    files.ListFolder(folder, names);
    std::sort(names.begin(), names.end());
    return names;
}

TEST(PosixMacroFileSystemTest, CreateRefusesAnExistingFileReplaceKeepsItsMode) {
    TempDir dir;
    CPosixMacroFileSystem files;
    const std::string path = dir / "m.Mac";
    const uint8_t first[] = {1, 2, 3};
    const uint8_t second[] = {4, 5};
    EXPECT_EQ(files.CreateNewFile(path, first, 3), FileStatus::Ok);
    EXPECT_EQ(files.CreateNewFile(path, second, 2), FileStatus::Exists);
    ::chmod(path.c_str(), 0600);
    EXPECT_EQ(files.ReplaceFile(path, second, 2), FileStatus::Ok);
    std::vector<uint8_t> bytes;
    EXPECT_EQ(files.ReadFile(path, 100, bytes), FileStatus::Ok);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{4, 5}));
    struct stat info {};
    ::stat(path.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(Listing(files, dir.Path()), std::vector<std::string>{"m.Mac"});
    EXPECT_EQ(files.ReplaceFile(dir / "missing/m.Mac", second, 2), FileStatus::CannotOpen);
    EXPECT_TRUE(files.DeleteFile(path));
    EXPECT_FALSE(files.Exists(path));
}

TEST(PosixMacroFileSystemTest, ListsOnlyRegularFilesAndNeverWaitsOnAFifo) {
    TempDir dir;
    CPosixMacroFileSystem files;
    ::mkdir((dir / "folder.mac").c_str(), 0700);
    ::mkfifo((dir / "pipe.mac").c_str(), 0600);
    std::ofstream(dir / "a.mac") << "x";
    ::symlink((dir / "a.mac").c_str(), (dir / "link.mac").c_str());
    EXPECT_EQ(Listing(files, dir.Path()), (std::vector<std::string>{"a.mac", "link.mac"}));
    std::vector<uint8_t> bytes;
    EXPECT_EQ(files.ReadFile(dir / "pipe.mac", 100, bytes), FileStatus::CannotOpen);
    EXPECT_EQ(files.ReadFile(dir / "folder.mac", 100, bytes), FileStatus::CannotOpen);
}

TEST(PosixMacroFileSystemTest, FailedWriteLeavesTheOldFileWhole) {
    TempDir dir;
    CPosixMacroFileSystem files;
    const std::string path = dir / "keep.Mac";
    const std::vector<uint8_t> old(50, 7);
    ASSERT_EQ(files.CreateNewFile(path, old.data(), old.size()), FileStatus::Ok);
    // Files may not grow beyond 100 bytes: writing a whole macro file fails half-way.
    struct rlimit saved {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 100;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const std::vector<uint8_t> large(2057, 9);
    const FileStatus status = files.ReplaceFile(path, large.data(), large.size());
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(status, FileStatus::WriteFailed);
    std::vector<uint8_t> bytes;
    EXPECT_EQ(files.ReadFile(path, 4096, bytes), FileStatus::Ok);
    EXPECT_EQ(bytes, old);
    EXPECT_EQ(Listing(files, dir.Path()), std::vector<std::string>{"keep.Mac"});
}

TEST(PosixMacroFileSystemTest, LibraryIsInTheDocumentsFolder) {
    TempDir home;
    ScopedEnv homeEnv("HOME", home.Path().c_str());
    ScopedEnv config("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(CPosixMacroFileSystem::LibraryFolder(), home / "Documents/VORLIX DAZE");
    ::mkdir((home / ".config").c_str(), 0700);
    std::ofstream(home / ".config/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n";
    const std::string folder = CPosixMacroFileSystem::LibraryFolder();
    EXPECT_EQ(folder, home / "Dokumente/VORLIX DAZE");
    CPosixMacroFileSystem files;
    EXPECT_TRUE(files.CreateFolder(folder));
    EXPECT_TRUE(files.CreateFolder(folder));
    std::ofstream(home / "plain") << "x";
    EXPECT_FALSE(files.CreateFolder(home / "plain/VORLIX DAZE"));
}

}  // namespace
}  // namespace vorlix
