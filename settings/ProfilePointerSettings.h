#pragma once

#include <cstdint>
#include <optional>

#include "shared/PointerSettings.h"
#include "shared/RegStore.h"

namespace vorlix {

// Each profile's pointer settings on the desktop: kept in the store as "PF1 Motion Speed",
// "PF1 Double-Click_speed" and "PF1 Wheel Scroll Lines" (PF1..PF5 for profile index 0..4), put into
// effect through a desktop backend when a profile becomes active, and recorded from the desktop after
// the user tuned them.
//
// A value that was never recorded (missing, 0 or -1 in the store) leaves that desktop setting as it is,
// and a profile with nothing recorded leaves the desktop alone: filling in fixed defaults would undo the
// user's own desktop settings at every start and profile change on a machine where the profiles never
// carried any.
class CProfilePointerSettings {
public:
    static constexpr int kProfileCount = 5;
    // The longest double-click time put into effect; longer stored values are cut to it.
    static constexpr int kMaxDoubleClickMs = 5000;
    // How one page per notch is stored: any value above 10 reads as a page; 11 is the one written, so a
    // recorded page comes back as a page and not as ten lines.
    static constexpr int32_t kStoredWheelPage = 11;

    // What a profile has recorded; a setting left empty was never recorded.
    struct SRecorded {
        std::optional<int> speed;
        std::optional<int> doubleClickMs;
        std::optional<int> wheelLines;

        bool Any() const { return speed || doubleClickMs || wheelLines; }
    };

    CProfilePointerSettings(CRegStore& store, IPointerSettings& desktop);

    // Puts profile index 0..4's recorded values into effect; the desktop keeps what the profile has not
    // recorded. False for another index, when nothing is recorded, or when the desktop refused.
    bool Apply(int profileIndex);
    // Stores the desktop's current values as profile index 0..4's. False (and nothing stored) when the
    // desktop cannot be read or the index is out of range.
    bool Record(int profileIndex);

    // The recorded values of a profile, each in its valid range.
    SRecorded Recorded(int profileIndex);

    // Store encodings shared with the desktop kept in the store. Each gives no value for "not recorded".
    static std::optional<int> DecodeSpeed(int32_t stored);
    static std::optional<int> DecodeDoubleClick(int32_t stored);
    static std::optional<int> DecodeWheelLines(int32_t stored);
    static int32_t EncodeWheelLines(int lines);

private:
    CRegStore& m_store;
    IPointerSettings& m_desktop;
};

}  // namespace vorlix
