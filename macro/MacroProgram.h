#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "macro/MacroTypes.h"

namespace vorlix {

class IMacroListObserver;
class IMacroTextSource;

// The in-memory macro program the macro editor works on: an ordered list of instructions within a
// byte budget, with the jump table that keeps jump targets on the same instruction while lines are
// inserted, deleted, moved or re-timed. Storage is allocated once; edits do not allocate.
//
// Results: a line index, or -3 when the budget refuses an edit, or -1 when an instruction cannot be
// added (unknown sub-opcode, full table, a delay with no line before it).
class CMacroProgram {
public:
    explicit CMacroProgram(const IMacroTextSource& texts);
    ~CMacroProgram();
    CMacroProgram(const CMacroProgram&) = delete;
    CMacroProgram& operator=(const CMacroProgram&) = delete;

    void SetObserver(IMacroListObserver* observer) { m_observer = observer; }

    // Deletes every line; capacity and delay unit stay.
    void Clear();
    void DeleteAll() { Clear(); }

    int Count() const { return m_count; }
    int UsedBytes() const { return m_used; }
    int Capacity() const { return m_capacity; }
    void SetCapacity(int bytes);
    int DelayUnit() const { return m_delayUnit; }
    void SetDelayUnit(int milliseconds);
    int CurrentLine() const { return m_currentLine; }

    // Line 0..Count()-1.
    const MacroInstruction& Line(int line) const { return m_pool[m_order[line]]; }
    int IconOf(int line) const;
    std::u16string DelayTextOf(int line) const;
    // Byte offset at which a line starts in the byte code; Count() gives the code length.
    int StartOffset(int line) const;

    // opcode: first byte; word1/word2 as the instruction takes them: Delay ticks, LoopStart cycles
    // (1..256), ConsumerKey usage, Motion dx and dy, LoopEnd target offset.
    int AppendPlain(int opcode, int word1 = 0, int word2 = 0);
    // AbsoluteMove x, y; IfState flags | mask << 8, target; Goto/Call target; IfVariable
    // kind | constant << 8, target; SetVariable kind, constant; Return and commands none.
    int AppendExtended(int subOpcode, int word1 = 0, int word2 = 0);
    // As append, before the single selected line; 0 and nothing changes unless exactly one line is
    // selected.
    int InsertPlain(int opcode, int word1 = 0, int word2 = 0);
    int InsertExtended(int subOpcode, int word1 = 0, int word2 = 0);

    // Sets the delay after the single selected line to milliseconds (0..5000). 1 on success, 0 without
    // exactly one selected line, -3 when the budget refuses it.
    int SetDelayOfSelected(int milliseconds);
    // Deletes the selected lines, with the lines that pair with them when withPairs. Returns the
    // number of lines deleted.
    int DeleteSelected(bool withPairs);
    // Move the single selected line by one; 1 when moved, 0 otherwise.
    int MoveSelectedUp();
    int MoveSelectedDown();

    // The line's bytes into out (room for kMaxLineBytes); their number, or 0 when the line's bytes and
    // its size disagree.
    int SerializeLine(int line, uint8_t* out) const;
    // The whole byte code into out; its length, at most room.
    int Serialize(uint8_t* out, int room) const;
    // Replaces the program by the one the byte code describes. 1 for any non-null input.
    int Parse(const uint8_t* code, int length);

    // The line a key or single-button press or release pairs with, or -1.
    int PairedLine(int line) const;

    // Selection, as the instruction list shows it.
    void SelectLine(int line);
    void DeselectLine(int line);  // -1: the current line
    void SelectOnly(int line);
    // Scrolls a line into view without touching the selection.
    void EnsureVisible(int line);
    void ClearSelection();
    bool IsSelected(int line) const { return line >= 0 && line < m_count && m_selected[line] != 0; }
    int SelectedCount() const { return m_selectedCount; }
    // The single selected line, or -1 when none or several are selected.
    int SelectedLine() const;
    // A click in the list: the first selected line becomes the current line.
    void OnListClick();

    int JumpCount() const { return m_jumpCount; }
    const JumpLink& Jump(int index) const { return m_jumps[index]; }
    // The jump table entry of a line, or nullptr.
    const JumpLink* JumpOf(int line) const;

private:
    MacroInstruction& Record(int line) { return m_pool[m_order[line]]; }
    int Add(bool insert, int opcode, int subOpcode, int word1, int word2);
    void AppendSingle(int opcode);
    int MergeDelay(int line, int ticks);
    void FillRecord(MacroInstruction& record, int opcode, int subOpcode, int word1, int word2) const;
    int InstructionSize(const MacroInstruction& record) const;
    void EnsureStarts() const;
    int ResolveOffset(int offset) const;
    void RecordLink(int jumpLine, int targetLine, int offset);
    void RemoveLink(int jumpLine);
    // Rebuilds a jump's target operand and text; notifies the row when its text changed.
    void Reencode(int line, int offset);
    // Moves every jump whose target line is after line onto its target's current start.
    void FollowTargetsAfter(int line);
    void SwapWithNext(int line);
    void ResolveForwardReferences();
    void Notify(int line);
    void SetSelected(int line, bool selected);

    const IMacroTextSource& m_texts;
    IMacroListObserver* m_observer = nullptr;
    std::unique_ptr<MacroInstruction[]> m_pool;
    // Line i lives in pool slot m_order[i]; the unused slots follow, so the array stays a permutation.
    std::unique_ptr<int16_t[]> m_order;
    std::unique_ptr<uint8_t[]> m_selected;
    std::unique_ptr<int32_t[]> m_scratch;
    mutable std::unique_ptr<int32_t[]> m_starts;
    mutable bool m_startsValid = true;
    JumpLink m_jumps[kMaxJumpLinks] = {};
    int m_jumpCount = 0;
    int m_count = 0;
    int m_used = 0;
    int m_capacity = kMaxCodeBytes;
    int m_delayUnit = 1;
    int m_currentLine = 0;
    int m_selectedCount = 0;
};

}  // namespace vorlix
