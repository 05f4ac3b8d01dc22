#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vorlix {

enum class FileStatus {
    Ok,
    CannotOpen,  // missing, not a regular file, or the folder refuses a new file
    ReadFailed,
    WriteFailed,
    Exists,
};

// The file operations the macro library needs. Paths are UTF-8.
class IMacroFileSystem {
public:
    virtual ~IMacroFileSystem() = default;
    // Creates the folder and any missing parents; an existing folder is fine.
    virtual bool CreateFolder(const std::string& path) = 0;
    // Names of the regular files in the folder, in the order the folder gives them.
    virtual bool ListFolder(const std::string& folder, std::vector<std::string>& names) = 0;
    virtual bool Exists(const std::string& path) = 0;
    // Reads at most maxBytes from the start of a regular file.
    virtual FileStatus ReadFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes) = 0;
    // Replaces the file's content as one step: a crash leaves either the old or the new content.
    virtual FileStatus ReplaceFile(const std::string& path, const uint8_t* data, size_t size) = 0;
    // Creates the file with this content unless the path exists (then Exists), as one step.
    virtual FileStatus CreateNewFile(const std::string& path, const uint8_t* data, size_t size) = 0;
    virtual bool DeleteFile(const std::string& path) = 0;
};

}  // namespace vorlix
