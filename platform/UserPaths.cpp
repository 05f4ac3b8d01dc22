#include "UserPaths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <set>

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

struct SReports {
    std::mutex mutex;
    std::set<std::string> done;
    CUserPaths::ReportSink sink;
};

SReports& Reports() {
    static SReports reports;
    return reports;
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

void CUserPaths::ReportOnce(const std::string& kind, const std::string& text) {
    SReports& reports = Reports();
    std::lock_guard lock(reports.mutex);
    if (!reports.done.insert(kind).second) {
        return;
    }
    const std::string line = std::string(program_invocation_short_name) + ": " + text;
    const bool trace = std::getenv("VORLIX_TRACE") != nullptr;
    if (reports.sink) {
        reports.sink(line);
        if (trace) {
            reports.sink("vorlix-trace: " + kind);
        }
        return;
    }
    std::fprintf(stderr, "%s\n", line.c_str());
    if (trace) {
        std::fprintf(stderr, "vorlix-trace: %s\n", kind.c_str());
    }
    std::fflush(stderr);
}

void CUserPaths::SetReportSink(ReportSink sink) {
    SReports& reports = Reports();
    std::lock_guard lock(reports.mutex);
    reports.sink = std::move(sink);
    reports.done.clear();
}

std::string CUserPaths::RuntimeDir(std::string* error) {
    const std::string xdg = Env("XDG_RUNTIME_DIR");
    if (!xdg.empty()) {
        std::string why;
        struct stat info {};
        if (xdg[0] != '/') {
            why = "XDG_RUNTIME_DIR is not an absolute path";
        } else if (stat(xdg.c_str(), &info) != 0) {
            why = "cannot inspect " + xdg + ": " + std::strerror(errno);
        } else if (!S_ISDIR(info.st_mode)) {
            why = xdg + " is not a folder";
        } else if (info.st_uid != getuid()) {
            why = xdg + " belongs to another user";
        } else {
            const std::string dir = xdg + "/vorlix-daze";
            if (EnsurePrivateDir(dir, &why)) {
                return dir;
            }
        }
        ReportOnce("runtime folder fallback", "the runtime folder under XDG_RUNTIME_DIR cannot be used (" +
                                                  why + "); using /tmp/vorlix-daze-" +
                                                  std::to_string(getuid()) + " instead");
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
