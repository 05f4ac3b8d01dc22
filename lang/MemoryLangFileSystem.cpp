#include "MemoryLangFileSystem.h"

#include <algorithm>
#include <cstring>

namespace vorlix {

namespace {

class CMemoryFile : public ILangFile {
public:
    explicit CMemoryFile(const std::vector<uint8_t>& bytes) : m_bytes(bytes) {}

    long ReadAt(uint64_t offset, uint8_t* buffer, size_t size) override {
        if (offset >= m_bytes.size()) {
            return 0;
        }
        const size_t count = std::min<uint64_t>(size, m_bytes.size() - offset);
        std::memcpy(buffer, m_bytes.data() + offset, count);
        return static_cast<long>(count);
    }

private:
    // A copy, so a file removed or replaced while open keeps reading what was opened.
    std::vector<uint8_t> m_bytes;
};

}  // namespace

void CMemoryLangFileSystem::Add(const std::string& path, std::vector<uint8_t> bytes) {
    m_files[path] = std::move(bytes);
}

void CMemoryLangFileSystem::Remove(const std::string& path) {
    m_files.erase(path);
}

std::unique_ptr<ILangFile> CMemoryLangFileSystem::Open(const std::string& path) {
    const auto it = m_files.find(path);
    if (it == m_files.end()) {
        return nullptr;
    }
    return std::make_unique<CMemoryFile>(it->second);
}

bool CMemoryLangFileSystem::IsReadable(const std::string& path) {
    return m_files.count(path) != 0;
}

}  // namespace vorlix
