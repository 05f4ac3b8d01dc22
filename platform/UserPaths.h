#pragma once

#include <functional>
#include <string>

namespace vorlix {

// Where this user's files live. Each folder is private to the user.
class CUserPaths {
public:
    // "$XDG_CONFIG_HOME/Vorlix Daze" (default ~/.config/Vorlix Daze). Not created here.
    static std::string ConfigDir();
    // The per-user store file inside the config folder.
    static std::string StoreFile();
    // "$XDG_RUNTIME_DIR/vorlix-daze", or "/tmp/vorlix-daze-UID" when the variable is unset or its folder
    // is unusable. Created 0700 when missing; refused unless it is a real folder, owned by this user,
    // that nobody else may enter. Empty with an explanation in error on failure. A set variable whose
    // folder fails the check is reported once (ReportOnce) before the fallback is used.
    static std::string RuntimeDir(std::string* error = nullptr);
    // The user's documents folder: XDG_DOCUMENTS_DIR from user-dirs.dirs, else ~/Documents.
    static std::string DocumentsDir();
    static std::string HomeDir();

    // Creates a private folder (0700) if missing and checks it: a folder, not a symbolic link, owned
    // by this user, with no access for group or others. Exposed for tests.
    static bool EnsurePrivateDir(const std::string& path, std::string* error);

    // A problem the user should hear of although the program carries on (a damaged store, a runtime
    // folder that failed its check): one line on stderr, named after the program, the first time each
    // kind of problem occurs in the process, and a trace line when VORLIX_TRACE is set.
    static void ReportOnce(const std::string& kind, const std::string& text);
    // Sends the lines to sink instead of stderr (empty: back to stderr) and forgets what was reported.
    using ReportSink = std::function<void(const std::string& line)>;
    static void SetReportSink(ReportSink sink);
};

}  // namespace vorlix
