#pragma once

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>
#include <QTimer>
#include <array>
#include <memory>

class QDBusServiceWatcher;

namespace vorlix {

// The monitor's tray icon (picture 107, tip "Qz vIVEDUD VORLIX DAZE") with its four-item menu. Qt
// decides once per process whether a tray exists, so the icon is not asked for until a status-notifier
// host is on the session bus; a panel that starts after the monitor is waited for up to 30 s. Without
// a tray the monitor goes on working, it just has no icon.
class CTaskIcon : public QObject {
    Q_OBJECT
public:
    static constexpr int kWaitForHostMs = 30000;
    static constexpr const char* kTip = "Qz vIVEDUD VORLIX DAZE";

    // texts: the five tray texts (launch, web site, enable OSD, exit, disable OSD).
    explicit CTaskIcon(const std::array<QString, 5>& texts, QObject* parent = nullptr);
    ~CTaskIcon() override;

    // Shows the icon as soon as a tray host exists (now, or within the wait).
    void Add();
    bool Added() const { return m_icon != nullptr && m_icon->isVisible(); }
    // The text of the OSD item (command 2002): tray text 2 or 4.
    void SetOsdText(int textIndex);
    QMenu* Menu() { return &m_menu; }

signals:
    void Command(int id);

private:
    void ShowIcon();

    std::array<QString, 5> m_texts;
    QMenu m_menu;
    QAction* m_osdAction = nullptr;
    std::unique_ptr<QSystemTrayIcon> m_icon;
    QDBusServiceWatcher* m_watcher = nullptr;
    QTimer m_giveUp;
};

}  // namespace vorlix
