#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace vorlix {

// The tables of user-visible texts. Every text starts as its English default and is replaced only as a
// whole, when a language file passes its check. Other parts of the system fetch texts by table and index.
enum class ETextTable {
    Ui,         // 58 texts: window title, tool tips, button captions
    Message,    // 20 messages
    Spare,      // 1 text, loaded and never shown
    Caption,    // 1 text: the caption of every message
    DelayUnit,  // 2 texts: "sec", "ms"
    Function,   // 13 button function names
    Command,    // 21 texts: 20 macro command names, then the command list title
    LedMode,    // 2 tool tips of the LED mode buttons
    Tray,       // 5 tray menu texts of the monitor
};

// One entry of the font table: face name and the height, width and weight the font is made with.
struct SFontEntry {
    std::u16string name;
    int height = 0;
    int width = 0;
    int weight = 0;

    bool operator==(const SFontEntry& other) const = default;
};

class CTextTables {
public:
    static constexpr int kTableCount = 9;
    static constexpr int kFontCount = 7;
    static constexpr size_t kFontNameCapacity = 42;
    // Index of the command list title in the command table.
    static constexpr int kCommandListTitle = 20;
    // The text tables of the configuration program in the order a language file holds them, after the
    // font table and the language number.
    static constexpr ETextTable kFileOrder[] = {
        ETextTable::Ui,        ETextTable::Message,  ETextTable::Spare,   ETextTable::Caption,
        ETextTable::DelayUnit, ETextTable::Function, ETextTable::Command, ETextTable::LedMode,
    };

    // Starts with every table at its English default.
    CTextTables();

    // Number of entries of a table and the capacity of each entry in characters; a text keeps at most
    // capacity - 1 characters.
    static int Count(ETextTable table);
    static size_t Capacity(ETextTable table);
    // The English default of an entry; empty for an index out of range.
    static std::u16string_view DefaultText(ETextTable table, int index);
    static SFontEntry DefaultFont(int index);

    // The current text of an entry; empty for an index out of range, so a caller never reads past a table.
    std::u16string_view Text(ETextTable table, int index) const;
    // Stores text, cut to the entry's capacity. 0 for an index out of range.
    int SetText(ETextTable table, int index, std::u16string_view text);

    const SFontEntry& Font(int index) const;
    // Stores an entry; the name is cut to its capacity, the integers are clamped to what a font can use.
    int SetFont(int index, const SFontEntry& font);

    int LanguageNumber() const { return m_languageNumber; }
    void SetLanguageNumber(int number) { m_languageNumber = number; }

    // Every table of the configuration program back to its defaults and the language number to 0.
    void ResetConfigTables();
    // The monitor's tray texts back to their defaults.
    void ResetTrayTexts();

    // Limits a font integer read from a language file to a range fonts can be made with.
    static int ClampFontHeight(int height);
    static int ClampFontWidth(int width);
    static int ClampFontWeight(int weight);

    bool operator==(const CTextTables& other) const = default;

private:
    static constexpr int kMaxEntries = 58;
    std::array<std::array<std::u16string, kMaxEntries>, kTableCount> m_texts;
    std::array<SFontEntry, kFontCount> m_fonts;
    int m_languageNumber = 0;
};

// Message numbers that the programs show through the message table.
namespace message {
inline constexpr int kTooManyInstances = 0;
inline constexpr int kCantFindDocument = 15;
}  // namespace message

}  // namespace vorlix
