// The background monitor: one per user. The first takes the lock, loads the notice library, publishes
// "Monitor Handle", shows the tray icon and turns the mouse's own events into notices, launches and
// pointer settings; a second one brings the configuration program forward (or starts it) and ends.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "CommandDispatcher.h"
#include "TracingLauncher.h"
#include "TracingPointerSettings.h"
#include "monitor/core/MonitorCore.h"
#include "platform/InstanceLock.h"
#include "platform/Trace.h"
#include "platform/UserPaths.h"
#include "platform/lang/PosixLangFileSystem.h"
#include "platform/launch/PosixLauncher.h"
#include "shared/ProgramInfo.h"

namespace {

// The notice window must be placed bottom centre and let clicks through, which a native Wayland window
// cannot do in this Qt: where an X display exists (XWayland too) the monitor runs on it. With no
// display at all it still serves events and launches, with no window to show.
void ChoosePlatform() {
    if (std::getenv("QT_QPA_PLATFORM") != nullptr) {
        return;
    }
    if (std::getenv("DISPLAY") != nullptr) {
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    } else if (std::getenv("WAYLAND_DISPLAY") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vorlix;
    if (const auto status = CProgramInfo::Answer(argc, argv, CProgramInfo::kMonitorProgram)) {
        return *status;
    }
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const bool automation = CMonitorCore::IsAutomation(arguments);
    ChoosePlatform();
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    std::string error;
    const std::string runtimeDir = CUserPaths::RuntimeDir(&error);
    if (runtimeDir.empty()) {
        std::fprintf(stderr, "VorlixMonitor: cannot use the runtime folder: %s\n", error.c_str());
        return 1;
    }
    auto monitor = std::make_unique<CCommandDispatcher>(
        runtimeDir, CPosixLangFileSystem::ExecutableDir(),
        std::make_unique<CTracingLauncher>(std::make_unique<CPosixLauncher>()),
        CreateMonitorPointerSettings());
    CInstanceLock lock;
    const auto locked = lock.Acquire(runtimeDir, "VORLIX DAZE Monitor", &error);
    if (locked == CInstanceLock::Result::Error) {
        std::fprintf(stderr, "VorlixMonitor: %s\n", error.c_str());
        return 1;
    }
    if (locked == CInstanceLock::Result::HeldElsewhere) {
        // A second monitor loads no notice library and adds no tray icon.
        monitor->RunAsSecond();
        return 0;
    }
    monitor->LoadOsd();
    if (!monitor->Create(automation)) {
        return 1;
    }
    const int status = app.exec();
    lock.Release();
    monitor.reset();
    Trace("monitor ended");
    return status;
}
