#include "ui/dialogs/SessionTimers.h"

namespace vorlix {

CSessionTimers::CSessionTimers(std::function<void(int)> onTick, QObject* parent)
    : QObject(parent), m_onTick(std::move(onTick)) {}

CSessionTimers::~CSessionTimers() = default;

void CSessionTimers::Start(int id, unsigned periodMs) {
    auto& timer = m_timers[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        connect(timer.get(), &QTimer::timeout, this, [this, id] { m_onTick(id); });
    }
    timer->start(static_cast<int>(periodMs));
}

void CSessionTimers::Stop(int id) {
    const auto found = m_timers.find(id);
    if (found != m_timers.end()) {
        found->second->stop();
    }
}

void CSessionTimers::StopAll() {
    for (auto& [id, timer] : m_timers) {
        timer->stop();
    }
}

bool CSessionTimers::IsRunning(int id) const {
    const auto found = m_timers.find(id);
    return found != m_timers.end() && found->second->isActive();
}

unsigned CSessionTimers::PeriodMs(int id) const {
    return IsRunning(id) ? static_cast<unsigned>(m_timers.at(id)->interval()) : 0;
}

bool CSessionTimers::Fire(int id) {
    if (!IsRunning(id)) {
        return false;
    }
    m_onTick(id);
    return true;
}

}  // namespace vorlix
