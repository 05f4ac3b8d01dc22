#include "PosixLangFileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <filesystem>

namespace vorlix {

namespace {

class CPosixFile : public ILangFile {
public:
    explicit CPosixFile(int fd) : m_fd(fd) {}
    ~CPosixFile() override { close(m_fd); }
    CPosixFile(const CPosixFile&) = delete;
    CPosixFile& operator=(const CPosixFile&) = delete;

    long ReadAt(uint64_t offset, uint8_t* buffer, size_t size) override {
        if (offset > static_cast<uint64_t>(LLONG_MAX)) {
            return 0;
        }
        ssize_t read = 0;
        do {
            read = pread(m_fd, buffer, size, static_cast<off_t>(offset));
        } while (read < 0 && errno == EINTR);
        return static_cast<long>(read);
    }

private:
    int m_fd;
};

// Opens path for reading only when it is a regular file, so a folder or a device is never "found".
int OpenRegularFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return -1;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

std::unique_ptr<ILangFile> CPosixLangFileSystem::Open(const std::string& path) {
    const int fd = OpenRegularFile(path);
    return fd < 0 ? nullptr : std::make_unique<CPosixFile>(fd);
}

bool CPosixLangFileSystem::IsReadable(const std::string& path) {
    const int fd = OpenRegularFile(path);
    if (fd < 0) {
        return false;
    }
    close(fd);
    return true;
}

std::string CPosixLangFileSystem::ExecutableDir() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : exe.parent_path().string();
}

}  // namespace vorlix
