#include "TaskIcon.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#include <QIcon>
#include <QPixmap>

#include "monitor/core/MonitorCore.h"
#include "platform/Trace.h"

namespace vorlix {

namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");

}  // namespace

CTaskIcon::CTaskIcon(const std::array<QString, 5>& texts, QObject* parent) : QObject(parent), m_texts(texts) {
    const auto add = [this](int textIndex, int command) {
        QAction* action = m_menu.addAction(m_texts[static_cast<size_t>(textIndex)]);
        connect(action, &QAction::triggered, this, [this, command] { emit Command(command); });
        return action;
    };
    add(0, CMonitorCore::kLaunchCommand);
    add(1, CMonitorCore::kWebSiteCommand);
    m_osdAction = add(4, CMonitorCore::kToggleOsdCommand);
    m_menu.addSeparator();
    add(3, CMonitorCore::kExitCommand);
    m_giveUp.setSingleShot(true);
}

CTaskIcon::~CTaskIcon() {
    if (m_icon) {
        m_icon->hide();
    }
}

void CTaskIcon::SetOsdText(int textIndex) {
    if (textIndex >= 0 && textIndex < static_cast<int>(m_texts.size())) {
        m_osdAction->setText(m_texts[static_cast<size_t>(textIndex)]);
    }
}

void CTaskIcon::Add() {
    if (m_icon || m_watcher) {
        return;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        Trace("no tray: no session bus");
        return;  // no tray on any desktop we know
    }
    if (bus.interface() && bus.interface()->isServiceRegistered(kWatcherService)) {
        ShowIcon();
        return;
    }
    // Wait for the panel without blocking the event loop; notices and launches go on meanwhile.
    m_watcher =
        new QDBusServiceWatcher(kWatcherService, bus, QDBusServiceWatcher::WatchForRegistration, this);
    connect(m_watcher, &QDBusServiceWatcher::serviceRegistered, this, [this] {
        m_giveUp.stop();
        ShowIcon();
    });
    connect(&m_giveUp, &QTimer::timeout, this, [this] {
        // No status-notifier host came: an X11 panel may still offer the old tray.
        if (QSystemTrayIcon::isSystemTrayAvailable()) {
            ShowIcon();
        } else {
            Trace("no tray");
        }
    });
    m_giveUp.start(kWaitForHostMs);
}

void CTaskIcon::ShowIcon() {
    if (m_icon) {
        return;
    }
    m_icon = std::make_unique<QSystemTrayIcon>();
    QIcon icon(QStringLiteral(":/monitor/107.png"));
    icon.addFile(QStringLiteral(":/monitor/108.png"));
    m_icon->setIcon(icon);
    m_icon->setToolTip(QString::fromLatin1(kTip));
    // The menu goes in before the icon is shown: some panels never pick up a menu set later. The
    // right button opens it; a double click launches the configuration program.
    m_icon->setContextMenu(&m_menu);
    connect(m_icon.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick) {
                    emit Command(CMonitorCore::kLaunchCommand);
                }
            });
    m_icon->show();
    Trace("tray shown");
}

}  // namespace vorlix
