#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>

namespace vorlix {

// The timers a device session asks its owner for (IDeviceSessionOwner::StartTimer, StopTimer): one
// QTimer per id whose ticks go to onTick (the owner hands them to CDeviceSession::OnTimer). They tick
// inside every event loop, modal runs included.
class CSessionTimers : public QObject {
    Q_OBJECT
public:
    explicit CSessionTimers(std::function<void(int)> onTick, QObject* parent = nullptr);
    ~CSessionTimers() override;

    void Start(int id, unsigned periodMs);
    void Stop(int id);
    void StopAll();
    bool IsRunning(int id) const;
    // The period of a running timer; 0 when it is not running.
    unsigned PeriodMs(int id) const;
    // Runs one tick of a running timer now (tests and pictures, which never wait for a real one).
    bool Fire(int id);

private:
    std::function<void(int)> m_onTick;
    std::map<int, std::unique_ptr<QTimer>> m_timers;
};

}  // namespace vorlix
