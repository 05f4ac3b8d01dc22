// Started by the launcher tests with no arguments: appends one line about itself to "<its own path>.out"
// (process, parent, session, arguments, signal state and the descriptors it was given), then ends.
#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    // Listed before anything of our own is opened; the listing's own descriptor is left out.
    std::string fds;
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (const dirent* entry = readdir(dir)) {
            if (entry->d_name[0] == '.' || std::atoi(entry->d_name) == dirfd(dir)) {
                continue;
            }
            fds += (fds.empty() ? "" : ",") + std::string(entry->d_name);
        }
        closedir(dir);
    }
    sigset_t blocked;
    sigprocmask(SIG_BLOCK, nullptr, &blocked);
    struct sigaction pipeAction {};
    sigaction(SIGPIPE, nullptr, &pipeAction);
    const std::string out = std::string(argv[0]) + ".out";
    FILE* file = std::fopen(out.c_str(), "a");
    if (file == nullptr) {
        return 1;
    }
    std::fprintf(file, "pid=%d ppid=%d sid=%d argc=%d term-blocked=%d pipe-ignored=%d fds=%s argv0=%s\n",
                 static_cast<int>(getpid()), static_cast<int>(getppid()), static_cast<int>(getsid(0)), argc,
                 sigismember(&blocked, SIGTERM), pipeAction.sa_handler == SIG_IGN ? 1 : 0, fds.c_str(),
                 argv[0]);
    std::fclose(file);
    return 0;
}
