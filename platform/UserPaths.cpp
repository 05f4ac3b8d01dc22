#include "UserPaths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace vorlix {

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

void SetError(std::string* error, const std::string& text) {
    if (error != nullptr) {
        *error = text;
    }
}

}  // namespace

std::string CUserPaths::HomeDir() {
    std::string home = Env("HOME");
    if (home.empty()) {
        if (const passwd* pw = getpwuid(getuid()); pw != nullptr && pw->pw_dir != nullptr) {
            home = pw->pw_dir;
        }
    }
    return home.empty() ? std::string("/") : home;
}

std::string CUserPaths::ConfigDir() {
    std::string base = Env("XDG_CONFIG_HOME");
    if (base.empty() || base[0] != '/') {
        base = HomeDir() + "/.config";
    }
    return base + "/Vorlix Daze";
}

std::string CUserPaths::StoreFile() {
    return ConfigDir() + "/store.sqlite3";
}

bool CUserPaths::EnsurePrivateDir(const std::string& path, std::string* error) {
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        SetError(error, "cannot create " + path + ": " + std::strerror(errno));
        return false;
    }
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) {
        SetError(error, "cannot inspect " + path + ": " + std::strerror(errno));
        return false;
    }
    if (S_ISLNK(info.st_mode) || !S_ISDIR(info.st_mode)) {
        SetError(error, path + " is not a folder");
        return false;
    }
    if (info.st_uid != getuid()) {
        SetError(error, path + " belongs to another user");
        return false;
    }
    if ((info.st_mode & 077) != 0) {
        SetError(error, path + " is open to other users");
        return false;
    }
    return true;
}

std::string CUserPaths::RuntimeDir(std::string* error) {
    const std::string xdg = Env("XDG_RUNTIME_DIR");
    struct stat info {};
    if (!xdg.empty() && xdg[0] == '/' && stat(xdg.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
        info.st_uid == getuid()) {
        const std::string dir = xdg + "/vorlix-daze";
        if (EnsurePrivateDir(dir, error)) {
            return dir;
        }
    }
    const std::string fallback = "/tmp/vorlix-daze-" + std::to_string(getuid());
    if (EnsurePrivateDir(fallback, error)) {
        return fallback;
    }
    return {};
}

std::string CUserPaths::DocumentsDir() {
    const std::string home = HomeDir();
    std::string configHome = Env("XDG_CONFIG_HOME");
    if (configHome.empty() || configHome[0] != '/') {
        configHome = home + "/.config";
    }
    // user-dirs.dirs holds lines such as XDG_DOCUMENTS_DIR="$HOME/Dokumente".
    std::ifstream dirs(configHome + "/user-dirs.dirs");
    std::string line;
    const std::string key = "XDG_DOCUMENTS_DIR=\"";
    while (std::getline(dirs, line)) {
        if (line.rfind(key, 0) != 0 || line.size() < key.size() + 1 || line.back() != '"') {
            continue;
        }
        std::string value = line.substr(key.size(), line.size() - key.size() - 1);
        if (value.rfind("$HOME", 0) == 0) {
            value = home + value.substr(5);
        }
        if (!value.empty() && value[0] == '/' && value != home && value != home + "/") {
            return value;
        }
    }
    return home + "/Documents";
}

}  // namespace vorlix
