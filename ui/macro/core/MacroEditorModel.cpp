#include "ui/macro/core/MacroEditorModel.h"

#include <algorithm>

#include "macro/MacroProgram.h"
#include "macro/MacroReporter.h"
#include "macro/MacroTypes.h"
#include "shared/RegStore.h"
#include "shared/StoreNames.h"
#include "ui/dialogs/core/EditFilters.h"
#include "ui/dialogs/core/ModalRun.h"
#include "ui/dialogs/core/SkinPages.h"
#include "ui/macro/core/MacroEditorHost.h"

namespace vorlix {

namespace {

// Message table entries the editor shows besides the library's.
constexpr int kBadSelectedMacro = 11;
constexpr int kRecordFailure = 16;
constexpr int kClearMacro = 17;

std::u16string Number(int value) {
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

}  // namespace

CMacroEditorModel::CMacroEditorModel(CMacroProgram& program, CMacroLibrary& library, CRegStore& store,
                                     IClock& clock, IMacroEditorHost& host)
    : m_program(program), m_library(library), m_store(store), m_host(host), m_recorder(program, clock) {}

void CMacroEditorModel::Open() {
    // A missing value (-1) turns paired deletion on as well; only a stored 0 turns it off.
    m_pairedDeletion = m_store.ReadDword(store::kDisableDeletePaired) != 0;
    m_names = m_library.ListMacros(macrofile::kListLimit);
    m_chosen = -1;
    m_currentName.clear();
    m_command = -1;
    m_busy = false;
    NewMacro();
    Done();
}

void CMacroEditorModel::NewMacro() {
    m_program.Clear();
    m_program.SetCapacity(kMaxCodeBytes);
    m_program.SetDelayUnit(1);
    m_delayText = u"0";
    m_pending = {};
    m_committed = {};
    m_defaultDelay = 0;
    m_defaultDelayText = u"0";
    m_changed = false;
}

MacroTiming CMacroEditorModel::FileTiming() const {
    MacroTiming timing;
    timing.withoutDelay = m_committed.dropDelays;
    timing.insertDefaultDelay = m_committed.defaultDelayMode;
    timing.defaultDelay = m_committed.defaultDelayMode ? m_defaultDelay : 0;
    return timing;
}

SEditorEnabling CMacroEditorModel::Enabling() const {
    SEditorEnabling on;
    if (m_busy || IsRecording()) {
        on.stop = true;
        return on;
    }
    const bool chosen = m_chosen >= 0;
    on.ok = on.cancel = on.macroChooser = on.commandChooser = true;
    on.delayEdit = on.toggles = on.create = on.import = true;
    on.apply = m_changed;
    on.record = !m_currentName.empty();
    on.defaultDelayEdit = m_pending.defaultDelayMode;
    on.exportFile = on.deleteFile = on.configure = chosen;
    on.insertCommand = chosen && m_command >= 0;
    const int selected = m_program.SelectedCount();
    on.deleteLines = selected >= 1;
    on.adjust = selected == 1;
    if (selected == 1 && m_program.Count() >= 2) {
        on.up = m_program.CurrentLine() > 0;
        on.down = m_program.CurrentLine() < m_program.Count() - 1;
    }
    return on;
}

void CMacroEditorModel::Done() {
    m_host.Refresh();
}

// ---- OK, Apply, Cancel ----

bool CMacroEditorModel::Save() {
    m_busy = true;
    m_host.Refresh();
    const bool saved = m_library.WriteMacro(m_currentName, m_program, FileTiming()) != 0;
    m_busy = false;
    if (!saved) {
        m_host.ShowMessage(macromsg::kSaveFailed, u"");
    }
    return saved;
}

bool CMacroEditorModel::Ok() {
    // A failed save keeps the window open with the edits, so nothing is lost unasked.
    if (m_changed && !m_currentName.empty() && !Save()) {
        Done();
        return false;
    }
    m_changed = false;
    m_command = -1;
    Done();
    return true;
}

void CMacroEditorModel::Apply() {
    if (m_changed && !m_currentName.empty() && !Save()) {
        Done();
        return;
    }
    m_changed = false;
    m_command = -1;
    Done();
}

void CMacroEditorModel::Cancel() {
    if (IsRecording()) {
        m_recorder.Stop();
    }
    m_command = -1;
    Done();
}

// ---- Choosers ----

bool CMacroEditorModel::MayDropEdits() {
    if (!m_changed || m_currentName.empty() || m_program.Count() == 0) {
        return true;
    }
    std::u16string question = u"Drop the unsaved changes of " + m_currentName + u"?";
    return m_host.RunPage(page::kQuestion, question) == kModalOk;
}

void CMacroEditorModel::ChooseMacro(int index) {
    if (index < 0 || index >= static_cast<int>(m_names.size()) || !MayDropEdits()) {
        Done();
        return;
    }
    m_chosen = index;
    LoadChosen();
    Done();
}

void CMacroEditorModel::LoadChosen() {
    if (m_chosen < 0 || m_chosen >= static_cast<int>(m_names.size())) {
        return;
    }
    m_currentName = m_names[static_cast<size_t>(m_chosen)];
    m_busy = true;
    m_host.Refresh();
    MacroTiming timing;
    const bool loaded = m_library.LoadMacro(m_currentName, m_program, timing) != 0;
    m_busy = false;
    if (!loaded) {
        // The old macro's lines must not be saved under the new name.
        NewMacro();
        return;
    }
    m_committed.dropDelays = m_pending.dropDelays = timing.withoutDelay;
    m_committed.defaultDelayMode = m_pending.defaultDelayMode = timing.insertDefaultDelay;
    m_defaultDelay = std::clamp(timing.defaultDelay, 0, kMaxDelayMs);
    m_defaultDelayText = Number(m_defaultDelay);
    m_delayText = u"0";
    m_changed = false;
}

void CMacroEditorModel::ChooseCommand(int index) {
    m_command = index >= 0 && index < kCommandCount ? index : -1;
    Done();
}

// ---- Lines ----

void CMacroEditorModel::InsertCommand() {
    if (m_command < 0 || m_command >= kCommandCount) {
        m_host.ShowMessage(kBadSelectedMacro, u"");
        Done();
        return;
    }
    const int subOpcode = sub::kFirstCommand + m_command;
    const int line = m_program.SelectedCount() == 1 ? m_program.InsertExtended(subOpcode)
                                                    : m_program.AppendExtended(subOpcode);
    if (line == kBudgetExceeded) {
        if (IsRecording()) {
            m_recorder.Stop();
        }
        m_host.ShowMessage(macromsg::kBufferFull, u"");
    } else if (line >= 0) {
        m_program.EnsureVisible(line);
        m_changed = true;
    }
    Done();
}

std::optional<int> CMacroEditorModel::ReadDelay(const std::u16string& text) {
    const std::optional<long> value = editfilter::ParseNumber(text);
    if (!value) {
        return std::nullopt;
    }
    return static_cast<int>(std::clamp<long>(*value, 0, kMaxDelayMs));
}

void CMacroEditorModel::AdjustDelay() {
    const std::optional<long> value = editfilter::ParseNumber(m_delayText);
    if (!value) {
        Done();
        return;
    }
    if (*value > kMaxDelayMs) {
        m_delayText = Number(kMaxDelayMs);
    }
    const int ms = static_cast<int>(std::clamp<long>(*value, 0, kMaxDelayMs));
    const int result = m_program.SetDelayOfSelected(ms);
    if (result == 0) {
        m_host.ShowMessage(macromsg::kNoSelection, u"");
    } else if (result == kBudgetExceeded) {
        m_host.ShowMessage(macromsg::kBufferFull, u"");
    } else {
        m_changed = true;
    }
    Done();
}

int CMacroEditorModel::SteppedDelay(int value, int unit, bool up) {
    const int u = unit < 1 ? 1 : unit;
    const int v = std::max(0, value);
    if (up) {
        return u * ((std::min(v, kMaxDelayMs - u) + u - 1) / u + 1);
    }
    const int down = u * (std::min(v, kMaxDelayMs + u) / u - 1);
    return down < u ? 0 : down;
}

void CMacroEditorModel::StepDelay(bool up) {
    const std::optional<int> value = ReadDelay(m_delayText);
    if (value) {
        m_delayText = Number(SteppedDelay(*value, m_program.DelayUnit(), up));
    }
    Done();
}

void CMacroEditorModel::ConfigureTiming() {
    m_committed = m_pending;
    if (!m_committed.dropDelays) {
        if (const std::optional<long> value = editfilter::ParseNumber(m_defaultDelayText)) {
            m_defaultDelay = static_cast<int>(std::clamp<long>(*value, 1, kMaxDelayMs));
        }
        m_defaultDelayText = Number(m_defaultDelay);
    }
    // The file keeps the timing: a new choice is an edit to save.
    m_changed = true;
    Done();
}

void CMacroEditorModel::ToggleDropDelays() {
    m_pending.dropDelays = !m_pending.dropDelays;
    if (m_pending.dropDelays) {
        m_pending.defaultDelayMode = false;
    }
    Done();
}

void CMacroEditorModel::ToggleDefaultDelay() {
    m_pending.defaultDelayMode = !m_pending.defaultDelayMode;
    if (m_pending.defaultDelayMode) {
        m_pending.dropDelays = false;
    }
    Done();
    if (m_pending.defaultDelayMode) {
        m_host.FocusDefaultDelay();
    }
}

void CMacroEditorModel::TogglePairedDeletion() {
    m_pairedDeletion = !m_pairedDeletion;
    m_store.WriteDword(store::kDisableDeletePaired, m_pairedDeletion ? 1 : 0);
    Done();
}

void CMacroEditorModel::DeleteLines() {
    if (m_program.SelectedCount() > 0) {
        m_program.DeleteSelected(m_pairedDeletion);
        m_changed = true;
    } else if (m_program.Count() > 0) {
        std::u16string question = m_host.MessageText(macromsg::kClearAll);
        if (m_host.RunPage(page::kQuestion, question) == kModalOk) {
            m_program.DeleteAll();
            m_changed = true;
        }
    }
    Done();
}

void CMacroEditorModel::MoveUp() {
    if (m_program.MoveSelectedUp() != 0) {
        m_changed = true;
    }
    Done();
}

void CMacroEditorModel::MoveDown() {
    if (m_program.MoveSelectedDown() != 0) {
        m_changed = true;
    }
    Done();
}

void CMacroEditorModel::ListClicked() {
    m_program.OnListClick();
    Done();
}

// ---- Recording ----

void CMacroEditorModel::Record() {
    if (IsRecording() || m_currentName.empty()) {
        return;
    }
    CMacroRecorder::STiming timing;
    timing.dropDelays = m_committed.dropDelays;
    timing.defaultDelayMode = m_committed.defaultDelayMode;
    timing.defaultDelayMs = m_defaultDelay;
    if (!m_recorder.Start(timing)) {
        m_host.ShowMessage(kRecordFailure, u"");
    }
    Done();
}

void CMacroEditorModel::Stop() {
    if (!IsRecording()) {
        return;
    }
    m_recorder.Stop();
    m_changed = true;
    Done();
}

void CMacroEditorModel::Recorded(CMacroRecorder::Result result) {
    if (result == CMacroRecorder::Result::BufferFull) {
        m_changed = true;
        Done();
        m_host.ShowMessage(macromsg::kBufferFull, u"");
        return;
    }
    if (result == CMacroRecorder::Result::Recorded) {
        m_changed = true;
    }
}

// ---- Files ----

void CMacroEditorModel::CreateMacro() {
    if (!MayDropEdits()) {
        Done();
        return;
    }
    std::u16string name;
    m_busy = true;
    const int answer = m_host.RunPage(page::kNewMacro, name);
    bool created = false;
    if (answer == kModalOk && m_library.CreateMacro(name) != 0) {
        created = true;
        NewMacro();
        m_currentName = m_library.SpelledName(name);
        m_names.push_back(m_currentName);
        m_chosen = static_cast<int>(m_names.size()) - 1;
    }
    m_busy = false;
    if (!created && m_chosen < 0) {
        m_currentName.clear();
    }
    if (created) {
        m_changed = true;
    }
    Done();
}

void CMacroEditorModel::ImportMacro() {
    if (!MayDropEdits()) {
        Done();
        return;
    }
    std::string path;
    if (!m_host.ChooseFile(false, u"", path)) {
        Done();
        return;
    }
    std::u16string name;
    if (m_library.ImportMacro(path, name) != 0) {
        m_names.push_back(m_library.SpelledName(name));
        m_chosen = static_cast<int>(m_names.size()) - 1;
    }
    LoadChosen();
    m_changed = false;
    Done();
}

void CMacroEditorModel::ExportMacro() {
    std::string path;
    if (m_chosen < 0 || !m_host.ChooseFile(true, m_currentName, path)) {
        Done();
        return;
    }
    m_busy = true;
    m_host.Refresh();
    m_library.ExportMacro(path, m_program, FileTiming());
    m_busy = false;
    Done();
}

void CMacroEditorModel::DeleteMacroFile() {
    const std::u16string* chosen = m_chosen >= 0 ? &m_names[static_cast<size_t>(m_chosen)] : nullptr;
    if (m_library.DeleteMacro(m_currentName, chosen) != 0) {
        m_names.erase(m_names.begin() + m_chosen);
        m_chosen = -1;
        m_currentName.clear();
        NewMacro();
    }
    Done();
}

}  // namespace vorlix
