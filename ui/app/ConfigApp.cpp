#include "ConfigApp.h"

#include <QApplication>
#include <memory>

#include "MainFrameDlg.h"
#include "QtMessageReporter.h"
#include "Trace.h"
#include "platform/UserPaths.h"
#include "platform/lang/UserLanguage.h"
#include "shared/SteadyClock.h"
#include "shared/Utf16.h"
#include "ui/startup/StartupRules.h"

namespace vorlix {

namespace {
// The language file of the user's language, found as the program's own search order says; the English
// defaults when there is none or it fails its check.
CTextTables LoadTextTables() {
    CTextTables tables;
    const SConfigLanguage language = CUserLanguage::LoadConfigTables(tables);
    Trace(language.fileInUse ? "language file in use" : "built-in English texts");
    return tables;
}
}  // namespace

int CConfigApp::Run(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Vorlix");
    QCoreApplication::setApplicationName("Qz vIVEDUD VORLIX DAZE Gaming Mouse");
    app.setQuitOnLastWindowClosed(false);

    const CTextTables tables = LoadTextTables();
    const std::string caption = Utf16ToUtf8(tables.Text(ETextTable::Caption, 0));
    const std::string tooManyInstances =
        Utf16ToUtf8(tables.Text(ETextTable::Message, message::kTooManyInstances));

    const std::vector<std::string> args(argv + 1, argv + argc);
    const bool automation = CStartupRules::ParseAutomation(args);
    CQtMessageReporter reporter;

    std::string error;
    const std::string runtimeDir = CUserPaths::RuntimeDir(&error);
    if (runtimeDir.empty()) {
        reporter.ShowMessage(caption, "Cannot use the runtime folder: " + error,
                             IMessageReporter::Icon::Stop);
        return 1;
    }

    auto window = std::make_unique<CMainFrameDlg>(runtimeDir, automation);
    if (!window->IsLockUsable()) {
        reporter.ShowMessage(caption, window->LockError(), IMessageReporter::Icon::Stop);
        return 1;
    }
    int result = 0;
    if (window->IsAnotherInstance()) {
        const auto handOver = CStartupRules::HandOverToRunningInstance(
            window->Store(), window->Poster(), reporter, CSteadyClock::Instance(), caption, tooManyInstances);
        Trace(handOver == CStartupRules::HandOver::PostedShow ? "handed over" : "too many instances");
    } else if (!window->Initialise(&error)) {
        reporter.ShowMessage(caption, "Cannot create the message endpoint: " + error,
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
