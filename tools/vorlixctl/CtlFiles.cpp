#include "CtlFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>

#include "macro/MacroFileSystem.h"
#include "macro/platform/PosixMacroFileSystem.h"

namespace vorlix::ctl {

namespace {

bool ReadAll(int fd, size_t maxBytes, std::string& text) {
    text.clear();
    char buffer[16384];
    while (text.size() <= maxBytes) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            break;
        }
        text.append(buffer, static_cast<size_t>(got));
    }
    return true;
}

}  // namespace

bool ReadInputFile(Invocation& call, const std::string& path, size_t maxBytes, std::string& text) {
    const bool standardInput = path == "-";
    // Non-blocking open, so that a FIFO without a writer cannot hang the command before fstat says
    // what it is.
    const int fd = standardInput ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        call.err << "vorlixctl: cannot read " << path << ": " << std::strerror(errno) << "\n";
        return false;
    }
    struct stat info {};
    if (!standardInput && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        call.err << "vorlixctl: " << path << " is not a regular file\n";
        ::close(fd);
        return false;
    }
    const bool read = ReadAll(fd, maxBytes, text);
    const int readError = errno;
    if (!standardInput) {
        ::close(fd);
    }
    if (!read) {
        call.err << "vorlixctl: cannot read " << path << ": " << std::strerror(readError) << "\n";
        return false;
    }
    if (text.size() > maxBytes) {
        call.err << "vorlixctl: " << path << " is larger than " << maxBytes
                 << " bytes; this is not such a file\n";
        return false;
    }
    return true;
}

bool WriteOutputFile(Invocation& call, const std::string& path, const std::string& text) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) {
            call.err << "vorlixctl: " << path
                     << " is not a regular file; write to a regular file or a new one\n";
            return false;
        }
        if (::access(path.c_str(), W_OK) != 0) {
            call.err << "vorlixctl: " << path << " may not be written: " << std::strerror(errno) << "\n";
            return false;
        }
    } else if (errno != ENOENT) {
        call.err << "vorlixctl: cannot write " << path << ": " << std::strerror(errno) << "\n";
        return false;
    }
    CPosixMacroFileSystem files;
    errno = 0;
    const FileStatus status =
        files.ReplaceFile(path, reinterpret_cast<const uint8_t*>(text.data()), text.size());
    if (status != FileStatus::Ok) {
        const int error = errno;
        call.err << "vorlixctl: cannot write " << path;
        if (error != 0) {
            call.err << ": " << std::strerror(error);
        }
        call.err << "; the file was not changed\n";
        return false;
    }
    return true;
}

}  // namespace vorlix::ctl
