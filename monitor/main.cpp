// The background monitor. For now it keeps to one instance per user, publishes "Monitor Handle" and
// ends on a close request; the tray, the notice library and the device events come later.
#include <QApplication>
#include <cstdio>

#include "platform/InstanceLock.h"
#include "platform/UserPaths.h"
#include "platform/UserStore.h"
#include "platform/qt/QtMessageReceiver.h"
#include "shared/Messages.h"
#include "shared/StoreNames.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    std::string error;
    const std::string runtimeDir = vorlix::CUserPaths::RuntimeDir(&error);
    if (runtimeDir.empty()) {
        std::fprintf(stderr, "VorlixMonitor: cannot use the runtime folder: %s\n", error.c_str());
        return 1;
    }
    vorlix::CInstanceLock lock;
    const auto locked = lock.Acquire(runtimeDir, "VORLIX DAZE Monitor", &error);
    if (locked != vorlix::CInstanceLock::Result::Acquired) {
        if (locked == vorlix::CInstanceLock::Result::Error) {
            std::fprintf(stderr, "VorlixMonitor: %s\n", error.c_str());
            return 1;
        }
        return 0;  // already running
    }
    vorlix::CQtMessageReceiver receiver;
    if (!receiver.Create(runtimeDir, &error)) {
        std::fprintf(stderr, "VorlixMonitor: %s\n", error.c_str());
        return 1;
    }
    vorlix::CUserStore store;
    store.Store().WriteDword(vorlix::store::kMonitorHandle, receiver.Id());
    QObject::connect(&receiver, &vorlix::CQtMessageReceiver::MessageReceived,
                     [](quint32 message, quint32, quint32) {
                         if (message == vorlix::msg::kClose) {
                             QCoreApplication::quit();
                         }
                     });
    return app.exec();
}
