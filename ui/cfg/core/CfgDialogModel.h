#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/Sensitivity.h"
#include "shared/PointerSettings.h"
#include "ui/cfg/core/DeviceDialogModel.h"

namespace vorlix {

class CIcQT47;
class CRegStore;
class IClock;
class IDeviceDialogHost;
class IMessagePoster;

// The decisions of the advanced settings dialog, without widgets: what opening reads and corrects, what
// each control puts into effect in the mouse, in the image and on the desktop, and the command
// sequences of Apply, OK, Cancel and RESET TO DEFAULT. The dialog window draws the view this class
// keeps and feeds it the user's actions and the monitor's notices.
//
// Mouse-side changes take effect at once (C4 0F 00 offset value) and are written into the settings
// image; OK also writes them into the mouse's memory byte by byte; Cancel puts back what the dialog
// found when it opened (or when the mouse last switched profile).
class CCfgDialogModel final : public IDeviceDialogModel {
public:
    static constexpr uint32_t kPauseMs = 10;
    // The block offsets the dialog edits, in the order Apply, OK, Cancel and RESET go through them:
    // polling, lift-off, level byte, then the X and Y bytes of levels 0..3.
    static constexpr std::array<int, 11> kOffsets = {0, 1, 2, 3, 4, 8, 9, 13, 14, 18, 19};
    static constexpr int kSliderMin = 1;
    static constexpr int kSliderMax = 10;
    static constexpr int kLiftOffMax = 31;

    // What the controls show.
    struct SView {
        int pollingHz = 500;
        int levelPosition = 1;  // 1..4
        int dpiSliderPosition = 1;
        std::u16string dpiText;
        int doubleClickPosition = 5;
        int cursorPosition = 5;
        int scrollPosition = 3;
        int liftOffPosition = 16;
    };

    CCfgDialogModel(CIcQT47& device, IClock& clock, IPointerSettings& pointer, CRegStore& store,
                    IMessagePoster& poster, IDeviceDialogHost& host);

    // Opening for profile 0..4: corrects a polling nibble that is not one of 1, 2, 4, 8 to 2, reads the
    // view from the image and the desktop and remembers the values Cancel restores. False (nothing
    // read or changed) for a profile whose block is not in the mouse's memory.
    bool Open(int profile) override;
    int Profile() const override { return m_profile; }
    const SView& View() const { return m_view; }
    const SSensitivityScale& Scale() const { return m_scale; }
    // The level being edited, 0..3.
    int ActiveLevel() const { return m_level; }

    // The user's actions.
    void ChoosePolling(int hz);
    void ChooseLevel(int position);
    void MoveDpiSlider(int position);
    // The DPI box's text after a change by the user; returns the text the box keeps.
    std::u16string EditDpi(std::u16string_view text);
    void MoveDoubleClick(int position);
    void MoveCursor(int position);
    void MoveScroll(int position);
    void MoveLiftOff(int position);

    void Apply();
    void Ok() override;
    // Puts the remembered values back. With deviceGone (the mouse was lost) the image and the desktop
    // are restored without a word to the mouse: every command would wait for an answer from a device
    // that is not there.
    void Cancel(bool deviceGone = false) override;
    void ResetToDefault();

    // Message 0x9101 from the monitor while the dialog is open; true when it was handled.
    bool OnNotice(uint32_t kind, uint32_t value) override;

private:
    int Base() const;
    int Byte(int offset) const;
    void SetByte(int offset, int value);
    // The byte as held by the mouse: stored, valid and not changed.
    void Adopt(int offset, int value);
    void Effect(int offset, int value);
    void LiftOffEffect(int liftOffByte);
    void Pause();
    // Polling nibble check, view and remembered values of the current profile.
    void Load();
    void Remember();
    void ShowLevel();
    void ShowDpi(int units);
    void ReadDesktop();
    bool ChangeDesktop(const SPointerValues& values);
    // Apply and OK; store writes each sent byte into the mouse's memory.
    void Commit(bool store);
    void PostOsd();

    CIcQT47& m_device;
    IClock& m_clock;
    IPointerSettings& m_pointer;
    CRegStore& m_store;
    IMessagePoster& m_poster;
    IDeviceDialogHost& m_host;
    SSensitivityScale m_scale;

    int m_profile = -1;
    int m_level = 0;
    SView m_view;
    std::array<int, kOffsets.size()> m_remembered{};
    SPointerValues m_rememberedDesktop;
    bool m_desktopKnown = false;
};

}  // namespace vorlix
