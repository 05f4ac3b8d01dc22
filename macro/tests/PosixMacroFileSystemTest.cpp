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

TEST(PosixMacroFileSystemTest, ReplaceWritesOnlyARegularFileOrANewOne) {
    TempDir dir;
    CPosixMacroFileSystem files;
    ::mkfifo((dir / "pipe").c_str(), 0600);
    ::mkdir((dir / "folder").c_str(), 0700);
    std::ofstream(dir / "target") << "old";
    ::symlink((dir / "target").c_str(), (dir / "link").c_str());
    std::ofstream(dir / "readonly") << "old";
    ::chmod((dir / "readonly").c_str(), 0444);
    const uint8_t data[] = {'n', 'e', 'w'};
    const auto kind = [&](const std::string& name) {
        struct stat info {};
        ::lstat((dir / name).c_str(), &info);
        return info.st_mode & S_IFMT;
    };
    EXPECT_EQ(files.ReplaceFile(dir / "pipe", data, 3), FileStatus::CannotOpen);
    EXPECT_EQ(kind("pipe"), static_cast<unsigned>(S_IFIFO));
    EXPECT_EQ(files.ReplaceFile(dir / "folder", data, 3), FileStatus::CannotOpen);
    EXPECT_EQ(kind("folder"), static_cast<unsigned>(S_IFDIR));

    // Through a link the file it names is replaced and the link stays.
    EXPECT_EQ(files.ReplaceFile(dir / "link", data, 3), FileStatus::Ok);
    EXPECT_EQ(kind("link"), static_cast<unsigned>(S_IFLNK));
    std::vector<uint8_t> bytes;
    EXPECT_EQ(files.ReadFile(dir / "target", 100, bytes), FileStatus::Ok);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{'n', 'e', 'w'}));

    // A read-only file stays read-only; only root may write it at all.
    const FileStatus readOnly = files.ReplaceFile(dir / "readonly", data, 3);
    if (::geteuid() != 0) {
        EXPECT_EQ(readOnly, FileStatus::CannotOpen);
    }
    struct stat info {};
    ::stat((dir / "readonly").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0444u);
    // No temporary file is left behind by any of it.
    EXPECT_EQ(Listing(files, dir.Path()), (std::vector<std::string>{"link", "readonly", "target"}));
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
