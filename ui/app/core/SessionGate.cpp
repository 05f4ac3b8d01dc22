#include "SessionGate.h"

#include <utility>

namespace vorlix {

void CSessionGate::RunOrHold(std::function<void()> action) {
    if (m_depth > 0) {
        m_held.push_back(std::move(action));
        return;
    }
    action();
}

void CSessionGate::Leave() {
    if (--m_depth > 0 || m_draining) {
        return;
    }
    // Held actions run in the order they arrived; one that does device work of its own may hold more,
    // which join the end of the queue instead of overtaking older ones.
    m_draining = true;
    for (size_t i = 0; i < m_held.size(); ++i) {
        std::function<void()> action = std::move(m_held[i]);
        action();
    }
    m_held.clear();
    m_draining = false;
}

}  // namespace vorlix
