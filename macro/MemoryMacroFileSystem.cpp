#include "macro/MemoryMacroFileSystem.h"

namespace vorlix {

namespace {

std::string Parent(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

bool CMemoryMacroFileSystem::FolderExists(const std::string& path) const {
    return folders.count(path) != 0;
}

bool CMemoryMacroFileSystem::CreateFolder(const std::string& path) {
    if (path.empty() || files.count(path) != 0) {
        return false;
    }
    for (std::string folder = path; !folder.empty(); folder = Parent(folder)) {
        folders.insert(folder);
    }
    return true;
}

bool CMemoryMacroFileSystem::ListFolder(const std::string& folder, std::vector<std::string>& names) {
    names.clear();
    if (!FolderExists(folder)) {
        return false;
    }
    for (const auto& [path, content] : files) {
        if (Parent(path) == folder) {
            names.push_back(path.substr(folder.size() + 1));
        }
    }
    return true;
}

bool CMemoryMacroFileSystem::Exists(const std::string& path) {
    return files.count(path) != 0 || FolderExists(path);
}

FileStatus CMemoryMacroFileSystem::ReadFile(const std::string& path, size_t maxBytes,
                                            std::vector<uint8_t>& bytes) {
    const auto found = files.find(path);
    if (found == files.end()) {
        return FileStatus::CannotOpen;
    }
    bytes.assign(found->second.begin(), found->second.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                                    maxBytes, found->second.size())));
    return FileStatus::Ok;
}

FileStatus CMemoryMacroFileSystem::ReplaceFile(const std::string& path, const uint8_t* data, size_t size) {
    if (!FolderExists(Parent(path)) || FolderExists(path)) {
        return FileStatus::CannotOpen;
    }
    if (failWrites) {
        return FileStatus::WriteFailed;
    }
    files[path].assign(data, data + size);
    return FileStatus::Ok;
}

FileStatus CMemoryMacroFileSystem::CreateNewFile(const std::string& path, const uint8_t* data, size_t size) {
    if (Exists(path)) {
        return FileStatus::Exists;
    }
    return ReplaceFile(path, data, size);
}

bool CMemoryMacroFileSystem::DeleteFile(const std::string& path) {
    return files.erase(path) != 0;
}

}  // namespace vorlix
