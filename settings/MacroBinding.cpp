#include "settings/MacroBinding.h"

#include <string>
#include <vector>

#include "device/IcQT47.h"
#include "macro/MacroLibrary.h"
#include "macro/MacroReporter.h"
#include "macro/ScriptImage.h"
#include "settings/ButtonCatalogue.h"
#include "settings/DeviceSession.h"
#include "shared/RegStore.h"
#include "shared/StoreNames.h"
#include "shared/Utf16.h"

namespace vorlix {

CMacroBinding::CMacroBinding(CDeviceSession& session, CMacroLibrary& library, IMacroReporter& reporter)
    : m_session(session), m_library(library), m_reporter(reporter) {}

int CMacroBinding::Bind(int profile, int button, std::u16string_view name, uint8_t runMode,
                        uint8_t repeatCount) {
    const int number = CScriptImage::ScriptNumber(profile, button);
    if (number < 0 || m_session.Busy()) {
        return 0;
    }
    if (!m_session.Connected()) {
        m_reporter.ShowMessage(kMsgNoMouse, u"");
        return 0;
    }
    // Saving the profile after an incomplete load would write cells that were never read.
    if (!m_session.Ready()) {
        m_reporter.ShowMessage(kMsgLoadFailed, u"");
        return 0;
    }
    CIcQT47& device = m_session.Device();
    CButtonCatalogue catalogue(device, &m_session.Store());
    if (!catalogue.AssignFunction(button, profile, CButtonCatalogue::kMacroKey, false)) {
        m_reporter.ShowMessage(kMsgNoLeftButton, u"");
        return 0;
    }
    MacroBody body;
    const int length = m_library.ReadForBinding(name, body);
    if (length < 0) {
        return 0;  // the library has said why
    }
    std::vector<uint8_t> image(device.ScriptImageSize());
    if (!CScriptImage::Build(body.data(), length, runMode, repeatCount, image.data(),
                             static_cast<int>(image.size()))) {
        // A new, never saved macro has no script header; code larger than this mouse's image.
        m_reporter.ShowMessage(kMsgBadMacro, u" " + std::u16string(name));
        return 0;
    }
    // The store first: a macro key whose name the store lost could be neither shown nor exported, so a
    // store that cannot be written leaves the mouse untouched. The name is kept as its file spells it,
    // as the button dialog's list would give it.
    CRegStore& store = m_session.Store();
    const std::string nameValue = store::ButtonMacroName(profile, button + 1);
    const std::string modeValue = store::ButtonMacroMode(profile, button + 1);
    std::u16string oldName;
    const bool hadName = store.ReadText(nameValue, oldName) != 0;
    int32_t oldMode = -1;
    // The button still runs its old script after a failure: it keeps its old values.
    const auto restore = [&] {
        if (hadName) {
            store.WriteText(nameValue, oldName);
        } else {
            store.RemoveValue(nameValue);
        }
        if (oldMode != -1) {
            store.WriteDword(modeValue, static_cast<uint32_t>(oldMode));
        } else {
            store.RemoveValue(modeValue);
        }
    };
    bool stored = store.WriteText(nameValue, m_library.SpelledName(name)) != 0;
    if (stored) {
        // Read once the store surely exists: a read of a store not yet made would create the value.
        oldMode = store.ReadDword(modeValue);
        stored = store.WriteDword(modeValue, CScriptImage::ModeValue(runMode, repeatCount)) != 0;
    }
    if (!stored) {
        const std::u16string why = u" (" + Utf8ToUtf16(store.LastErrorText()) + u")";
        restore();
        m_reporter.ShowMessage(kMsgWriteFailed, why);
        return 0;
    }
    if (!device.WriteScript(static_cast<unsigned>(number), image.data(), image.size())) {
        restore();
        m_reporter.ShowMessage(kMsgSaveScriptFailed, u"");
        return 0;
    }
    catalogue.AssignFunction(button, profile, CButtonCatalogue::kMacroKey, true);
    return m_session.SaveProfile(profile);
}

}  // namespace vorlix
