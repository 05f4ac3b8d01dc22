#include "PosixFileProbe.h"

#include <sys/stat.h>
#include <unistd.h>

namespace vorlix {

bool CPosixFileProbe::IsReadableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), R_OK) == 0;
}

}  // namespace vorlix
