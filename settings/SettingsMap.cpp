#include "SettingsMap.h"

#include "device/IcQT47.h"

namespace vorlix {

namespace {

constexpr int kRateNibbles[] = {1, 2, 4, 8};  // in the order of kReportRatesHz

}  // namespace

namespace map {

bool OverlapsMappedField(int first, int count) {
    const int last = first + count - 1;
    const auto overlaps = [&](int low, int high) { return first <= high && last >= low; };
    if (overlaps(kOptionByte, kOptionByte) || overlaps(kProfileByte, kProfileByte) ||
        overlaps(kSignature1, kSignature2)) {
        return true;
    }
    for (int profile = 0; profile < kProfiles; ++profile) {
        if (overlaps(BlockBase(profile), BlockBase(profile) + kBlockUsed - 1)) {
            return true;
        }
    }
    return false;
}

bool ValidProfile(int profile) {
    return profile >= 0 && profile < kProfiles;
}

bool ValidButton(int button) {
    return button >= 0 && button < kButtons;
}

bool ValidPollingNibble(int nibble) {
    return PollingNibbleOfRate(ReportRateOfNibble(nibble)) == nibble;
}

int ReportRateOfNibble(int nibble) {
    for (size_t i = 0; i < kReportRatesHz.size(); ++i) {
        if (kRateNibbles[i] == nibble) {
            return kReportRatesHz[i];
        }
    }
    return kReportRatesHz[1];
}

int PollingNibbleOfRate(int hz) {
    for (size_t i = 0; i < kReportRatesHz.size(); ++i) {
        if (kReportRatesHz[i] == hz) {
            return kRateNibbles[i];
        }
    }
    return 0;
}

}  // namespace map

namespace {

bool ValidLevel(int level) {
    return level >= 0 && level < map::kEditedLevels;
}

}  // namespace

int CSettingsMap::Byte(int address) const {
    return m_image.Cell(address).value & 0xFF;
}

int CSettingsMap::SetByteRule(int address, int value) {
    m_image.SetCell(address, value & 0xFF);
    return 1;
}

int CSettingsMap::ActiveProfile() const {
    const int byte = ProfileByte();
    const int low = byte & 0x0F;
    return low < (byte >> 4) ? low : 0;
}

int CSettingsMap::ReportRateHz(int profile) const {
    return map::ReportRateOfNibble(Byte(map::BlockBase(profile) + map::kPollingOffset) & 0x0F);
}

bool CSettingsMap::ValidReportRate(int hz) {
    return map::PollingNibbleOfRate(hz) != 0;
}

int CSettingsMap::SetReportRateHz(int profile, int hz) {
    const int nibble = map::PollingNibbleOfRate(hz);
    if (!map::ValidProfile(profile) || nibble == 0) {
        return 0;
    }
    const int address = map::BlockBase(profile) + map::kPollingOffset;
    return SetByteRule(address, (Byte(address) & 0xF0) | nibble);
}

int CSettingsMap::LiftOff(int profile) const {
    const int byte = Byte(map::BlockBase(profile) + map::kLiftOffOffset);
    return (byte & map::kLiftOffPresent) ? (byte & 0x1F) : map::kLiftOffAbsentValue;
}

int CSettingsMap::SetLiftOff(int profile, int value) {
    if (!map::ValidProfile(profile) || value < 0 || value > 31) {
        return 0;
    }
    // Bit 6 is the mouse's own and is kept; bit 7 is always written as zero.
    const int address = map::BlockBase(profile) + map::kLiftOffOffset;
    return SetByteRule(address, (Byte(address) & map::kLiftOffKept) | map::kLiftOffPresent | value);
}

int CSettingsMap::ActiveLevel(int profile) const {
    const int byte = Byte(map::BlockBase(profile) + map::kLevelByteOffset);
    if ((byte & 0xF0) != map::kLevelCountNibble) {
        return 0;
    }
    const int level = byte & 0x0F;
    return ValidLevel(level) ? level : 0;
}

int CSettingsMap::SetActiveLevel(int profile, int level) {
    if (!map::ValidProfile(profile) || !ValidLevel(level)) {
        return 0;
    }
    return SetByteRule(map::BlockBase(profile) + map::kLevelByteOffset, map::kLevelCountNibble | level);
}

int CSettingsMap::LevelX(int profile, int level) const {
    return Byte(map::LevelAddress(profile, level));
}

int CSettingsMap::LevelY(int profile, int level) const {
    return Byte(map::LevelAddress(profile, level) + 1);
}

int CSettingsMap::ShownLevelValue(int profile, int level) const {
    return ShowsYByte() ? LevelY(profile, level) : LevelX(profile, level);
}

int CSettingsMap::SetLevelValue(int profile, int level, int deviceValue) {
    if (!map::ValidProfile(profile) || !ValidLevel(level) || deviceValue < 1 || deviceValue > 255) {
        return 0;
    }
    SetByteRule(map::LevelAddress(profile, level), deviceValue);
    return SetByteRule(map::LevelAddress(profile, level) + 1, deviceValue);
}

int CSettingsMap::LedMode(int profile, int record) const {
    return Byte(map::LedAddress(profile, record)) & 0x7F;
}

int CSettingsMap::SetLedMode(int profile, int record, int mode) {
    if (!map::ValidProfile(profile) || record < 0 || record >= map::kLedRecords || mode < 0 || mode > 0x7F) {
        return 0;
    }
    const int address = map::LedAddress(profile, record);
    return SetByteRule(address, (Byte(address) & 0x80) | mode);
}

std::array<int, 3> CSettingsMap::LedColour(int profile, int record) const {
    const int address = map::LedAddress(profile, record);
    return {Byte(address + 1), Byte(address + 2), Byte(address + 3)};
}

int CSettingsMap::SetLedColour(int profile, int record, int red, int green, int blue) {
    if (!map::ValidProfile(profile) || record < 0 || record >= map::kLedRecords) {
        return 0;
    }
    const int colour[] = {red, green, blue};
    for (int c : colour) {
        if (c < 0 || c > 255) {
            return 0;
        }
    }
    const int address = map::LedAddress(profile, record);
    for (int i = 0; i < 3; ++i) {
        SetByteRule(address + 1 + i, colour[i]);
    }
    return 1;
}

std::array<int, 4> CSettingsMap::MacroEntry(int profile, int slot) const {
    const int address = map::MacroEntryAddress(profile, slot);
    return {Byte(address), Byte(address + 1), Byte(address + 2), Byte(address + 3)};
}

bool CSettingsMap::SignatureMatches() const {
    return Byte(map::kSignature1) == map::kSignatureValue1 && Byte(map::kSignature2) == map::kSignatureValue2;
}

}  // namespace vorlix
