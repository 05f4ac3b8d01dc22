#include "macro/platform/PosixMacroFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/UserPaths.h"

namespace vorlix {

namespace {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, const uint8_t* data, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Writes the content to a new hidden file beside path and returns its name, or an empty name when no
// file could be created (status CannotOpen) or written (WriteFailed).
std::string WriteTemporary(const std::string& path, const uint8_t* data, size_t size, FileStatus& status) {
    static unsigned counter = 0;
    const std::string folder = FolderOf(path);
    const std::string base = path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temp =
            folder + "/." + base + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            status = FileStatus::CannotOpen;
            return {};
        }
        // A replaced file keeps its permissions.
        struct stat old {};
        if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
            ::fchmod(fd, old.st_mode & 07777);
        }
        const bool written = WriteAll(fd, data, size) && ::fsync(fd) == 0;
        if (::close(fd) != 0 || !written) {
            ::unlink(temp.c_str());
            status = FileStatus::WriteFailed;
            return {};
        }
        status = FileStatus::Ok;
        return temp;
    }
    status = FileStatus::CannotOpen;
    return {};
}

}  // namespace

std::string CPosixMacroFileSystem::LibraryFolder() {
    return CUserPaths::DocumentsDir() + "/VORLIX DAZE";
}

bool CPosixMacroFileSystem::CreateFolder(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = slash == std::string::npos ? path : path.substr(0, slash);
        if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) {
            return false;
        }
        if (slash == std::string::npos) {
            break;
        }
    }
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool CPosixMacroFileSystem::ListFolder(const std::string& folder, std::vector<std::string>& names) {
    names.clear();
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return false;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        bool regular = entry->d_type == DT_REG;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat info {};
            regular = ::fstatat(::dirfd(dir), entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
        }
        if (regular) {
            names.push_back(name);
        }
    }
    ::closedir(dir);
    return true;
}

bool CPosixMacroFileSystem::Exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

FileStatus CPosixMacroFileSystem::ReadFile(const std::string& path, size_t maxBytes,
                                           std::vector<uint8_t>& bytes) {
    bytes.clear();
    // Non-blocking, so that a FIFO in the library cannot hang the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return FileStatus::CannotOpen;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return FileStatus::CannotOpen;
    }
    bytes.resize(maxBytes);
    size_t total = 0;
    while (total < maxBytes) {
        const ssize_t got = ::read(fd, bytes.data() + total, maxBytes - total);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            ::close(fd);
            bytes.clear();
            return FileStatus::ReadFailed;
        }
        if (got == 0) {
            break;
        }
        total += static_cast<size_t>(got);
    }
    ::close(fd);
    bytes.resize(total);
    return FileStatus::Ok;
}

FileStatus CPosixMacroFileSystem::ReplaceFile(const std::string& given, const uint8_t* data, size_t size) {
    // Only a regular file is replaced, or a new one made: a rename over a FIFO or a device node (run as
    // root: /dev/full) would put a plain file in its place, and a read-only file stays as it is.
    std::string path = given;
    struct stat info {};
    if (::stat(given.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode) || ::access(given.c_str(), W_OK) != 0) {
            return FileStatus::CannotOpen;
        }
        // A symbolic link keeps pointing at the file: the file it names is the one replaced.
        char* resolved = ::realpath(given.c_str(), nullptr);
        if (resolved == nullptr) {
            return FileStatus::CannotOpen;
        }
        path = resolved;
        std::free(resolved);
    } else if (errno != ENOENT) {
        return FileStatus::CannotOpen;
    }
    FileStatus status = FileStatus::Ok;
    const std::string temp = WriteTemporary(path, data, size, status);
    if (temp.empty()) {
        return status;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return FileStatus::WriteFailed;
    }
    SyncFolder(FolderOf(path));
    return FileStatus::Ok;
}

FileStatus CPosixMacroFileSystem::CreateNewFile(const std::string& path, const uint8_t* data, size_t size) {
    FileStatus status = FileStatus::Ok;
    const std::string temp = WriteTemporary(path, data, size, status);
    if (temp.empty()) {
        return status;
    }
    // A hard link appears whole and never replaces an existing file.
    if (::link(temp.c_str(), path.c_str()) == 0) {
        ::unlink(temp.c_str());
        SyncFolder(FolderOf(path));
        return FileStatus::Ok;
    }
    const int linkError = errno;
    ::unlink(temp.c_str());
    if (linkError == EEXIST) {
        return FileStatus::Exists;
    }
    // File systems without hard links: create the file exclusively and write it in place.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return errno == EEXIST ? FileStatus::Exists : FileStatus::CannotOpen;
    }
    const bool written = WriteAll(fd, data, size) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written) {
        ::unlink(path.c_str());
        return FileStatus::WriteFailed;
    }
    return FileStatus::Ok;
}

bool CPosixMacroFileSystem::DeleteFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

}  // namespace vorlix
