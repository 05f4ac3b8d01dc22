#include "ConfigApp.h"

#include <QApplication>
#include <cstdlib>
#include <memory>

#include "MainFrameDlg.h"
#include "QtMessageReporter.h"
#include "device/TransferWait.h"
#include "lang/LanguageChoice.h"
#include "macro/platform/PosixMacroFileSystem.h"
#include "platform/DatagramPoster.h"
#include "platform/InstanceLock.h"
#include "platform/SqliteStoreBackend.h"
#include "platform/Trace.h"
#include "platform/UserPaths.h"
#include "platform/UserStore.h"
#include "platform/hid/HidTransportFactory.h"
#include "platform/lang/PosixLangFileSystem.h"
#include "platform/lang/UserLanguage.h"
#include "platform/launch/PosixLauncher.h"
#include "platform/pointer/UserPointerSettings.h"
#include "shared/MessagePoster.h"
#include "shared/PointerSettings.h"
#include "shared/ProgramLauncher.h"
#include "shared/SteadyClock.h"
#include "shared/Utf16.h"
#include "ui/skin/SkinApplication.h"
#include "ui/skin/SkinImageCache.h"
#include "ui/startup/StartupRules.h"

namespace vorlix {

namespace {

constexpr const char* kInstanceLockName = "Qz vIVEDUD VORLIX DAZE";
constexpr uint16_t kPrimaryLanguageMask = 0x3FF;
constexpr uint16_t kEnglish = 0x09;

// The language file of the user's language, found as the program's own search order says; the English
// defaults when there is none or it fails its check.
SConfigLanguage LoadTextTables(CTextTables& tables) {
    const SConfigLanguage language = CUserLanguage::LoadConfigTables(tables);
    Trace(language.fileInUse ? "language file in use" : "built-in English texts");
    return language;
}

SMainFrameParts RealParts(const std::string& runtimeDir) {
    SMainFrameParts parts;
    parts.storeBackend = std::make_unique<CSqliteStoreBackend>(CUserPaths::StoreFile());
    parts.poster = std::make_unique<CDatagramPoster>(runtimeDir);
    parts.transport = CreateHidTransport();
    parts.clock = &CSteadyClock::Instance();
    parts.waiter = &CRealTransferWaiter::Instance();
    parts.launcher = std::make_unique<CPosixLauncher>();
    // A profile's pointer settings go to the user's desktop; with no desktop backend they stay stored.
    parts.pointer = CreateUserPointerSettings();
    parts.macroFiles = std::make_unique<CPosixMacroFileSystem>();
    parts.macroFolder = CPosixMacroFileSystem::LibraryFolder();
    // The build's vendor image; without one, a generated test image named in the environment, which only
    // the virtual mouse is ever sent.
    parts.firmware = ProgramFirmwareImage(std::getenv(kTestFirmwareVariable));
    return parts;
}

}  // namespace

int CConfigApp::Run(int argc, char** argv) {
    PrepareSkinApplication();
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Vorlix");
    QCoreApplication::setApplicationName("Qz vIVEDUD VORLIX DAZE Gaming Mouse");
    app.setQuitOnLastWindowClosed(false);

    CTextTables tables;
    const SConfigLanguage language = LoadTextTables(tables);
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

    // The lock outlives the window, so the window's handles are withdrawn while it is still held and a
    // new start can never publish its handle only to have this process delete it.
    CInstanceLock lock;
    std::string lockError;
    const CInstanceLock::Result locked = lock.Acquire(runtimeDir, kInstanceLockName, &lockError);
    if (locked == CInstanceLock::Result::Error) {
        reporter.ShowMessage(caption, lockError, IMessageReporter::Icon::Stop);
        return 1;
    }
    if (locked == CInstanceLock::Result::HeldElsewhere) {
        CUserStore store;
        CDatagramPoster poster(runtimeDir);
        const auto handOver = CStartupRules::HandOverToRunningInstance(
            store.Store(), poster, reporter, CSteadyClock::Instance(), caption, tooManyInstances);
        Trace(handOver == CStartupRules::HandOver::PostedShow ? "handed over" : "too many instances");
        Trace("ended");
        return 0;
    }

    // The window's pictures decode on a second thread while the store and the controls are set up
    // here. The worker ends before the application object does.
    CSkinImageCache::Instance().Prefetch(CMainFrameDlg::StartPictures());
    struct SStopPrefetch {
        ~SStopPrefetch() { CSkinImageCache::Instance().Stop(); }
    } stopPrefetch;

    SMainFrameOptions options;
    options.automation = automation;
    options.leftButtonByMessage =
        language.fileInUse && (language.languageId & kPrimaryLanguageMask) != kEnglish;
    options.helpDocument = language.helpDocument;
    options.storePath = language.storePath;
    options.exeDir = CPosixLangFileSystem::ExecutableDir();

    int result = 0;
    auto window = std::make_unique<CMainFrameDlg>(RealParts(runtimeDir), tables, options);
    // The program ends when the main window ends its run, whether it was ever shown or not. Connected
    // before the window starts: the first load runs inside Initialise, and a close request that arrives
    // during it ends the run as soon as the load has come back.
    QObject::connect(window.get(), &CMainFrameDlg::Ended, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    if (!window->Initialise(runtimeDir, &error)) {
        reporter.ShowMessage(caption, "Cannot create the message endpoint: " + error,
                             IMessageReporter::Icon::Stop);
        result = 1;
    } else {
        result = app.exec();
    }
    window.reset();
    lock.Release();
    Trace("ended");
    return result;
}

}  // namespace vorlix
