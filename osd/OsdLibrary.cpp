#include "OsdLibrary.h"

#include <QGuiApplication>
#include <QTimer>
#include <memory>

#include "OsdNotificationView.h"
#include "OsdWnd.h"
#include "osd/core/OsdState.h"
#include "platform/UserPaths.h"
#include "platform/UserStore.h"
#include "platform/qt/QtMessageReceiver.h"
#include "shared/Messages.h"
#include "shared/SteadyClock.h"
#include "shared/StoreNames.h"

namespace {

using namespace vorlix;

// Everything the library owns while it is loaded: the endpoint published as "OSD Handle", the window
// (or the notification service where no X display exists), the notice state and its one timer.
class COsdApp {
public:
    bool Create() {
        const std::string runtimeDir = CUserPaths::RuntimeDir();
        if (runtimeDir.empty() || !m_receiver.Create(runtimeDir)) {
            return false;
        }
        // A native Wayland window can neither be placed nor let clicks through; the monitor runs on
        // XWayland where it can, so a Wayland platform here means there is no X display at all.
        if (QGuiApplication::platformName() == QLatin1String("wayland")) {
            m_view = std::make_unique<COsdNotificationView>();
        } else {
            auto window = std::make_unique<COsdWnd>();
            // The native window is created now, hidden, so the first notice finds it ready; showing it
            // for a moment at start would flash an empty window in the corner of the screen.
            window->winId();
            m_view = std::move(window);
        }
        m_state = std::make_unique<COsdState>(m_clock, *m_view);
        m_timer.setSingleShot(true);
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_state->OnTimer();
            Arm();
        });
        QObject::connect(&m_receiver, &CQtMessageReceiver::MessageReceived,
                         [this](quint32 message, quint32 kind, quint32 value) {
                             if (message == msg::kOsdNotice) {
                                 m_state->HandleNotice(kind, value);
                                 Arm();
                             }
                         });
        m_store.Store().WriteDword(store::kOsdHandle, m_receiver.Id());
        return true;
    }

    ~COsdApp() {
        m_timer.stop();
        m_store.Store().WriteDword(store::kOsdHandle, 0);
    }

private:
    void Arm() {
        const std::optional<uint64_t> deadline = m_state->NextDeadlineMs();
        if (!deadline) {
            m_timer.stop();
            return;
        }
        const uint64_t now = m_clock.NowMs();
        m_timer.start(static_cast<int>(*deadline > now ? *deadline - now : 0));
    }

    CSteadyClock m_clock;
    CUserStore m_store;
    CQtMessageReceiver m_receiver;
    std::unique_ptr<IOsdView> m_view;
    std::unique_ptr<COsdState> m_state;
    QTimer m_timer;
};

std::unique_ptr<COsdApp> g_app;

}  // namespace

int VorlixOsdCreate() {
    if (g_app) {
        return 1;
    }
    auto app = std::make_unique<COsdApp>();
    if (!app->Create()) {
        return 0;
    }
    g_app = std::move(app);
    return 1;
}

void VorlixOsdDestroy() {
    g_app.reset();
}
