#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vorlix {

class CIcQT47;

// Where the fields of the mouse's memory live for controller family 0x24, and named access to them in
// the settings image. Every edit goes through CIcQT47::SetCell, so a changed value is marked for the
// next block write.
namespace map {
inline constexpr int kProfiles = 5;
inline constexpr int kButtons = 8;  // programmable buttons per profile
inline constexpr int kSlots = 19;   // button slots per profile, programmable ones first
inline constexpr int kEditedLevels = 4;
inline constexpr int kLevelRecords = 7;
inline constexpr int kLedRecords = 4;
inline constexpr int kBlockUsed = 149;  // bytes of a profile block the mouse uses and sends
inline constexpr int kBlockStride = 256;

inline constexpr int kOptionByte = 1;
inline constexpr int kProfileByte = 25;
inline constexpr int kSignature1 = 4030;
inline constexpr int kSignature2 = 4031;
inline constexpr uint8_t kSignatureValue1 = 0x46;
inline constexpr uint8_t kSignatureValue2 = 0x22;

// Offsets inside a profile block.
inline constexpr int kPollingOffset = 0;
inline constexpr int kLiftOffOffset = 1;
inline constexpr int kLevelByteOffset = 2;
inline constexpr int kLevelRecordOffset = 3;
inline constexpr int kLevelRecordSize = 5;
inline constexpr int kLedOffset = 38;
inline constexpr int kLedRecordSize = 4;
inline constexpr int kSlotOffset = 54;
inline constexpr int kSlotSize = 5;
inline constexpr int kMacroEntrySize = 4;

// Bit 2 of the option byte: the sensitivity levels are shown by their Y byte.
inline constexpr int kOptionShowY = 0x04;
inline constexpr int kLiftOffPresent = 0x20;
inline constexpr int kLiftOffKept = 0x40;
inline constexpr int kLiftOffAbsentValue = 16;
inline constexpr int kLevelCountNibble = 0x40;

inline constexpr int BlockBase(int profile) {
    return kBlockStride * (profile + 1);
}
inline constexpr int SlotAddress(int profile, int slot) {
    return BlockBase(profile) + kSlotOffset + kSlotSize * slot;
}
inline constexpr int LevelAddress(int profile, int level) {
    return BlockBase(profile) + kLevelRecordOffset + kLevelRecordSize * level;
}
inline constexpr int LedAddress(int profile, int record) {
    return BlockBase(profile) + kLedOffset + kLedRecordSize * record;
}
// The first of the four bytes of a button's macro-slot entry.
inline constexpr int MacroEntryAddress(int profile, int slot) {
    return kMacroEntrySize * (kSlots * profile + slot);
}
// True when one of count bytes from first holds a field of the map: the option byte, the profile
// byte, the used part of a profile block or the signature.
bool OverlapsMappedField(int first, int count);

bool ValidProfile(int profile);
bool ValidButton(int button);
// The polling nibble is the report interval: 1, 2, 4 or 8 ms (1000, 500, 250, 125 Hz).
bool ValidPollingNibble(int nibble);
// The report rate of a polling nibble; 500 Hz for a nibble that is no interval.
int ReportRateOfNibble(int nibble);
// The polling nibble of a report rate; 0 for a rate that is none of kReportRatesHz.
int PollingNibbleOfRate(int hz);
}  // namespace map

// Report rates the polling-rate nibble can hold, fastest first.
inline constexpr std::array<int, 4> kReportRatesHz = {1000, 500, 250, 125};

class CSettingsMap {
public:
    explicit CSettingsMap(CIcQT47& image) : m_image(image) {}

    // The low byte of a cell.
    int Byte(int address) const;

    int OptionByte() const { return Byte(map::kOptionByte); }
    bool ShowsYByte() const { return (OptionByte() & map::kOptionShowY) != 0; }
    int ProfileByte() const { return Byte(map::kProfileByte); }
    // High nibble of the profile byte: how many profiles the user may switch between.
    int ProfileCount() const { return ProfileByte() >> 4; }
    // The low nibble when it names one of the allowed profiles, else profile 0.
    int ActiveProfile() const;

    // Polling: the report rate in Hz; a nibble that is not one of 1, 2, 4, 8 counts as 500 Hz.
    int ReportRateHz(int profile) const;
    static bool ValidReportRate(int hz);
    // 0 for a rate that is not one of kReportRatesHz; the high nibble is kept.
    int SetReportRateHz(int profile, int hz);

    // Lift-off 0..31; 16 when the byte says no value is present.
    int LiftOff(int profile) const;
    int SetLiftOff(int profile, int value);

    // Active sensitivity level 0..3; a level byte without 4 in its high nibble counts as 0x40.
    int ActiveLevel(int profile) const;
    int SetActiveLevel(int profile, int level);

    int LevelX(int profile, int level) const;
    int LevelY(int profile, int level) const;
    // The byte the option byte chooses for display.
    int ShownLevelValue(int profile, int level) const;
    // X and Y always receive the same value.
    int SetLevelValue(int profile, int level, int deviceValue);

    int LedMode(int profile, int record) const;
    int SetLedMode(int profile, int record, int mode);
    std::array<int, 3> LedColour(int profile, int record) const;
    int SetLedColour(int profile, int record, int red, int green, int blue);

    int SlotKind(int profile, int slot) const { return Byte(map::SlotAddress(profile, slot)); }
    // value index 1..4
    int SlotValue(int profile, int slot, int index) const {
        return Byte(map::SlotAddress(profile, slot) + index);
    }

    // The four bytes of a button's macro-slot entry.
    std::array<int, 4> MacroEntry(int profile, int slot) const;

    bool SignatureMatches() const;

private:
    int SetByteRule(int address, int value);

    CIcQT47& m_image;
};

}  // namespace vorlix
