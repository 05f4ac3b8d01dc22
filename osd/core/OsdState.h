#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "OsdPicture.h"
#include "shared/Clock.h"

namespace vorlix {

// The window side of the notice state machine: a Qt window, or the desktop's notification service.
class IOsdView {
public:
    virtual ~IOsdView() = default;
    // Loads, composes, shapes and places the picture; false (and the window left as it was) when the
    // picture cannot be loaded.
    virtual bool Prepare(const SOsdPicture& picture) = 0;
    virtual void SetVisible(bool visible) = 0;
};

// What the notice window shows and when: the notices of the monitor and the configuration program
// update the state, pick a picture and show it for three seconds; a notice that arrives while one is
// on screen blinks the window off for 10 ms. Time comes from the clock; the owner calls OnTimer at
// NextDeadlineMs.
class COsdState {
public:
    enum class EMode {
        None = -1,
        Profile = 0,
        SideButton = 1,
        Resolution = 2,
        LedMode = 3,
        ReportRate = 4,
        Lock = 5
    };
    static constexpr uint32_t kShowMs = 3000;
    static constexpr uint32_t kBlinkMs = 10;
    static constexpr int kProfiles = 5;  // P1..P5
    static constexpr int kLevels = 4;    // LEVEL 1..LEVEL 4

    COsdState(IClock& clock, IOsdView& view);

    // One notice (kind, value). 1 for the kinds the window knows (0, 1, 5..11), 0 for the others.
    int HandleNotice(uint32_t kind, uint32_t value);
    // Runs whatever is due: the hide after three seconds, the show after a blink.
    void OnTimer();
    // When OnTimer should run next; nullopt while nothing is pending.
    std::optional<uint64_t> NextDeadlineMs() const;

    // The picture for the current state, nullopt when the state names none.
    std::optional<SOsdPicture> Choose() const;

    bool Visible() const { return m_visible; }
    bool Enabled() const { return m_enabled; }
    bool Variant() const { return m_variant; }
    int Profile() const { return m_profile; }
    EMode Mode() const { return m_mode; }

private:
    void RefreshAndShow();
    void Show(bool request);

    IClock& m_clock;
    IOsdView& m_view;
    int m_profile = 0;
    int m_level = 0;
    int m_sideButton = 3;
    EMode m_mode = EMode::None;
    int m_rateIndex = 3;
    bool m_battle = false;
    bool m_locked = false;
    bool m_visible = false;
    bool m_enabled = true;
    bool m_variant = false;
    std::array<int, kLevels> m_xCodes{};
    std::array<int, kLevels> m_yCodes{};
    std::optional<uint64_t> m_hideAt;
    std::optional<uint64_t> m_blinkAt;
};

}  // namespace vorlix
