#pragma once

#include <cstdint>
#include <string_view>

namespace vorlix {

class CDeviceSession;
class CMacroLibrary;
class IMacroReporter;

// Binds a macro of the library to a button of a profile: the macro's code goes into the mouse as the
// button's script (a rebuilt script header carrying run mode and repeat count), the button becomes a
// "MACRO KEY" and the profile is saved, and the store records the macro's name and its run mode and
// repeat count, which the mouse cannot give back. Needs a connected mouse whose settings are loaded.
class CMacroBinding {
public:
    // Message numbers of the message table.
    static constexpr int kMsgNoMouse = 1;
    static constexpr int kMsgLoadFailed = 5;
    static constexpr int kMsgSaveScriptFailed = 8;
    static constexpr int kMsgWriteFailed = 9;
    static constexpr int kMsgNoLeftButton = 10;
    static constexpr int kMsgBadMacro = 11;

    CMacroBinding(CDeviceSession& session, CMacroLibrary& library, IMacroReporter& reporter);

    // profile 0..4, button 0..7; runMode and repeatCount are the script header's first two bytes. 1 when
    // the script, the button and the store values were all written; every failure is reported.
    int Bind(int profile, int button, std::u16string_view name, uint8_t runMode, uint8_t repeatCount);

private:
    CDeviceSession& m_session;
    CMacroLibrary& m_library;
    IMacroReporter& m_reporter;
};

}  // namespace vorlix
