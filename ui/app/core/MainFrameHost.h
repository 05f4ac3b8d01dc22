#pragma once

#include <string>
#include <string_view>

namespace vorlix {

// One run of a page of the skinned dialog: the fields the caller fills and reads back.
struct SPageRun {
    int page = 0;
    std::u16string text;
    std::string path;
    int option = -1;
    int value = 0;
};

// The child dialogs the window opens, by their "Current Dialog" value.
enum class EChildDialog { Advanced = 1, MacroEditor = 2, Led = 3 };

// What the main window's decisions need from the window on screen. The Qt window implements it; tests
// answer it from scripts.
class IMainFrameHost {
public:
    virtual ~IMainFrameHost() = default;
    // The window state changed: draw the controls again from the model.
    virtual void Refresh() = 0;
    // Runs a page modally; 1 OK, 2 Cancel.
    virtual int RunPage(SPageRun& run) = 0;
    // Message number of the message table with a text appended directly.
    virtual void ShowMessage(int number, std::u16string_view appended) = 0;
    // The launcher file chooser on the stored path; true with the chosen path and file name on OK.
    virtual bool ChooseProgram(const std::string& storedPath, std::string& path, std::string& name) = 0;
    // Runs a child dialog on the profile; false when the window has no such dialog (nothing was shown).
    // endProfile is the profile the dialog ended on, ok whether it ended with OK.
    virtual bool RunChildDialog(EChildDialog dialog, int profile, int& endProfile, bool& ok) = 0;
    // The mouse was lost: the advanced, LED and skinned dialogs end as if cancelled.
    virtual void CancelDeviceDialogs() = 0;
    // Opens the help document of the language; reports its own failure.
    virtual void OpenHelp() = 0;
    // Opens a web address; false when no handler took it.
    virtual bool OpenWebPage(const std::string& address) = 0;
    virtual void HideWindow() = 0;
    // Ends the program (the exit command, or the choice between several mice cancelled).
    virtual void EndProgram() = 0;
    // Keeps the user's other programs (vorlixctl) off the mouse while the window writes to it (a save, a
    // reset, a macro binding, a lighting mode): two writers at once select blocks under each other and the
    // mouse drops a write. False when another program kept the mouse for the whole wait; nothing may be
    // written then.
    virtual bool LockMouse() = 0;
    virtual void UnlockMouse() = 0;
    // The session starts or ends reading or writing the mouse: the progress overlay runs meanwhile.
    virtual void DeviceWorkStarted() = 0;
    virtual void DeviceWorkEnded() = 0;
};

}  // namespace vorlix
