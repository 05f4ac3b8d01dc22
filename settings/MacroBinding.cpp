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
    if (!device.WriteScript(static_cast<unsigned>(number), image.data(), image.size())) {
        m_reporter.ShowMessage(kMsgSaveScriptFailed, u"");
        return 0;
    }
    // The script in the mouse is now this macro, whatever happens to the slot below. The name is kept
    // as its file spells it, as the button dialog's list would give it.
    CRegStore& store = m_session.Store();
    store.WriteText(store::ButtonMacroName(profile, button + 1), m_library.SpelledName(name));
    store.WriteDword(store::ButtonMacroMode(profile, button + 1),
                     CScriptImage::ModeValue(runMode, repeatCount));
    catalogue.AssignFunction(button, profile, CButtonCatalogue::kMacroKey, true);
    return m_session.SaveProfile(profile);
}

}  // namespace vorlix
