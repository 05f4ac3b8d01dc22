#pragma once

#include <functional>
#include <vector>

namespace vorlix {

// Keeps the device session from being entered twice. While the session reads or writes the mouse, the
// window keeps painting (so the overlay turns), and its own timers, device changes and posted messages
// may fire in those pumps: the gate holds them back and runs them, in order, once the work has ended.
class CSessionGate {
public:
    // Runs f as device work. Work may nest (a save inside a profile switch); held actions run when the
    // outermost work ends.
    template <class F>
    auto Work(F&& f) {
        struct SScope {
            CSessionGate& gate;
            explicit SScope(CSessionGate& g) : gate(g) { ++gate.m_depth; }
            ~SScope() { gate.Leave(); }
        } scope(*this);
        return f();
    }
    // Runs the action now when no work is in progress, else after it.
    void RunOrHold(std::function<void()> action);

    bool Busy() const { return m_depth > 0; }
    bool Holding() const { return !m_held.empty(); }

private:
    void Leave();

    int m_depth = 0;
    bool m_draining = false;
    std::vector<std::function<void()>> m_held;
};

}  // namespace vorlix
