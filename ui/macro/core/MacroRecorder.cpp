#include "MacroRecorder.h"

#include <algorithm>

#include "macro/MacroProgram.h"
#include "macro/MacroTypes.h"
#include "shared/Clock.h"

namespace vorlix {

CMacroRecorder::CMacroRecorder(CMacroProgram& program, IClock& clock) : m_program(program), m_clock(clock) {}

bool CMacroRecorder::Start(const STiming& timing) {
    if (m_recording) {
        return false;
    }
    m_timing = timing;
    m_recording = true;
    m_eventSeen = false;
    m_recordedAny = false;
    m_lastKey = 0;
    m_buttonsDown = 0;
    m_wheelRest = 0;
    return true;
}

void CMacroRecorder::Stop() {
    if (!m_recording) {
        return;
    }
    m_recording = false;
    // The list shows the default delay after the last recorded line too: store it, so the macro holds
    // what the list shows.
    if (m_recordedAny && m_timing.defaultDelayMode && !m_timing.dropDelays && m_program.DelayUnit() >= 1) {
        const int ticks = std::max(0, m_timing.defaultDelayMs) / m_program.DelayUnit();
        if (ticks > 0 && m_program.Count() > 0) {
            m_program.AppendPlain(op::kDelay, ticks);
        }
    }
}

CMacroRecorder::Result CMacroRecorder::KeyDown(int usage) {
    if (!m_recording || usage <= 0 || usage == kPrintScreenUsage) {
        return Result::Ignored;
    }
    // A key held down repeats its press; the first press is the one that counts.
    if (usage == m_lastKey) {
        return Result::Ignored;
    }
    m_lastKey = usage;
    if (!AddPause()) {
        return Result::BufferFull;
    }
    return Record(usage);
}

CMacroRecorder::Result CMacroRecorder::KeyUp(int usage) {
    if (!m_recording || usage <= 0) {
        return Result::Ignored;
    }
    m_lastKey = 0;
    if (!AddPause()) {
        return Result::BufferFull;
    }
    // A key pressed before RECORD, or Print Screen, has no press in the macro: the release brings its
    // press along so the macro never releases a key it did not press.
    if (usage == kPrintScreenUsage || !PressPending(usage)) {
        const Result pressed = Record(usage);
        if (pressed != Result::Recorded) {
            return pressed;
        }
    }
    return Record(usage | op::kReleaseBit);
}

CMacroRecorder::Result CMacroRecorder::Button(int pressOpcode, bool down) {
    if (!m_recording || pressOpcode < op::kFirstButton || pressOpcode > op::kFirstButton + 4) {
        return Result::Ignored;
    }
    if (!AddPause()) {
        return Result::BufferFull;
    }
    const unsigned bit = 1u << (pressOpcode - op::kFirstButton);
    m_buttonsDown = down ? (m_buttonsDown | bit) : (m_buttonsDown & ~bit);
    return Record(down ? pressOpcode : (pressOpcode | op::kReleaseBit));
}

CMacroRecorder::Result CMacroRecorder::DoubleClick(int pressOpcode) {
    if (!m_recording || pressOpcode < op::kFirstButton || pressOpcode > op::kFirstButton + 4) {
        return Result::Ignored;
    }
    // Some desktops send the second press and then the double click, others the double click alone.
    if ((m_buttonsDown & (1u << (pressOpcode - op::kFirstButton))) != 0) {
        return Result::Ignored;
    }
    return Button(pressOpcode, true);
}

CMacroRecorder::Result CMacroRecorder::FrameClick() {
    return Button(op::kFirstButton, false);
}

CMacroRecorder::Result CMacroRecorder::Wheel(int angleDeltaY) {
    if (!m_recording || angleDeltaY == 0) {
        return Result::Ignored;
    }
    // A turn the other way starts afresh.
    if ((m_wheelRest < 0) != (angleDeltaY < 0)) {
        m_wheelRest = 0;
    }
    m_wheelRest += angleDeltaY;
    Result result = Result::Ignored;
    while (m_wheelRest >= kWheelNotch || m_wheelRest <= -kWheelNotch) {
        const bool towardsUser = m_wheelRest < 0;
        m_wheelRest += towardsUser ? kWheelNotch : -kWheelNotch;
        result = WheelStep(towardsUser);
        if (result != Result::Recorded) {
            return result;
        }
    }
    return result;
}

CMacroRecorder::Result CMacroRecorder::WheelStep(bool towardsUser) {
    if (!m_recording) {
        return Result::Ignored;
    }
    if (!AddPause()) {
        return Result::BufferFull;
    }
    return Record(towardsUser ? op::kScrollDown : op::kScrollUp);
}

CMacroRecorder::Result CMacroRecorder::Record(int opcode) {
    const int line = m_program.AppendPlain(opcode);
    if (line < 0) {
        m_recording = false;
        return Result::BufferFull;
    }
    m_recordedAny = true;
    m_program.DeselectLine(-1);
    m_program.SelectLine(line);
    m_program.EnsureVisible(line);
    return Result::Recorded;
}

bool CMacroRecorder::AddPause() {
    const int unit = m_program.DelayUnit();
    if (unit < 1 || m_timing.dropDelays) {
        return true;
    }
    const uint64_t now = m_clock.NowMs();
    int ticks = 0;
    if (m_timing.defaultDelayMode) {
        ticks = std::max(0, m_timing.defaultDelayMs) / unit;
    } else if (m_eventSeen) {
        ticks = static_cast<int>(std::min(now - m_previousMs, kMaxPauseMs)) / unit;
    }
    m_eventSeen = true;
    m_previousMs = now;
    // The pause becomes the delay of the line recorded last; in an empty macro there is none to take it.
    if (ticks == 0 || m_program.Count() == 0) {
        return true;
    }
    if (m_program.AppendPlain(op::kDelay, ticks) == kBudgetExceeded) {
        m_recording = false;
        return false;
    }
    return true;
}

bool CMacroRecorder::PressPending(int usage) const {
    for (int line = std::min(m_program.CurrentLine(), m_program.Count() - 1); line >= 0; --line) {
        const int opcode = m_program.Line(line).opcode;
        if (opcode == usage) {
            return true;
        }
        if (opcode == (usage | op::kReleaseBit)) {
            return false;
        }
    }
    return false;
}

}  // namespace vorlix
