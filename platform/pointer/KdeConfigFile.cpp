#include "KdeConfigFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vorlix {

namespace {

constexpr size_t npos = static_cast<size_t>(-1);

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool IsHeader(const std::string& line) {
    const std::string t = Trim(line);
    return !t.empty() && t.front() == '[';
}

// "[Mouse]" names group "Mouse"; "[Mouse][$i]" is the same group, immutable. Nested groups
// ("[Libinput][1133][49271][name]") keep their full bracket chain as their name.
std::string HeaderGroup(const std::string& line, bool* immutable) {
    std::string t = Trim(line);
    *immutable = false;
    const std::string mark = "[$i]";
    if (t.size() > mark.size() && t.compare(t.size() - mark.size(), mark.size(), mark) == 0) {
        *immutable = true;
        t.resize(t.size() - mark.size());
    }
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
        return t.substr(1, t.size() - 2);
    }
    return t;
}

}  // namespace

CKdeConfigFile::CKdeConfigFile(std::string path) : m_path(std::move(path)) {}

bool CKdeConfigFile::Load() {
    m_lines.clear();
    m_dirty = false;
    m_fileImmutable = false;
    std::ifstream in(m_path);
    if (!in) {
        return !std::filesystem::exists(m_path);
    }
    std::string line;
    while (std::getline(in, line)) {
        m_lines.push_back(line);
    }
    // A file whose first group header is "[$i]" alone is immutable as a whole.
    for (const std::string& l : m_lines) {
        if (IsHeader(l)) {
            m_fileImmutable = Trim(l) == "[$i]";
            break;
        }
    }
    return !in.bad();
}

size_t CKdeConfigFile::FindGroup(const std::string& group) const {
    for (size_t i = 0; i < m_lines.size(); ++i) {
        bool immutable = false;
        if (IsHeader(m_lines[i]) && HeaderGroup(m_lines[i], &immutable) == group) {
            return i;
        }
    }
    return npos;
}

size_t CKdeConfigFile::GroupEnd(size_t header) const {
    size_t i = header + 1;
    while (i < m_lines.size() && !IsHeader(m_lines[i])) {
        ++i;
    }
    return i;
}

size_t CKdeConfigFile::FindKey(size_t header, const std::string& key, bool* immutable) const {
    const size_t end = GroupEnd(header);
    for (size_t i = header + 1; i < end; ++i) {
        const std::string& line = m_lines[i];
        const size_t eq = line.find('=');
        if (eq == std::string::npos || Trim(line).starts_with('#')) {
            continue;
        }
        std::string name = Trim(line.substr(0, eq));
        bool locked = false;
        if (name.ends_with("[$i]")) {
            locked = true;
            name.resize(name.size() - 4);
        }
        if (name == key) {
            *immutable = locked;
            return i;
        }
    }
    return npos;
}

std::optional<std::string> CKdeConfigFile::Get(const std::string& group, const std::string& key) const {
    const size_t header = FindGroup(group);
    if (header == npos) {
        return std::nullopt;
    }
    bool immutable = false;
    const size_t at = FindKey(header, key, &immutable);
    if (at == npos) {
        return std::nullopt;
    }
    return Trim(m_lines[at].substr(m_lines[at].find('=') + 1));
}

bool CKdeConfigFile::Set(const std::string& group, const std::string& key, const std::string& value) {
    if (m_fileImmutable) {
        return false;
    }
    const std::string line = key + "=" + value;
    size_t header = FindGroup(group);
    if (header == npos) {
        if (!m_lines.empty() && !Trim(m_lines.back()).empty()) {
            m_lines.emplace_back();
        }
        m_lines.push_back("[" + group + "]");
        m_lines.push_back(line);
        m_dirty = true;
        return true;
    }
    bool groupImmutable = false;
    HeaderGroup(m_lines[header], &groupImmutable);
    if (groupImmutable) {
        return false;
    }
    bool keyImmutable = false;
    const size_t at = FindKey(header, key, &keyImmutable);
    if (keyImmutable) {
        return false;
    }
    if (at != npos) {
        if (m_lines[at] != line) {
            m_lines[at] = line;
            m_dirty = true;
        }
        return true;
    }
    // After the group's last non-empty line, so a blank line before the next group stays.
    size_t insert = GroupEnd(header);
    while (insert > header + 1 && Trim(m_lines[insert - 1]).empty()) {
        --insert;
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insert), line);
    m_dirty = true;
    return true;
}

CKdeConfigFile::SaveResult CKdeConfigFile::Save() {
    if (!m_dirty) {
        return SaveResult::Unchanged;
    }
    struct stat info {};
    mode_t mode = 0600;
    if (stat(m_path.c_str(), &info) == 0) {
        // Checked on the mode bits, not with access(): the owner's write bit is what the user set.
        if ((info.st_mode & S_IWUSR) == 0) {
            return SaveResult::ReadOnly;
        }
        mode = info.st_mode & 07777;
    } else {
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::path(m_path).parent_path(), ignored);
    }
    std::ostringstream text;
    for (const std::string& line : m_lines) {
        text << line << '\n';
    }
    const std::string body = text.str();
    std::string temp = m_path + ".vorlix-XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        return SaveResult::Failed;
    }
    bool ok = fchmod(fd, mode) == 0;
    size_t done = 0;
    while (ok && done < body.size()) {
        const ssize_t n = write(fd, body.data() + done, body.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        ok = n > 0;
        done += ok ? static_cast<size_t>(n) : 0;
    }
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (!ok || std::rename(temp.c_str(), m_path.c_str()) != 0) {
        unlink(temp.c_str());
        return SaveResult::Failed;
    }
    m_dirty = false;
    return SaveResult::Saved;
}

}  // namespace vorlix
