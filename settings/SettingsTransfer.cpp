#include "SettingsTransfer.h"

#include <cstdio>

#include "ButtonCatalogue.h"
#include "DeviceSession.h"
#include "Sensitivity.h"
#include "device/IcQT47.h"
#include "macro/MacroLibrary.h"
#include "macro/MacroName.h"
#include "macro/ScriptImage.h"
#include "settings/MacroBinding.h"
#include "shared/RegStore.h"
#include "shared/StoreNames.h"
#include "shared/Utf16.h"

namespace vorlix {

namespace {

// Run mode and repeat count of a binding made before they were recorded: the binding's default.
constexpr uint8_t kAssumedRunMode = 5;
constexpr uint8_t kAssumedRepeatCount = 0;

std::string Where(int profile, int button) {
    return "profile " + std::to_string(profile + 1) + " button " + std::to_string(button + 1);
}

std::string Quoted(const std::u16string& name) {
    return "\"" + Utf16ToUtf8(name) + "\"";
}

// The code as binding sends it: command key sequences taken from the command table.
std::vector<uint8_t> RefreshedCode(const std::vector<uint8_t>& code) {
    std::vector<uint8_t> body(static_cast<size_t>(macrofile::kScriptHeaderSize), 0);
    body.insert(body.end(), code.begin(), code.end());
    RefreshCommandSequences(body.data(), static_cast<int>(body.size()));
    return {body.begin() + macrofile::kScriptHeaderSize, body.end()};
}

template <typename Visit>
void ForEachMacro(const SSettingsSnapshot& snapshot, Visit visit) {
    for (int p = 0; p < map::kProfiles; ++p) {
        for (int b = 0; b < map::kButtons; ++b) {
            const auto& values = snapshot.buttons[static_cast<size_t>(p)][static_cast<size_t>(b)];
            if (values.macro && values.macroName) {
                visit(p, b, *values.macroName, *values.macro);
            }
        }
    }
}

std::string Hex2(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02x", value & 0xFF);
    return text;
}

// The first fault of one profile's block and button values; empty when there is none.
std::string ProfileFault(const SSettingsSnapshot& snapshot, int p) {
    const auto& block = snapshot.blocks[static_cast<size_t>(p)];
    const auto byte = [&](int offset) { return static_cast<int>(block[static_cast<size_t>(offset)]); };
    const int polling = byte(map::kPollingOffset) & 0x0F;
    if (polling != 1 && polling != 2 && polling != 4 && polling != 8) {
        return "the report rate byte " + Hex2(byte(map::kPollingOffset)) +
               " names no report rate (its low nibble must be 1, 2, 4 or 8)";
    }
    if ((byte(map::kLiftOffOffset) & 0x80) != 0) {
        return "the lift-off byte " + Hex2(byte(map::kLiftOffOffset)) +
               " is out of range (bit 7 is always clear)";
    }
    const int levelByte = byte(map::kLevelByteOffset);
    if ((levelByte & 0xF0) != map::kLevelCountNibble || (levelByte & 0x0F) >= map::kEditedLevels) {
        return "the level byte " + Hex2(levelByte) + " must give 4 levels and an active level from 1 to 4";
    }
    const int highest = SSensitivityScale::ForVariant(2).deviceMaximum;
    for (int level = 0; level < map::kEditedLevels; ++level) {
        for (int axis = 0; axis < 2; ++axis) {
            const int value = byte(map::kLevelRecordOffset + map::kLevelRecordSize * level + axis);
            if (value < 1 || value > highest) {
                return "level " + std::to_string(level + 1) + " has the " + (axis == 0 ? "X" : "Y") +
                       " value " + std::to_string(value) + " (1 to " + std::to_string(highest) + ")";
            }
        }
    }
    for (int z = 0; z < map::kLedRecords; ++z) {
        const int mode = byte(map::kLedOffset + map::kLedRecordSize * z) & 0x7F;
        if (mode < 1 || mode > 3) {
            return "LED record " + std::to_string(z + 1) + " has the mode " + std::to_string(mode) +
                   " (1 or 2 normal, 3 battle)";
        }
    }
    bool leftClick = false;
    for (int b = 0; b < map::kButtons; ++b) {
        const int at = map::kSlotOffset + map::kSlotSize * b;
        const std::array<int, 5> slot = {byte(at), byte(at + 1), byte(at + 2), byte(at + 3), byte(at + 4)};
        const int index = CButtonCatalogue::IndexOfSlot(slot);
        const std::string button = "button " + std::to_string(b + 1);
        if (index < 0) {
            return button + " has the slot " + Hex2(slot[0]) + " " + Hex2(slot[1]) +
                   ", which names no button function";
        }
        leftClick = leftClick || index == CButtonCatalogue::kClick;
        const auto& values = snapshot.buttons[static_cast<size_t>(p)][static_cast<size_t>(b)];
        if (index == CButtonCatalogue::kLaunch && (!values.program || values.program->empty())) {
            return button + " is a LAUNCH button without its program";
        }
        // The check a new macro's name passes: a name stored here names a file of the library later.
        if (values.macroName && !macroname::IsSafe(*values.macroName)) {
            return button + ": the macro name " + Quoted(*values.macroName) + " cannot name a macro file";
        }
        if (values.macroName && !macroname::IsValidNew(*values.macroName)) {
            return button + ": the macro name " + Quoted(*values.macroName) + " is longer than " +
                   std::to_string(macroname::kMaxNewNameLength) + " characters";
        }
        // Files from before macros travelled carry only the name; the macro is then the library's.
        if (index == CButtonCatalogue::kMacroKey && values.macroName && !values.macro &&
            snapshot.version >= 2) {
            return button + " is a MACRO KEY running " + Quoted(*values.macroName) +
                   ", but the file has no macro-run and macro-code lines for it";
        }
    }
    if (!leftClick) {
        return "no button keeps the left click (\"CLICK\"); one must";
    }
    return {};
}

}  // namespace

int CSettingsTransfer::CheckRules(const SSettingsSnapshot& snapshot, std::string& error) {
    for (int p = 0; p < map::kProfiles; ++p) {
        const std::string fault = ProfileFault(snapshot, p);
        if (!fault.empty()) {
            error = "line " + std::to_string(snapshot.profileLines[static_cast<size_t>(p)]) + ": profile " +
                    std::to_string(p + 1) + ": " + fault;
            return 0;
        }
    }
    return 1;
}

CSettingsTransfer::CSettingsTransfer(CDeviceSession& session, CMacroLibrary& library,
                                     IMacroReporter& reporter)
    : m_session(session), m_library(library), m_reporter(reporter) {}

int CSettingsTransfer::Export(SSettingsSnapshot& result, std::string& error) {
    if (!m_session.Ready()) {
        error = "the mouse's settings are not loaded";
        return 0;
    }
    CIcQT47& device = m_session.Device();
    CRegStore& store = m_session.Store();
    const auto text = [&](const std::string& name) -> std::optional<std::u16string> {
        std::u16string value;
        return store.ReadText(name, value) ? std::optional<std::u16string>(value) : std::nullopt;
    };
    SSettingsSnapshot snapshot;
    snapshot.family = device.Family();
    snapshot.profileByte = static_cast<uint8_t>(device.Cell(map::kProfileByte).value);
    for (int p = 0; p < map::kProfiles; ++p) {
        for (int k = 0; k < map::kBlockUsed; ++k) {
            snapshot.blocks[static_cast<size_t>(p)][static_cast<size_t>(k)] =
                static_cast<uint8_t>(device.Cell(map::BlockBase(p) + k).value);
        }
        for (int b = 0; b < map::kButtons; ++b) {
            auto& values = snapshot.buttons[static_cast<size_t>(p)][static_cast<size_t>(b)];
            values.program = text(store::ButtonProgram(p, b + 1));
            values.programName = text(store::ButtonProgramName(p, b + 1));
            values.macroName = text(store::ButtonMacroName(p, b + 1));
            const int kind = device.Cell(map::SlotAddress(p, b)).value & 0xFF;
            // A macro key whose macro was never named (the default of button 8) carries no macro.
            if (kind != CButtonCatalogue::kKindMacro || !values.macroName) {
                continue;
            }
            MacroBody body;
            const int length = m_library.ReadForBinding(*values.macroName, body);
            if (length < macrofile::kScriptHeaderSize) {
                error = Where(p, b) + " runs the macro " + Quoted(*values.macroName) + ", but " +
                        (length < 0 ? "its macro file is missing from the macro library or cannot be read"
                                    : "its macro file holds no script") +
                        "; nothing was exported";
                return 0;
            }
            SSettingsSnapshot::SMacro macro;
            const int32_t mode = store.ReadDword(store::ButtonMacroMode(p, b + 1));
            macro.runMode = mode == -1 ? kAssumedRunMode : static_cast<uint8_t>(mode & 0xFF);
            macro.repeatCount = mode == -1 ? kAssumedRepeatCount : static_cast<uint8_t>((mode >> 8) & 0xFF);
            macro.code.assign(body.begin() + macrofile::kScriptHeaderSize, body.begin() + length);
            values.macro = std::move(macro);
        }
    }
    result = std::move(snapshot);
    return 1;
}

int CSettingsTransfer::CheckImport(const SSettingsSnapshot& snapshot, std::string& error) {
    CIcQT47& device = m_session.Device();
    if ((snapshot.family >> 8) != (device.Family() >> 8)) {
        char detail[96];
        std::snprintf(detail, sizeof detail, "family 0x%04x does not fit this mouse of family 0x%04x",
                      snapshot.family, device.Family());
        error = "line " + std::to_string(snapshot.familyLine) + ": " + detail;
        return 0;
    }
    if (!CheckRules(snapshot, error)) {
        return 0;
    }
    const size_t codeRoom = device.ScriptImageSize() - static_cast<size_t>(CScriptImage::kHeaderSize);
    // One code per name, compared as the binding will send it; names match in any letter case.
    std::vector<std::pair<std::u16string, std::vector<uint8_t>>> seen;
    bool ok = true;
    ForEachMacro(
        snapshot, [&](int p, int b, const std::u16string& name, const SSettingsSnapshot::SMacro& macro) {
            if (!ok) {
                return;
            }
            const std::string where = "line " + std::to_string(macro.line) + ": " + Where(p, b) + ": ";
            const std::vector<uint8_t> code = RefreshedCode(macro.code);
            if (!macroname::IsSafe(name)) {
                error = where + "the macro name " + Quoted(name) + " cannot name a macro file";
                ok = false;
                return;
            }
            if (code.size() > codeRoom) {
                error = where + "the macro " + Quoted(name) + " does not fit this mouse's script of " +
                        std::to_string(codeRoom) + " bytes";
                ok = false;
                return;
            }
            for (const auto& [known, knownCode] : seen) {
                if (macroname::Same(known, name) && knownCode != code) {
                    error = where + "another button of the file has a different macro named " + Quoted(known);
                    ok = false;
                    return;
                }
            }
            seen.emplace_back(name, code);
            if (!m_library.HasMacro(name)) {
                if (!macroname::IsValidNew(name)) {
                    error = where + "the macro name " + Quoted(name) + " is longer than " +
                            std::to_string(macroname::kMaxNewNameLength) + " characters";
                    ok = false;
                }
                return;
            }
            MacroBody body;
            const int length = m_library.ReadForBinding(name, body);
            const bool same = length >= macrofile::kScriptHeaderSize &&
                              std::vector<uint8_t>(body.begin() + macrofile::kScriptHeaderSize,
                                                   body.begin() + length) == code;
            if (!same) {
                error = where + "the macro library already holds a different macro named " + Quoted(name) +
                        "; rename or delete it there, or give the macro another macro-name in the file";
                ok = false;
            }
        });
    return ok ? 1 : 0;
}

int CSettingsTransfer::Import(const SSettingsSnapshot& snapshot, std::string& error) {
    if (!m_session.Ready()) {
        error = "the mouse's settings are not loaded";
        return 0;
    }
    if (!CheckImport(snapshot, error)) {
        error += "; nothing was changed";
        return 0;
    }
    bool ok = true;
    bool folderMade = false;
    ForEachMacro(snapshot, [&](int, int, const std::u16string& name, const SSettingsSnapshot::SMacro& macro) {
        if (ok && !folderMade) {
            // The library is made at start by the configuration program; here only when it is needed.
            folderMade = m_library.CreateFolder() != 0;
        }
        if (ok && !m_library.HasMacro(name) &&
            !m_library.AddMacro(name, macro.code.data(), static_cast<int>(macro.code.size()))) {
            error = "the macro " + Quoted(name) +
                    " could not be added to the macro library; the mouse was "
                    "not changed";
            ok = false;
        }
    });
    if (!ok) {
        return 0;
    }
    // The buttons' store values go first: a launch or macro button must never reach the mouse without
    // its program or macro name, so a store that cannot be written stops the import here.
    CRegStore& store = m_session.Store();
    std::string storeFault;
    const auto put = [&](const std::string& name, const std::optional<std::u16string>& value) {
        if (!storeFault.empty()) {
            return;
        }
        if ((value ? store.WriteText(name, *value) : store.RemoveValue(name)) == 0) {
            storeFault = "the store value \"" + name + "\" could not be written (" + store.LastErrorText() +
                         "); the mouse was not changed";
        }
    };
    for (int p = 0; p < map::kProfiles; ++p) {
        for (int b = 0; b < map::kButtons; ++b) {
            const auto& values = snapshot.buttons[static_cast<size_t>(p)][static_cast<size_t>(b)];
            put(store::ButtonProgram(p, b + 1), values.program);
            put(store::ButtonProgramName(p, b + 1), values.programName);
            put(store::ButtonMacroName(p, b + 1), values.macroName);
        }
    }
    if (!storeFault.empty()) {
        error = storeFault;
        return 0;
    }
    CIcQT47& device = m_session.Device();
    for (int p = 0; p < map::kProfiles; ++p) {
        for (int k = 0; k < map::kBlockUsed; ++k) {
            device.SetCell(map::BlockBase(p) + k,
                           snapshot.blocks[static_cast<size_t>(p)][static_cast<size_t>(k)]);
        }
        if (!m_session.SaveProfile(p)) {
            error = "profile " + std::to_string(p + 1) + " could not be written into the mouse" +
                    (p == 0 ? std::string("; no profile was changed")
                            : "; profiles 1 to " + std::to_string(p) + " were") +
                    "; run the import again once it answers";
            return 0;
        }
    }
    const SCell profileCell = device.Cell(map::kProfileByte);
    if (!(profileCell.valid && profileCell.value == snapshot.profileByte)) {
        if (!device.WriteByte(map::kProfileByte, snapshot.profileByte)) {
            error = "the profile byte could not be written; run the import again";
            return 0;
        }
    }
    m_session.SwitchProfile(snapshot.profileByte & 0x0F);
    CMacroBinding binding(m_session, m_library, m_reporter);
    ForEachMacro(snapshot,
                 [&](int p, int b, const std::u16string& name, const SSettingsSnapshot::SMacro& macro) {
                     if (ok && !binding.Bind(p, b, name, macro.runMode, macro.repeatCount)) {
                         error = Where(p, b) + ": the macro " + Quoted(name) +
                                 " could not be written into the mouse; run the import again";
                         ok = false;
                     }
                 });
    return ok ? 1 : 0;
}

}  // namespace vorlix
