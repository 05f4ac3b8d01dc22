#pragma once

#include <cstdint>

namespace vorlix {

class CMacroProgram;
class IClock;

// Turns the user's key strokes, mouse buttons and wheel steps between RECORD and STOP into macro
// instructions appended at the end of the open program, each preceded by the pause since the previous
// action, a fixed default pause, or none. The window decides which input reaches it (its own windows
// only, auto-repeat and STOP clicks filtered out) and hands each event over in order; this class keeps
// the recording rules and knows nothing of widgets.
class CMacroRecorder {
public:
    // The timing settings committed in the editor when RECORD is pressed.
    struct STiming {
        bool dropDelays = false;        // record no pauses at all
        bool defaultDelayMode = false;  // the default delay before every event instead of real gaps
        int defaultDelayMs = 0;
    };

    enum class Result {
        Recorded,    // instructions were appended
        Ignored,     // nothing to record (not recording, a key without usage, an auto-repeat press)
        BufferFull,  // the macro's budget refused an instruction or a delay: recording has ended
                     // (the window shows "Buffer Full!")
    };

    // One notch of a wheel in eighths of a degree.
    static constexpr int kWheelNotch = 120;
    // Longest pause recorded between two events.
    static constexpr uint64_t kMaxPauseMs = 10000;
    // Keyboard usage of Print Screen: the desktop reports its press unreliably, so only its release
    // counts and records the press and the release together.
    static constexpr int kPrintScreenUsage = 0x46;

    CMacroRecorder(CMacroProgram& program, IClock& clock);

    // False when already recording.
    bool Start(const STiming& timing);
    // STOP: ends the recording (nothing happens while idle). In default-delay mode the last recorded
    // line gets the default delay the list shows after it.
    void Stop();
    bool Recording() const { return m_recording; }

    // A key went down or up; usage as KeyUsageFromEventCode gives it (0: a key without usage).
    Result KeyDown(int usage);
    Result KeyUp(int usage);
    // A mouse button went down or up. pressOpcode is the button's press instruction (0x78 left, 0x79
    // right, 0x7A middle, 0x7B and 0x7C the side buttons); the release is the same with bit 7 set.
    Result Button(int pressOpcode, bool down);
    // The second press of a double click, which the desktop reports as a double click of its own:
    // recorded as the press it is, unless the press itself was already recorded.
    Result DoubleClick(int pressOpcode);
    // A left press or release on the window's title band: recorded as a left release, as a click on a
    // window frame is.
    Result FrameClick();
    // One wheel step: towards the user records a scroll down, away a scroll up.
    Result WheelStep(bool towardsUser);
    // A wheel event's vertical turn in eighths of a degree (120 a notch, positive away from the user).
    // Touchpads report small parts of a notch: they add up, and each whole notch records one step, so
    // a swipe does not flood the macro. No vertical turn records nothing.
    Result Wheel(int angleDeltaY);

private:
    Result Record(int opcode);
    // Adds the pause before an event; false when the budget refused it.
    bool AddPause();
    // True when a press of usage is found between the current line and the last release of it.
    bool PressPending(int usage) const;

    CMacroProgram& m_program;
    IClock& m_clock;
    STiming m_timing;
    bool m_recording = false;
    bool m_eventSeen = false;
    bool m_recordedAny = false;
    uint64_t m_previousMs = 0;
    int m_lastKey = 0;
    // Bit n: the button of press opcode 0x78 + n is down in the macro.
    unsigned m_buttonsDown = 0;
    int m_wheelRest = 0;
};

}  // namespace vorlix
