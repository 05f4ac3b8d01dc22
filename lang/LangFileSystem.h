#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace vorlix {

// A file opened for reading. Reads are positional, so the line reader keeps its own position the way a
// file pointer would, and a position past the end simply reads nothing.
class ILangFile {
public:
    virtual ~ILangFile() = default;
    // Reads up to size bytes at offset into buffer; the number of bytes read, 0 at or past the end,
    // -1 on a read error.
    virtual long ReadAt(uint64_t offset, uint8_t* buffer, size_t size) = 0;
};

// The files the language and help code looks at: language files, help documents.
class ILangFileSystem {
public:
    virtual ~ILangFileSystem() = default;
    // The file opened for reading, or nullptr when it is missing, not a regular file or not readable.
    virtual std::unique_ptr<ILangFile> Open(const std::string& path) = 0;
    // True when path names a regular file that can be opened for reading.
    virtual bool IsReadable(const std::string& path) = 0;
};

}  // namespace vorlix
