#include "TextTables.h"

#include <algorithm>

namespace vorlix {

namespace {

// The English defaults, in the order a language file holds them.
constexpr std::u16string_view kUiTexts[] = {
    u"Qz vIVEDUD VORLIX DAZE Gaming Mouse",
    u"Qz vIVEDUD VORLIX DAZE Gaming Mouse",
    u"",
    u"Close",
    u"Enable System tray",
    u"Reset this profile to system default.",
    u"Go to the vIVEDUD VORLIX DAZE register web site.",
    u"Open the help document.",
    u"save the setting into mouse.",
    u"Cancel all changes, and quit",
    u"save the setting into mouse, and quit",
    u"Open Macro editor",
    u"Advanced mouse configuration.",
    u"LED configuration.",
    u"Switch to profile 1 page.",
    u"Switch to profile 2 page.",
    u"Switch to profile 3 page.",
    u"Switch to profile 4 page.",
    u"Switch to profile 5 page.",
    u"OK",
    u"Cancel",
    u"Apply",
    u"RESET TO DEFAULT",
    u"OK/EXIT",
    u"ONE SCREEN AT TIME",
    u"ADJUST DELAY TIME",
    u"Load from file",
    u"Create New Macro",
    u"RECORD",
    u"STOP",
    u"DELETE",
    u"ONE-TIME",
    u"REPEAT when press and hold",
    u"Repeat until next key is pressed",
    u"Multiple Loops",
    u"Move instruction line up",
    u"Move instruction line down",
    u"YES",
    u"NO",
    u"Macro Function",
    u"Single Key Function",
    u"Default Button Function",
    u"Applictaion Laucher Function",
    u"Always turn on LEDs",
    u"Always turn off LEDs",
    u"Red",
    u"Purple",
    u"Blue",
    u"Cygon",
    u"White",
    u"Yellow",
    u"Green",
    u"Delete one macro file",
    u"Without and delay",
    u"Insert defualt delay",
    u"Configure the delay timing",
    u"Insert Macro command",
    u"Save as file",
};

constexpr std::u16string_view kMessages[] = {
    u"TOO MANY INSTANCES!",
    u"No Gamer Mouse Connected!",
    u"FAILURE: Can't find the file path: ",
    u"FAILURE: 101, Bad File format!?",
    u"Error: Failed to LOAD the Whole EEPROM!",
    u"Error: Failed to LOAD MOUSE CONFIGURE!",
    u"Error: Failed to SAVE MOUSE CONFIGURE!",
    u"Error: Failed to LOAD ONE SCRIPT!",
    u"Error: Failed to SAVE ONE SCRIPT!",
    u"FAILURE: 201, failed to write!?",
    u"No L-Button!",
    u"Bad Selected Macro!",
    u"Buffer Full!",
    u"Can't connect to ",
    u"No Selected item!",
    u"Can't find document: ",
    u"Record funciton failure!",
    u"Clear macro definitions?",
    u"Overwrite?",
    u"Macro exist!",
};

constexpr std::u16string_view kSpare[] = {u""};
constexpr std::u16string_view kCaption[] = {u"Qz vIVEDUD VORLIX DAZE MESSAGE"};
constexpr std::u16string_view kDelayUnits[] = {u"sec", u"ms"};

constexpr std::u16string_view kFunctions[] = {
    u"MACRO KEY", u"CLICK",     u"BUTTON OFF",    u"RIGHT BUTTON",   u"DOUBLE CLICK",
    u"BACKWARD",  u"FORWARD",   u"SCROLL BUTTON", u"SENSITIVITY-UP", u"SENSITIVITY-DOWN",
    u"LAUNCH",    u"VOLUMN UP", u"VOLUMN DOWN",
};

constexpr std::u16string_view kCommands[] = {
    u"Page UP",      u"Page DN",      u"Copy",         u"Paste",
    u"Close Window", u"Show Desktop", u"Undo",         u"Open Window Explorer",
    u"Delet",        u"Cut",          u"Print Screen", u"Lock PC",
    u"Zoom In",      u"Zoom Out",     u"All",          u"Find",
    u"Print",        u"Save",         u"New",          u"Maxmize IE/Media Player",
    u"Commands",
};

constexpr std::u16string_view kLedModes[] = {
    u"Switch to Normal LED Control Mode",
    u"Switch to Battle LED Mode",
};

constexpr std::u16string_view kTrayTexts[] = {
    u"Launch VORLIX DAZE Gaming Mouse APP", u"Visit eARENA Website", u"Enable OSD", u"Exit", u"Disable OSD",
};

struct STableInfo {
    const std::u16string_view* defaults;
    int count;
    size_t capacity;
};

template <size_t N>
constexpr STableInfo Info(const std::u16string_view (&defaults)[N], size_t capacity) {
    return {defaults, static_cast<int>(N), capacity};
}

// Indexed by ETextTable.
constexpr STableInfo kTables[] = {
    Info(kUiTexts, 256), Info(kMessages, 80),   Info(kSpare, 80),
    Info(kCaption, 256), Info(kDelayUnits, 10), Info(kFunctions, 50),
    Info(kCommands, 52), Info(kLedModes, 40),   Info(kTrayTexts, 64),
};

static_assert(std::size(kUiTexts) == 58 && std::size(kMessages) == 20 && std::size(kFunctions) == 13 &&
              std::size(kCommands) == 21 && std::size(kTrayTexts) == 5);
static_assert(std::size(kTables) == CTextTables::kTableCount);

const STableInfo& TableInfo(ETextTable table) {
    return kTables[static_cast<int>(table)];
}

bool InRange(ETextTable table, int index) {
    const int t = static_cast<int>(table);
    return t >= 0 && t < CTextTables::kTableCount && index >= 0 && index < kTables[t].count;
}

const SFontEntry kDefaultFonts[CTextTables::kFontCount] = {
    {u"Arial", 0, 0, 500},
    {u"Arial Rounded MT Bold", 20, 0, 700},
    {u"Arial Rounded MT Bold", 17, 0, 500},
    {u"Arial Rounded MT Bold", 15, 0, 500},
    {u"Arial", 12, 0, 500},
    {u"Arial", 14, 0, 400},
    {u"Arial", 20, 0, 500},
};

std::u16string Cut(std::u16string_view text, size_t capacity) {
    return std::u16string(text.substr(0, capacity - 1));
}

}  // namespace

CTextTables::CTextTables() {
    ResetConfigTables();
    ResetTrayTexts();
}

int CTextTables::Count(ETextTable table) {
    return InRange(table, 0) ? TableInfo(table).count : 0;
}

size_t CTextTables::Capacity(ETextTable table) {
    return InRange(table, 0) ? TableInfo(table).capacity : 0;
}

std::u16string_view CTextTables::DefaultText(ETextTable table, int index) {
    return InRange(table, index) ? TableInfo(table).defaults[index] : std::u16string_view();
}

SFontEntry CTextTables::DefaultFont(int index) {
    return index >= 0 && index < kFontCount ? kDefaultFonts[index] : SFontEntry{};
}

std::u16string_view CTextTables::Text(ETextTable table, int index) const {
    return InRange(table, index) ? std::u16string_view(m_texts[static_cast<int>(table)][index])
                                 : std::u16string_view();
}

int CTextTables::SetText(ETextTable table, int index, std::u16string_view text) {
    if (!InRange(table, index)) {
        return 0;
    }
    m_texts[static_cast<int>(table)][index] = Cut(text, TableInfo(table).capacity);
    return 1;
}

const SFontEntry& CTextTables::Font(int index) const {
    static const SFontEntry kNone;
    return index >= 0 && index < kFontCount ? m_fonts[index] : kNone;
}

int CTextTables::SetFont(int index, const SFontEntry& font) {
    if (index < 0 || index >= kFontCount) {
        return 0;
    }
    m_fonts[index] = {Cut(font.name, kFontNameCapacity), ClampFontHeight(font.height),
                      ClampFontWidth(font.width), ClampFontWeight(font.weight)};
    return 1;
}

void CTextTables::ResetConfigTables() {
    for (int t = 0; t < kTableCount; ++t) {
        const auto table = static_cast<ETextTable>(t);
        if (table == ETextTable::Tray) {
            continue;
        }
        for (int i = 0; i < Count(table); ++i) {
            m_texts[t][i] = std::u16string(DefaultText(table, i));
        }
    }
    std::copy(std::begin(kDefaultFonts), std::end(kDefaultFonts), m_fonts.begin());
    m_languageNumber = 0;
}

void CTextTables::ResetTrayTexts() {
    for (int i = 0; i < Count(ETextTable::Tray); ++i) {
        m_texts[static_cast<int>(ETextTable::Tray)][i] = std::u16string(DefaultText(ETextTable::Tray, i));
    }
}

// A character height beyond a few hundred pixels only makes a window unusable; the sign is kept because
// a negative height means the character height and a positive one the cell height.
int CTextTables::ClampFontHeight(int height) {
    return std::clamp(height, -200, 200);
}
int CTextTables::ClampFontWidth(int width) {
    return std::clamp(width, 0, 200);
}
int CTextTables::ClampFontWeight(int weight) {
    return std::clamp(weight, 0, 1000);
}

}  // namespace vorlix
