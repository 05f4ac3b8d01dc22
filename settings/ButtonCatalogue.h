#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vorlix {

class CIcQT47;
class CRegStore;

// One function a button can have: what goes into its five-byte slot.
struct ButtonFunction {
    const char* name;  // English default; the language tables may show another text
    int kind;
    std::array<int, 4> values;
};

// How the function row shows a button.
enum class ButtonDisplayType { Macro = 0, SingleKey = 1, Default = 2, Launcher = 3, None = 4 };

struct SSlotDisplay {
    std::u16string name;
    ButtonDisplayType type = ButtonDisplayType::None;
};

// The functions the program knows for the eight programmable buttons, how one is written into a slot
// of the settings image and how a slot is read back. Macro names and launcher names come from the
// shared store when one is given.
class CButtonCatalogue {
public:
    static constexpr int kEntries = 13;
    static constexpr int kMacroKey = 0;
    static constexpr int kClick = 1;
    static constexpr int kLaunch = 10;
    static constexpr int kListPositions = 10;

    // Slot kinds.
    static constexpr int kKindMouseButton = 1;
    static constexpr int kKindConsumer = 3;
    static constexpr int kKindDoubleClick = 4;
    static constexpr int kKindMacro = 6;
    static constexpr int kKindLevelUp = 9;
    static constexpr int kKindLevelDown = 10;
    static constexpr int kKindLauncher = 15;
    static constexpr int kKindOff = 255;

    static const std::array<ButtonFunction, kEntries>& Table();
    // The entry whose English name matches, in any letter case; -1 when none does.
    static int FindByName(std::string_view name);
    // The catalogue entry "Default Button Function" gives a button, -1 outside 0..7.
    static int DefaultFunctionIndex(int button);
    // The entry a slot's five bytes (kind, four values) name, by the rule SlotIndex uses; -1 for none.
    static int IndexOfSlot(const std::array<int, 5>& slot);
    // The single-key list: position 0..9 to catalogue index (any other position gives 1), and back
    // (-1 for entries the list does not offer).
    static int ListPositionToIndex(int position);
    static int IndexToListPosition(int index);

    // store may be null: macro and launcher names are then the catalogue's own.
    CButtonCatalogue(CIcQT47& image, CRegStore* store) : m_image(image), m_store(store) {}

    std::optional<SSlotDisplay> LookupSlot(int button, int profile) const;
    int SlotIndex(int button, int profile) const;
    // Writes entry index into the slot with the editing rule; refuses to take the left click from
    // the only button that has it. write = false only checks.
    int AssignFunction(int button, int profile, int index, bool write);
    // True when a byte of the slot is marked changed: the button holds an edit not yet written.
    bool SlotPending(int button, int profile) const;

private:
    int SlotByte(int button, int profile, int i) const;
    bool IsLeftClick(int button, int profile) const;
    // Index of the first entry of the slot's kind whose compared values match the slot; -1 when none.
    static int Match(const std::array<int, 5>& slot, int comparedValues);

    CIcQT47& m_image;
    CRegStore* m_store;
};

}  // namespace vorlix
