#pragma once

#include <optional>
#include <string>
#include <vector>

#include "macro/MacroLibrary.h"
#include "ui/macro/core/MacroRecorder.h"

namespace vorlix {

class CMacroProgram;
class CRegStore;
class IClock;
class IMacroEditorHost;

// Which of the editor's controls take input. STOP is enabled exactly when nothing else is.
struct SEditorEnabling {
    bool ok = false;
    bool cancel = false;
    bool apply = false;
    bool macroChooser = false;
    bool commandChooser = false;
    bool record = false;
    bool stop = false;
    bool deleteLines = false;
    bool up = false;
    bool down = false;
    bool adjust = false;
    bool delayEdit = false;  // 1088 and its step buttons
    bool configure = false;
    bool toggles = false;  // 1091, 1092 and 1094
    bool defaultDelayEdit = false;
    bool insertCommand = false;
    bool create = false;
    bool import = false;
    bool exportFile = false;
    bool deleteFile = false;
};

// The decisions of the macro editor window: the open macro and its file, the choosers, the timing
// toggles, the line commands, recording, and which controls are enabled. The window draws this state,
// hands over clicks and typed texts, and answers the host's requests.
class CMacroEditorModel {
public:
    static constexpr int kMaxDelayMs = 5000;
    static constexpr int kCommandCount = 20;

    // The two timing toggles: the pending ones follow the buttons, the committed ones are what
    // recording and the file use.
    struct STimingToggles {
        bool dropDelays = false;
        bool defaultDelayMode = false;
    };

    CMacroEditorModel(CMacroProgram& program, CMacroLibrary& library, CRegStore& store, IClock& clock,
                      IMacroEditorHost& host);

    // The window opens: paired deletion from the store, the library's macros, a new empty macro.
    void Open();

    // ---- State shown by the window ----
    const std::vector<std::u16string>& MacroNames() const { return m_names; }
    int ChosenMacro() const { return m_chosen; }
    const std::u16string& CurrentName() const { return m_currentName; }
    int ChosenCommand() const { return m_command; }
    bool Changed() const { return m_changed; }
    bool IsRecording() const { return m_recorder.Recording(); }
    bool Busy() const { return m_busy; }
    bool PairedDeletion() const { return m_pairedDeletion; }
    const STimingToggles& Pending() const { return m_pending; }
    const STimingToggles& Committed() const { return m_committed; }
    int DefaultDelay() const { return m_defaultDelay; }
    const std::u16string& DelayText() const { return m_delayText; }
    const std::u16string& DefaultDelayText() const { return m_defaultDelayText; }
    // The timing a saved file carries: the committed toggles and the default delay.
    MacroTiming FileTiming() const;
    SEditorEnabling Enabling() const;

    // ---- What the user types ----
    void SetDelayText(std::u16string text) { m_delayText = std::move(text); }
    void SetDefaultDelayText(std::u16string text) { m_defaultDelayText = std::move(text); }

    // ---- Commands; each ends with a Refresh of the host ----
    // OK: saves a changed macro; false (the window stays open with the edits) when the save failed.
    bool Ok();
    void Apply();
    // Cancel, or the main window closing the editor: recording ends, nothing is saved.
    void Cancel();
    void ChooseMacro(int index);
    void ChooseCommand(int index);
    void InsertCommand();
    void AdjustDelay();
    void StepDelay(bool up);
    void ConfigureTiming();
    void ToggleDropDelays();
    void ToggleDefaultDelay();
    void TogglePairedDeletion();
    void Record();
    void Stop();
    void DeleteLines();
    void MoveUp();
    void MoveDown();
    void CreateMacro();
    void ImportMacro();
    void ExportMacro();
    void DeleteMacroFile();
    // The user changed the list's selection: the first selected line becomes the current one.
    void ListClicked();

    // ---- Recording: the window hands over the input it filtered ----
    CMacroRecorder& Recorder() { return m_recorder; }
    // The outcome of one handed-over event: a full buffer ends the recording with "Buffer Full!".
    void Recorded(CMacroRecorder::Result result);

    // The step buttons' rule: with delay unit u (1 when below 1), up gives
    // u * ((min(v, 5000 - u) + u - 1) / u + 1) and down u * (min(v, 5000 + u) / u - 1), at least 0.
    static int SteppedDelay(int value, int unit, bool up);

private:
    void NewMacro();
    // The open macro has edits the file lacks: ask whether to drop them. True to go on.
    bool MayDropEdits();
    bool Save();
    // Loads the chosen entry as the open macro.
    void LoadChosen();
    // Reads a delay edit: nothing when it does not parse; otherwise the value within 0..5000.
    static std::optional<int> ReadDelay(const std::u16string& text);
    void Done();

    CMacroProgram& m_program;
    CMacroLibrary& m_library;
    CRegStore& m_store;
    IMacroEditorHost& m_host;
    CMacroRecorder m_recorder;

    std::vector<std::u16string> m_names;
    int m_chosen = -1;
    std::u16string m_currentName;
    int m_command = -1;
    bool m_changed = false;
    bool m_busy = false;
    bool m_pairedDeletion = true;
    STimingToggles m_pending;
    STimingToggles m_committed;
    int m_defaultDelay = 0;
    std::u16string m_delayText = u"0";
    std::u16string m_defaultDelayText = u"0";
};

}  // namespace vorlix
