#pragma once

#include <array>
#include <cstdint>

#include "ui/cfg/core/ColourSquare.h"
#include "ui/cfg/core/DeviceDialogModel.h"
#include "ui/skin/core/PixelView.h"

namespace vorlix {

class CIcQT47;
class IClock;

// The decisions of the LED dialog, without widgets: the five zones and the LED records they stand for,
// the hue and the colour square, picking a colour with the marker, and the command sequences of Apply,
// OK and Cancel. Positions are client pixels of the dialog's background picture (680 × 579), which
// also holds the hue column the slider reads.
class CLedDialogModel final : public IDeviceDialogModel {
public:
    static constexpr uint32_t kPauseMs = 10;
    static constexpr int kRecords = 4;
    static constexpr int kFirstZone = 1740;
    static constexpr int kLastZone = 1744;
    static constexpr int kNoZone = -1;
    // The colour square on the dialog, and the area a click picks from: one pixel more each way, which
    // shows the background.
    static constexpr int kSquareX = 355;
    static constexpr int kSquareY = 150;
    static constexpr int kPickRight = 589;
    static constexpr int kPickBottom = 384;
    // The hue column of the background: position p of the slider picks (kHueX, kSquareY + p).
    static constexpr int kHueX = 619;
    static constexpr int kHueMax = 233;
    // The marker's centre stays where its circle fits inside the square.
    static constexpr int kMarkerRadius = 5;
    static constexpr int kMarkerLeft = 360;
    static constexpr int kMarkerRight = 584;
    static constexpr int kMarkerTop = 155;
    static constexpr int kMarkerBottom = 379;
    static constexpr int kStartX = 635;
    static constexpr int kStartY = 84;

    struct SPoint {
        int x = 0;
        int y = 0;
        bool operator==(const SPoint&) const = default;
    };
    using Colour = std::array<int, 3>;

    CLedDialogModel(CIcQT47& device, IClock& clock);

    // Opening for profile 0..4: reads the four records' colours, clears the before colours and the
    // zone, takes red as the hue and puts the marker at its start. False (nothing read) for a profile
    // whose block is not in the mouse's memory.
    bool Open(int profile) override;
    int Profile() const override { return m_profile; }

    // The zone buttons: 1741 and 1744 are the two sides of LED record 1 and are chosen together.
    // False when nothing changed (the zone or its partner is already chosen, or no such zone).
    bool SelectZone(int id);
    int Zone() const { return m_zone; }
    int Record() const { return m_record; }
    // Whether a zone button shows its selected picture.
    bool ZoneShownSelected(int id) const;
    static int RecordOfZone(int id);

    // The hue slider moved to position 0..233 of the background's hue column.
    void MoveHue(int position, const SPixelView& background);
    void SetHue(uint32_t rgb);
    const CColourSquare& Square() const { return m_square; }
    // The colour the dialog shows at a client point: the square inside it, else the background.
    uint32_t ShownColour(int x, int y, const SPixelView& background) const;

    // A click: taken only when it is a plain left click (no Shift or Ctrl) inside the pick area while a
    // zone is chosen. True when the colour was taken.
    bool Pick(int x, int y, bool plainLeftClick, const SPixelView& background);
    SPoint Marker() const;
    bool ApplyEnabled() const { return m_applyEnabled; }

    // The swatches of the chosen record: its colour before its last pick and its colour now.
    Colour Before() const;
    Colour After() const;
    Colour Current(int record) const;
    Colour Opening(int record) const;

    // Shows the four colours on the mouse without storing them: 12 previews, then C4 03 03 03; the zone
    // is cleared and Apply disabled.
    void Apply();
    // Shows and stores the colours: each byte is previewed and written into the mouse's memory unless
    // the image knows the mouse holds it already; a write that fails leaves the byte as an edit of the
    // image, so the next save of the profile writes it.
    void Ok() override;
    // Shows the opening colours again where they differ. With deviceGone nothing is sent.
    void Cancel(bool deviceGone = false) override;

    // Message 0x9101 from the monitor while the dialog is open; true when it was handled.
    bool OnNotice(uint32_t kind, uint32_t value) override;

    // Block offset of colour byte i (0..11): 39, 40, 41, 43, ..., 53.
    static int Offset(int index);

private:
    int ImageByte(int offset) const;
    void ReadColours();
    void Preview(int offset, int value);
    void Pause();

    CIcQT47& m_device;
    IClock& m_clock;
    int m_profile = -1;
    std::array<int, 3 * kRecords> m_current{};
    std::array<int, 3 * kRecords> m_opening{};
    std::array<int, 3 * kRecords> m_before{};
    int m_zone = kNoZone;
    int m_record = kNoZone;
    CColourSquare m_square;
    SPoint m_point{kStartX, kStartY};
    bool m_applyEnabled = false;
};

}  // namespace vorlix
