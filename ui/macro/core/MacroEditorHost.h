#pragma once

#include <string>
#include <string_view>

namespace vorlix {

// What the macro editor's decisions need from the window on screen. The Qt window implements it;
// tests answer it from scripts.
class IMacroEditorHost {
public:
    virtual ~IMacroEditorHost() = default;
    // The editor's state changed: draw the controls again from the model.
    virtual void Refresh() = 0;
    // Runs a page of the skinned dialog (125 asks for a name, 287 asks a question) with text as its
    // message or proposed name; text receives the typed name. kModalOk or kModalCancel.
    virtual int RunPage(int page, std::u16string& text) = 0;
    // The macro file chooser: open an existing file, or save under a name (proposed without folder).
    // True with the chosen path on OK.
    virtual bool ChooseFile(bool save, std::u16string_view proposedName, std::string& path) = 0;
    // Message number of the message table with a text appended directly.
    virtual void ShowMessage(int number, std::u16string_view appended) = 0;
    // A text of the message table in the user's language (a question the editor asks on a page).
    virtual std::u16string MessageText(int number) = 0;
    // The default delay edit takes the keyboard focus (the default-delay toggle was turned on).
    virtual void FocusDefaultDelay() = 0;
};

}  // namespace vorlix
