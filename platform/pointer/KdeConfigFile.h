#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vorlix {

// One of KDE's INI-style configuration files (kdeglobals, kcminputrc), edited in place: a change
// touches only the one key's line, so every other group, key, comment and the file's order stay as the
// desktop wrote them. A key or group marked immutable ("[$i]") is the administrator's: it is not
// changed.
class CKdeConfigFile {
public:
    enum class SaveResult { Saved, Unchanged, ReadOnly, Failed };

    explicit CKdeConfigFile(std::string path);

    // Reads the file; a missing file reads as empty. False when it exists but cannot be read.
    bool Load();
    std::optional<std::string> Get(const std::string& group, const std::string& key) const;
    // False when the key or its group is immutable.
    bool Set(const std::string& group, const std::string& key, const std::string& value);
    // Writes the file through a temporary file and a rename, so a reader never sees half of it. A file
    // without write permission is left alone (ReadOnly), as the user meant it.
    SaveResult Save();

    const std::string& Path() const { return m_path; }

private:
    // Index of the group's header line, or npos.
    size_t FindGroup(const std::string& group) const;
    // Index of the key's line inside the group starting after header line h, or npos.
    size_t FindKey(size_t header, const std::string& key, bool* immutable) const;
    size_t GroupEnd(size_t header) const;

    std::string m_path;
    std::vector<std::string> m_lines;
    bool m_dirty = false;
    bool m_fileImmutable = false;
};

}  // namespace vorlix
