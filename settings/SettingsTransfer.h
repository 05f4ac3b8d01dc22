#pragma once

#include <string>

#include "SettingsFile.h"

namespace vorlix {

class CDeviceSession;
class CMacroLibrary;
class IMacroReporter;

// Moves the whole configuration of a loaded mouse into a settings snapshot and back: the profile
// blocks, the profile byte, the buttons' store values and the macros bound to the "MACRO KEY"
// buttons, which travel with their code and come back into the macro library and the mouse.
class CSettingsTransfer {
public:
    CSettingsTransfer(CDeviceSession& session, CMacroLibrary& library, IMacroReporter& reporter);

    // The mouse (its settings loaded) and the store as a snapshot. 0 with error naming the profile and
    // button when the macro of a macro button cannot be read from the library.
    int Export(SSettingsSnapshot& snapshot, std::string& error);
    // Checks the snapshot against this mouse and the macro library first and changes nothing when a
    // check fails; then adds the missing macros to the library, writes the blocks and the profile byte,
    // sets the store values and binds the macros again. 0 with error on any failure.
    int Import(const SSettingsSnapshot& snapshot, std::string& error);

    // The rules every change command keeps, applied to a whole file before anything is written: each
    // profile keeps a left click; its eight buttons name catalogue functions, a LAUNCH button its
    // program and a bound MACRO KEY its macro; report rate, lift-off, level count, level values and LED
    // modes are values the mouse and the configuration program know; macro names are names a new
    // macro may take. 0 with error naming the line and profile of the first fault.
    static int CheckRules(const SSettingsSnapshot& snapshot, std::string& error);

private:
    int CheckImport(const SSettingsSnapshot& snapshot, std::string& error);

    CDeviceSession& m_session;
    CMacroLibrary& m_library;
    IMacroReporter& m_reporter;
};

}  // namespace vorlix
