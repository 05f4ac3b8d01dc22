#include "ConfigApp.h"

#include <QApplication>
#include <memory>

#include "MainFrameDlg.h"
#include "QtMessageReporter.h"
#include "Trace.h"
#include "platform/UserPaths.h"
#include "shared/SteadyClock.h"
#include "ui/startup/StartupRules.h"

namespace vorlix {

namespace {
// Until the language tables arrive these are the English defaults of message 0 and its caption.
constexpr const char* kMessageCaption = "Qz vIVEDUD VORLIX DAZE MESSAGE";
constexpr const char* kTooManyInstances = "TOO MANY INSTANCES!";
}  // namespace

int CConfigApp::Run(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Vorlix");
    QCoreApplication::setApplicationName("Qz vIVEDUD VORLIX DAZE Gaming Mouse");
    app.setQuitOnLastWindowClosed(false);

    const std::vector<std::string> args(argv + 1, argv + argc);
    const bool automation = CStartupRules::ParseAutomation(args);
    CQtMessageReporter reporter;

    std::string error;
    const std::string runtimeDir = CUserPaths::RuntimeDir(&error);
    if (runtimeDir.empty()) {
        reporter.ShowMessage(kMessageCaption, "Cannot use the runtime folder: " + error,
                             IMessageReporter::Icon::Stop);
        return 1;
    }

    auto window = std::make_unique<CMainFrameDlg>(runtimeDir, automation);
    if (!window->IsLockUsable()) {
        reporter.ShowMessage(kMessageCaption, window->LockError(), IMessageReporter::Icon::Stop);
        return 1;
    }
    int result = 0;
    if (window->IsAnotherInstance()) {
        const auto handOver = CStartupRules::HandOverToRunningInstance(window->Store(), window->Poster(),
                                                                       reporter, CSteadyClock::Instance(),
                                                                       kMessageCaption, kTooManyInstances);
        Trace(handOver == CStartupRules::HandOver::PostedShow ? "handed over" : "too many instances");
    } else if (!window->Initialise(&error)) {
        reporter.ShowMessage(kMessageCaption, "Cannot create the message endpoint: " + error,
                             IMessageReporter::Icon::Stop);
        result = 1;
    } else {
        // The program ends when the main window closes, whether it was ever shown or not.
        class CloseWatcher : public QObject {
        public:
            using QObject::QObject;
            bool eventFilter(QObject* watched, QEvent* event) override {
                if (event->type() == QEvent::Close) {
                    QCoreApplication::quit();
                }
                return QObject::eventFilter(watched, event);
            }
        };
        CloseWatcher watcher;
        window->installEventFilter(&watcher);
        result = app.exec();
        window->removeEventFilter(&watcher);
    }
    window.reset();
    Trace("ended");
    return result;
}

}  // namespace vorlix
