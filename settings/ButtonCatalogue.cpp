#include "ButtonCatalogue.h"

#include <cctype>

#include "SettingsMap.h"
#include "device/IcQT47.h"
#include "shared/RegStore.h"
#include "shared/StoreNames.h"

namespace vorlix {

namespace {

// clang-format off
const std::array<ButtonFunction, CButtonCatalogue::kEntries> kTable = {{
    {"MACRO KEY", 6, {0, 0, 0, 0}},
    {"CLICK", 1, {1, 0, 0, 0}},
    {"BUTTON OFF", 255, {0, 0, 0, 0}},
    {"RIGHT BUTTON", 1, {2, 0, 0, 0}},
    {"DOUBLE CLICK", 4, {1, 2, 6, 2}},
    {"BACKWARD", 1, {8, 0, 0, 0}},
    {"FORWARD", 1, {16, 0, 0, 0}},
    {"SCROLL BUTTON", 1, {4, 0, 0, 0}},
    {"SENSITIVITY-UP", 9, {0, 0, 0, 0}},
    {"SENSITIVITY-DOWN", 10, {0, 0, 0, 0}},
    {"LAUNCH", 15, {0, 0, 0, 0}},
    {"VOLUMN UP", 3, {234, 0, 0, 0}},
    {"VOLUMN DOWN", 3, {233, 0, 0, 0}},
}};
// clang-format on

constexpr int kListToIndex[CButtonCatalogue::kListPositions] = {1, 2, 3, 4, 5, 6, 8, 9, 11, 12};
constexpr int kDefaultFunction[map::kButtons] = {1, 3, 7, 5, 6, 8, 9, 0};
constexpr int kLeftBit = 1;

std::u16string Widen(const char* text) {
    std::u16string wide;
    for (const char* c = text; *c != '\0'; ++c) {
        wide.push_back(static_cast<char16_t>(*c));
    }
    return wide;
}

}  // namespace

const std::array<ButtonFunction, CButtonCatalogue::kEntries>& CButtonCatalogue::Table() {
    return kTable;
}

int CButtonCatalogue::FindByName(std::string_view name) {
    for (int i = 0; i < kEntries; ++i) {
        const std::string_view entry = kTable[static_cast<size_t>(i)].name;
        if (entry.size() != name.size()) {
            continue;
        }
        bool same = true;
        for (size_t c = 0; c < entry.size() && same; ++c) {
            same = std::toupper(static_cast<unsigned char>(name[c])) == static_cast<unsigned char>(entry[c]);
        }
        if (same) {
            return i;
        }
    }
    return -1;
}

int CButtonCatalogue::DefaultFunctionIndex(int button) {
    return map::ValidButton(button) ? kDefaultFunction[button] : -1;
}

int CButtonCatalogue::ListPositionToIndex(int position) {
    return position >= 0 && position < kListPositions ? kListToIndex[position] : kClick;
}

int CButtonCatalogue::IndexToListPosition(int index) {
    for (int position = 0; position < kListPositions; ++position) {
        if (kListToIndex[position] == index) {
            return position;
        }
    }
    return -1;
}

int CButtonCatalogue::SlotByte(int button, int profile, int i) const {
    return m_image.Cell(map::SlotAddress(profile, button) + i).value & 0xFF;
}

bool CButtonCatalogue::IsLeftClick(int button, int profile) const {
    return SlotByte(button, profile, 0) == kKindMouseButton && SlotByte(button, profile, 1) == kLeftBit;
}

int CButtonCatalogue::Match(const std::array<int, 5>& slot, int comparedValues) {
    for (int i = 0; i < kEntries; ++i) {
        const ButtonFunction& entry = kTable[static_cast<size_t>(i)];
        if (entry.kind != slot[0]) {
            continue;
        }
        bool same = true;
        for (int v = 0; v < comparedValues && same; ++v) {
            same = entry.values[static_cast<size_t>(v)] == slot[static_cast<size_t>(1 + v)];
        }
        if (same) {
            return i;
        }
    }
    return -1;
}

int CButtonCatalogue::IndexOfSlot(const std::array<int, 5>& slot) {
    switch (slot[0]) {
        case kKindMouseButton:
            return Match(slot, 1);
        case 2:
        case kKindConsumer:
        case kKindDoubleClick:
            return Match(slot, 4);
        case kKindMacro:
        case kKindLevelUp:
        case kKindLevelDown:
        case kKindLauncher:
        case kKindOff:
            return Match(slot, 0);
        default:
            return -1;
    }
}

int CButtonCatalogue::SlotIndex(int button, int profile) const {
    if (!map::ValidButton(button) || !map::ValidProfile(profile)) {
        return -1;
    }
    std::array<int, 5> slot{};
    for (int i = 0; i < 5; ++i) {
        slot[static_cast<size_t>(i)] = SlotByte(button, profile, i);
    }
    return IndexOfSlot(slot);
}

std::optional<SSlotDisplay> CButtonCatalogue::LookupSlot(int button, int profile) const {
    if (!map::ValidButton(button) || !map::ValidProfile(profile)) {
        return std::nullopt;
    }
    const int index = SlotIndex(button, profile);
    const int kind = SlotByte(button, profile, 0);
    if (index < 0) {
        return std::nullopt;
    }
    SSlotDisplay display;
    display.name = Widen(kTable[static_cast<size_t>(index)].name);
    const auto storedName = [&](const std::string& value) {
        std::u16string text;
        if (m_store != nullptr && m_store->ReadText(value, text) && !text.empty()) {
            display.name = text;
        }
    };
    switch (kind) {
        case kKindMouseButton:
            display.type = SlotByte(button, profile, 1) == (1 << button) ? ButtonDisplayType::Default
                                                                         : ButtonDisplayType::SingleKey;
            break;
        case kKindMacro:
            display.type = ButtonDisplayType::Macro;
            storedName(store::ButtonMacroName(profile, button + 1));
            break;
        case kKindLauncher:
            display.type = ButtonDisplayType::Launcher;
            storedName(store::ButtonProgramName(profile, button + 1));
            break;
        case kKindLevelUp:
        case kKindLevelDown:
        case kKindOff: {
            const bool own = (kind == kKindLevelUp && button == 5) ||
                             (kind == kKindLevelDown && button == 6) || (kind == kKindOff && button == 7);
            display.type = own ? ButtonDisplayType::Default : ButtonDisplayType::SingleKey;
            break;
        }
        default:
            display.type = ButtonDisplayType::SingleKey;
            break;
    }
    return display;
}

int CButtonCatalogue::AssignFunction(int button, int profile, int index, bool write) {
    if (index < 0 || index >= kEntries || !map::ValidProfile(profile) || !map::ValidButton(button)) {
        return 0;
    }
    if (index != kClick && IsLeftClick(button, profile)) {
        bool another = false;
        for (int other = 0; other < map::kButtons && !another; ++other) {
            another = other != button && IsLeftClick(other, profile);
        }
        if (!another) {
            return 0;
        }
    }
    if (!write) {
        return 1;
    }
    const ButtonFunction& entry = kTable[static_cast<size_t>(index)];
    const int address = map::SlotAddress(profile, button);
    m_image.SetCell(address, entry.kind);
    for (int v = 0; v < 4; ++v) {
        m_image.SetCell(address + 1 + v, entry.values[static_cast<size_t>(v)]);
    }
    return 1;
}

bool CButtonCatalogue::SlotPending(int button, int profile) const {
    if (!map::ValidButton(button) || !map::ValidProfile(profile)) {
        return false;
    }
    for (int i = 0; i < map::kSlotSize; ++i) {
        if (m_image.Cell(map::SlotAddress(profile, button) + i).changed) {
            return true;
        }
    }
    return false;
}

}  // namespace vorlix
