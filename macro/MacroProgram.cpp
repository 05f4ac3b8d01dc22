#include "macro/MacroProgram.h"

#include <algorithm>
#include <cstring>

#include "macro/InstructionText.h"
#include "macro/MacroEncoding.h"
#include "macro/MacroListObserver.h"
#include "macro/MacroTextSource.h"

namespace vorlix {

namespace {

// Scratch regions used while deleting: old line -> new line, the deleted lines, their freed slots.
constexpr int kMapRegion = 0;
constexpr int kDeletedRegion = kMaxInstructions;
constexpr int kFreedRegion = 2 * kMaxInstructions;
// Up to this many selected lines, pairs are looked for line by line rather than by two full scans.
constexpr int kFewLines = 32;

int Word(const uint8_t* bytes) {
    return bytes[0] | (bytes[1] << 8);
}

bool SameText(const char16_t* a, const char16_t* b) {
    for (int i = 0; i < kTextCapacity; ++i) {
        if (a[i] != b[i]) {
            return false;
        }
        if (a[i] == 0) {
            return true;
        }
    }
    return true;
}

void CopyText(char16_t* to, const char16_t* from) {
    int i = 0;
    while (i < kTextCapacity - 1 && from[i] != 0) {
        to[i] = from[i];
        ++i;
    }
    to[i] = 0;
}

// Keys and the five single buttons pair a press with a release; L&R, the wheel and NOP do not.
bool Pairs(int opcode) {
    const int low = opcode & 0x7F;
    return low >= op::kFirstKey && low <= op::kLastButton - 1;
}

}  // namespace

CMacroProgram::CMacroProgram(const IMacroTextSource& texts)
    : m_texts(texts),
      m_pool(std::make_unique_for_overwrite<MacroInstruction[]>(kMaxInstructions)),
      m_order(std::make_unique<int16_t[]>(kMaxInstructions)),
      m_selected(std::make_unique<uint8_t[]>(kMaxInstructions)),
      m_scratch(std::make_unique<int32_t[]>(3 * kMaxInstructions)),
      m_starts(std::make_unique<int32_t[]>(kMaxInstructions + 1)) {
    for (int i = 0; i < kMaxInstructions; ++i) {
        m_order[i] = static_cast<int16_t>(i);
    }
}

CMacroProgram::~CMacroProgram() = default;

void CMacroProgram::Clear() {
    std::memset(m_selected.get(), 0, static_cast<size_t>(m_count));
    m_selectedCount = 0;
    m_count = 0;
    m_used = 0;
    m_currentLine = 0;
    m_jumpCount = 0;
    m_startsValid = true;
    if (m_observer != nullptr) {
        m_observer->OnCleared();
    }
}

void CMacroProgram::SetCapacity(int bytes) {
    m_capacity = std::clamp(bytes, 0, kMaxCodeBytes);
}

void CMacroProgram::SetDelayUnit(int milliseconds) {
    m_delayUnit = milliseconds > 0 ? milliseconds : 1;
}

int CMacroProgram::IconOf(int line) const {
    const MacroInstruction& record = Line(line);
    return record.opcode == op::kExtended ? encoding::ExtendedIcon(record.operands[0])
                                          : encoding::PlainIcon(record.opcode);
}

std::u16string CMacroProgram::DelayTextOf(int line) const {
    return text::DelayText(Line(line).delayTicks, m_delayUnit, m_texts);
}

int CMacroProgram::StartOffset(int line) const {
    if (line <= 0) {
        return 0;
    }
    if (line >= m_count) {
        return m_used;
    }
    EnsureStarts();
    return m_starts[line];
}

int CMacroProgram::AppendPlain(int opcode, int word1, int word2) {
    return Add(false, opcode, opcode == op::kExtended ? -1 : 0, word1, word2);
}

int CMacroProgram::AppendExtended(int subOpcode, int word1, int word2) {
    return Add(false, op::kExtended, subOpcode, word1, word2);
}

int CMacroProgram::InsertPlain(int opcode, int word1, int word2) {
    return Add(true, opcode, opcode == op::kExtended ? -1 : 0, word1, word2);
}

int CMacroProgram::InsertExtended(int subOpcode, int word1, int word2) {
    return Add(true, op::kExtended, subOpcode, word1, word2);
}

int CMacroProgram::InstructionSize(const MacroInstruction& record) const {
    return record.opcode == op::kExtended ? encoding::ExtendedSize(record.operands[0])
                                          : encoding::PlainSize(record.opcode);
}

int CMacroProgram::Add(bool insert, int opcode, int subOpcode, int word1, int word2) {
    int index = m_count;
    if (insert) {
        index = SelectedLine();
        if (index < 0) {
            return 0;
        }
    }
    if (opcode < 0 || opcode > 0xFF) {
        return -1;
    }
    const bool extended = opcode == op::kExtended;
    // A lone Extended byte or an unknown sub-opcode would serialize into bytes that parse as
    // something else.
    if (extended && !encoding::IsKnownExtended(subOpcode)) {
        return -1;
    }
    if (opcode == op::kDelay && (word1 & 0xFFFF) == 0) {
        return index > 0 && index <= m_count ? index - 1 : -1;  // a zero-tick delay changes nothing
    }
    const int size = extended ? encoding::ExtendedSize(subOpcode) : encoding::PlainSize(opcode);
    if (m_used + size > m_capacity) {
        return kBudgetExceeded;
    }
    if (opcode == op::kDelay) {
        return MergeDelay(index - 1, word1 & 0xFFFF);
    }
    if (m_count >= kMaxInstructions) {
        return -1;
    }

    const int16_t slot = m_order[m_count];
    const size_t below = static_cast<size_t>(m_count - index);
    if (below > 0) {
        std::memmove(&m_order[index + 1], &m_order[index], below * sizeof(int16_t));
        std::memmove(&m_selected[index + 1], &m_selected[index], below);
    }
    m_order[index] = slot;
    m_selected[index] = 0;
    if (m_startsValid && index == m_count) {
        m_starts[index] = m_used;
    } else {
        m_startsValid = false;
    }
    ++m_count;
    m_used += size;
    if (insert && m_currentLine >= index) {
        ++m_currentLine;
    }

    // Jumps at or after the insertion point move down; so do targets, which keep their instruction.
    int movedJumps[kMaxJumpLinks];
    int movedCount = 0;
    if (index < m_count - 1) {
        for (int k = 0; k < m_jumpCount; ++k) {
            JumpLink& link = m_jumps[k];
            if (link.jumpLine >= index) {
                ++link.jumpLine;
            }
            if (link.targetLine >= index) {
                ++link.targetLine;
                movedJumps[movedCount++] = link.jumpLine;
            }
        }
    }

    MacroInstruction& record = Record(index);
    FillRecord(record, opcode, subOpcode, word1, word2);
    record.encodedSize = size;
    int targetLine = -1;
    const int slotOfTarget = text::TargetSlot(record);
    if (slotOfTarget >= 0) {
        const int offset = record.operands[slotOfTarget] | (record.operands[slotOfTarget + 1] << 8);
        targetLine = ResolveOffset(offset);
        RecordLink(index, targetLine, offset);
    }
    text::BuildInstructionText(record, targetLine, m_texts, record.text);
    if (m_observer != nullptr) {
        m_observer->OnRowInserted(index);
    }
    for (int k = 0; k < movedCount; ++k) {
        const JumpLink* link = JumpOf(movedJumps[k]);
        if (link != nullptr) {
            Reencode(link->jumpLine, StartOffset(link->targetLine));
        }
    }
    return index;
}

void CMacroProgram::AppendSingle(int opcode) {
    // The parser's path for the one-byte instructions that make up most macros: Add without the
    // checks and fix-ups an append at the end of a one-byte instruction never needs.
    if (m_used + 1 > m_capacity || m_count >= kMaxInstructions) {
        return;
    }
    const int index = m_count;
    m_selected[index] = 0;
    if (m_startsValid) {
        m_starts[index] = m_used;
    }
    MacroInstruction& record = m_pool[m_order[index]];
    record.opcode = opcode;
    std::memset(record.operands, 0, sizeof record.operands);
    record.delayTicks = 1;
    record.encodedSize = 1;
    text::WriteName(opcode, record.text);
    ++m_count;
    ++m_used;
    if (m_observer != nullptr) {
        m_observer->OnRowInserted(index);
    }
}

int CMacroProgram::MergeDelay(int line, int ticks) {
    if (line < 0 || line >= m_count) {
        return -1;  // nothing before the insertion point takes the delay
    }
    MacroInstruction& record = Record(line);
    const bool hadDelay = record.delayTicks > 1;
    // The suffix holds at most 65535 ticks; longer delays stay at the maximum.
    record.delayTicks = std::min(record.delayTicks + ticks, kMaxDelayTicks + 1);
    if (!hadDelay) {
        record.encodedSize += 3;
        m_used += 3;
        // Only lines after this one move; the parser always merges into the last line.
        if (line != m_count - 1) {
            m_startsValid = false;
            FollowTargetsAfter(line);
        }
    }
    Notify(line);
    return line;
}

void CMacroProgram::FillRecord(MacroInstruction& record, int opcode, int subOpcode, int word1,
                               int word2) const {
    record.opcode = opcode;
    int32_t* bytes = record.operands;
    for (int k = 0; k < kOperandSlots; ++k) {
        bytes[k] = 0;
    }
    auto putWord = [bytes](int slot, int value) {
        bytes[slot] = value & 0xFF;
        bytes[slot + 1] = (value >> 8) & 0xFF;
    };
    record.delayTicks = 1;
    if (opcode != op::kExtended) {
        switch (opcode) {
            case op::kLoopStart:
                bytes[0] = std::clamp(word1, 1, 256) - 1;
                break;
            case op::kConsumerKey:
            case op::kLoopEnd:
                putWord(0, word1);
                break;
            case op::kMotion:
                putWord(0, word1);
                putWord(2, word2);
                break;
            default:
                break;
        }
        return;
    }
    bytes[0] = subOpcode;
    switch (subOpcode) {
        case sub::kAbsoluteMove:
        case sub::kIfState:
        case sub::kIfVariable:
            putWord(1, word1);
            putWord(3, word2);
            break;
        case sub::kGoto:
        case sub::kCall:
            putWord(1, word1);
            break;
        case sub::kSetVariable:
            bytes[1] = word1 & 0xFF;
            bytes[2] = word2 & 0xFF;
            break;
        default:
            if (encoding::IsCommand(subOpcode)) {
                const int index = subOpcode - sub::kFirstCommand;
                const uint8_t* sequence = encoding::CommandSequence(index);
                for (int k = 0; k < encoding::CommandLength(index); ++k) {
                    bytes[1 + k] = sequence[k];
                }
            }
            break;
    }
}

void CMacroProgram::EnsureStarts() const {
    if (m_startsValid) {
        return;
    }
    int offset = 0;
    for (int line = 0; line < m_count; ++line) {
        m_starts[line] = offset;
        offset += m_pool[m_order[line]].encodedSize;
    }
    m_startsValid = true;
}

int CMacroProgram::ResolveOffset(int offset) const {
    EnsureStarts();
    const int32_t* begin = m_starts.get();
    const int32_t* found = std::lower_bound(begin, begin + m_count, offset);
    return found == begin + m_count ? -1 : static_cast<int>(found - begin);
}

const JumpLink* CMacroProgram::JumpOf(int line) const {
    for (int k = 0; k < m_jumpCount; ++k) {
        if (m_jumps[k].jumpLine == line) {
            return &m_jumps[k];
        }
    }
    return nullptr;
}

void CMacroProgram::RemoveLink(int jumpLine) {
    for (int k = 0; k < m_jumpCount; ++k) {
        if (m_jumps[k].jumpLine == jumpLine) {
            m_jumps[k] = m_jumps[--m_jumpCount];
            return;
        }
    }
}

void CMacroProgram::RecordLink(int jumpLine, int targetLine, int offset) {
    const bool storable = jumpLine >= 0 && jumpLine < kMaxInstructions && targetLine < kMaxInstructions &&
                          offset < kMaxCodeBytes;
    for (int k = 0; k < m_jumpCount; ++k) {
        if (m_jumps[k].jumpLine == jumpLine) {
            if (storable) {
                m_jumps[k].targetLine = targetLine;
                m_jumps[k].targetOffset = offset;
            } else {
                m_jumps[k] = m_jumps[--m_jumpCount];
            }
            return;
        }
    }
    if (storable && m_jumpCount < kMaxJumpLinks) {
        m_jumps[m_jumpCount++] = JumpLink{jumpLine, targetLine, offset};
    }
}

void CMacroProgram::Reencode(int line, int offset) {
    MacroInstruction& record = Record(line);
    const int slot = text::TargetSlot(record);
    if (slot < 0) {
        return;
    }
    offset &= 0xFFFF;
    record.operands[slot] = offset & 0xFF;
    record.operands[slot + 1] = offset >> 8;
    const int targetLine = ResolveOffset(offset);
    RecordLink(line, targetLine, offset);
    char16_t rebuilt[kTextCapacity];
    text::BuildInstructionText(record, targetLine, m_texts, rebuilt);
    if (!SameText(rebuilt, record.text)) {
        CopyText(record.text, rebuilt);
        Notify(line);
    }
}

void CMacroProgram::FollowTargetsAfter(int line) {
    int jumps[kMaxJumpLinks];
    int count = 0;
    for (int k = 0; k < m_jumpCount; ++k) {
        if (m_jumps[k].targetLine > line) {
            jumps[count++] = m_jumps[k].jumpLine;
        }
    }
    for (int k = 0; k < count; ++k) {
        const JumpLink* link = JumpOf(jumps[k]);
        if (link != nullptr) {
            Reencode(link->jumpLine, StartOffset(link->targetLine));
        }
    }
}

void CMacroProgram::ResolveForwardReferences() {
    int jumps[kMaxJumpLinks];
    int count = 0;
    for (int k = 0; k < m_jumpCount; ++k) {
        if (m_jumps[k].targetLine < 0) {
            jumps[count++] = m_jumps[k].jumpLine;
        }
    }
    for (int k = 0; k < count; ++k) {
        const int line = jumps[k];
        const MacroInstruction& record = Line(line);
        const int slot = text::TargetSlot(record);
        // A loop end that points forward closes nothing; it is made to refer to what follows it.
        const int offset = record.opcode == op::kLoopEnd
                               ? StartOffset(line) + 3
                               : record.operands[slot] | (record.operands[slot + 1] << 8);
        Reencode(line, offset);
    }
}

void CMacroProgram::Notify(int line) {
    if (m_observer != nullptr) {
        m_observer->OnRowChanged(line);
    }
}

int CMacroProgram::SetDelayOfSelected(int milliseconds) {
    const int line = SelectedLine();
    if (line < 0) {
        return 0;
    }
    const int unit = m_delayUnit;
    const int ms = std::clamp(milliseconds, 0, 5000);
    const int stored = std::max(1, std::min((ms + 2 * unit - 1) / unit, kMaxDelayTicks + 1));
    MacroInstruction& record = Record(line);
    const int newSize = InstructionSize(record) + (stored > 1 ? 3 : 0);
    if (m_used - record.encodedSize + newSize > m_capacity) {
        Notify(line);
        return kBudgetExceeded;
    }
    const int delta = newSize - record.encodedSize;
    m_used += delta;
    record.delayTicks = stored;
    record.encodedSize = newSize;
    if (delta != 0) {
        m_startsValid = false;
        FollowTargetsAfter(line);
    }
    Notify(line);
    return 1;
}

int CMacroProgram::DeleteSelected(bool withPairs) {
    if (m_selectedCount == 0) {
        return 0;
    }
    int32_t* map = &m_scratch[kMapRegion];
    int32_t* deleted = &m_scratch[kDeletedRegion];
    int32_t* freed = &m_scratch[kFreedRegion];
    for (int i = 0; i < m_count; ++i) {
        map[i] = m_selected[i];
    }
    if (withPairs && m_selectedCount <= kFewLines) {
        // Pairs usually lie close together: look for each one on its own.
        for (int i = 0; i < m_count; ++i) {
            const int pair = m_selected[i] != 0 ? PairedLine(i) : -1;
            if (pair >= 0) {
                map[pair] = 1;
            }
        }
    } else if (withPairs) {
        // A press pairs with the first later release of its value, a release with the nearest earlier
        // press: one scan each way finds every pair.
        int nearest[256];
        std::fill(std::begin(nearest), std::end(nearest), -1);
        for (int i = m_count - 1; i >= 0; --i) {
            const int opcode = Line(i).opcode & 0xFF;
            if (m_selected[i] != 0 && Pairs(opcode) && (opcode & op::kReleaseBit) == 0 &&
                nearest[opcode | op::kReleaseBit] >= 0) {
                map[nearest[opcode | op::kReleaseBit]] = 1;
            }
            nearest[opcode] = i;
        }
        std::fill(std::begin(nearest), std::end(nearest), -1);
        for (int i = 0; i < m_count; ++i) {
            const int opcode = Line(i).opcode & 0xFF;
            if (m_selected[i] != 0 && Pairs(opcode) && (opcode & op::kReleaseBit) != 0 &&
                nearest[opcode & 0x7F] >= 0) {
                map[nearest[opcode & 0x7F]] = 1;
            }
            nearest[opcode] = i;
        }
    }

    int kept = 0;
    int removed = 0;
    int selected = 0;
    for (int i = 0; i < m_count; ++i) {
        if (map[i] != 0) {
            deleted[removed] = i;
            freed[removed] = m_order[i];
            ++removed;
            m_used -= Line(i).encodedSize;
            map[i] = -1;
            continue;
        }
        m_order[kept] = m_order[i];
        m_selected[kept] = m_selected[i];
        selected += m_selected[i];
        map[i] = kept++;
    }
    for (int k = 0; k < removed; ++k) {
        m_order[kept + k] = static_cast<int16_t>(freed[k]);
        m_selected[kept + k] = 0;
    }
    m_count = kept;
    m_selectedCount = selected;
    m_startsValid = false;
    if (m_observer != nullptr) {
        m_observer->OnRowsDeleted(deleted, removed);
    }

    // Jumps that went away leave the table; jumps whose target went away go to the start.
    int jumps[kMaxJumpLinks];
    int offsets[kMaxJumpLinks];
    int remaining = 0;
    for (int k = 0; k < m_jumpCount; ++k) {
        JumpLink link = m_jumps[k];
        if (map[link.jumpLine] < 0) {
            continue;
        }
        link.jumpLine = map[link.jumpLine];
        if (link.targetLine >= 0) {
            link.targetLine = map[link.targetLine] >= 0 ? map[link.targetLine] : 0;
        }
        jumps[remaining] = link.jumpLine;
        m_jumps[remaining++] = link;
    }
    m_jumpCount = remaining;
    for (int k = 0; k < remaining; ++k) {
        offsets[k] =
            m_jumps[k].targetLine >= 0 ? StartOffset(m_jumps[k].targetLine) : m_jumps[k].targetOffset;
    }
    for (int k = 0; k < remaining; ++k) {
        Reencode(jumps[k], offsets[k]);
    }

    const int first = deleted[0];
    if (first < m_count) {
        SetSelected(first, true);
        m_currentLine = first;
        if (m_observer != nullptr) {
            m_observer->OnEnsureVisible(first);
        }
    } else {
        m_currentLine = 0;
    }
    return removed;
}

int CMacroProgram::MoveSelectedUp() {
    const int line = SelectedLine();
    if (line <= 0) {
        return 0;
    }
    SwapWithNext(line - 1);
    SetSelected(line, false);
    SelectLine(line - 1);
    return 1;
}

int CMacroProgram::MoveSelectedDown() {
    const int line = SelectedLine();
    if (line < 0 || line + 1 >= m_count) {
        return 0;
    }
    SwapWithNext(line);
    SetSelected(line, false);
    SelectLine(line + 1);
    return 1;
}

void CMacroProgram::SwapWithNext(int line) {
    const int next = line + 1;
    std::swap(m_order[line], m_order[next]);
    m_startsValid = false;
    // Jumps and targets follow their instructions.
    int jumps[kMaxJumpLinks];
    int moved = 0;
    for (int k = 0; k < m_jumpCount; ++k) {
        JumpLink& link = m_jumps[k];
        if (link.jumpLine == line || link.jumpLine == next) {
            link.jumpLine = link.jumpLine == line ? next : line;
        }
        if (link.targetLine == line || link.targetLine == next) {
            link.targetLine = link.targetLine == line ? next : line;
            jumps[moved++] = link.jumpLine;
        }
    }
    for (int k = 0; k < moved; ++k) {
        const JumpLink* link = JumpOf(jumps[k]);
        if (link != nullptr) {
            Reencode(link->jumpLine, StartOffset(link->targetLine));
        }
    }
    Notify(line);
    Notify(next);
}

int CMacroProgram::SerializeLine(int line, uint8_t* out) const {
    const MacroInstruction& record = Line(line);
    const int size = InstructionSize(record);
    int n = 0;
    out[n++] = static_cast<uint8_t>(record.opcode);
    for (int k = 0; k + 1 < size; ++k) {
        out[n++] = static_cast<uint8_t>(record.operands[k]);
    }
    if (record.delayTicks > 1) {
        const int ticks = record.delayTicks - 1;
        out[n++] = op::kDelay;
        out[n++] = static_cast<uint8_t>(ticks & 0xFF);
        out[n++] = static_cast<uint8_t>(ticks >> 8);
    }
    return n == record.encodedSize ? n : 0;
}

int CMacroProgram::Serialize(uint8_t* out, int room) const {
    int length = 0;
    uint8_t bytes[kMaxLineBytes];
    for (int line = 0; line < m_count; ++line) {
        // Lines go straight into out while a whole line surely fits.
        const MacroInstruction& record = Line(line);
        if (record.encodedSize == 1 && record.delayTicks <= 1 && encoding::PlainSize(record.opcode) == 1 &&
            length < room) {
            out[length++] = static_cast<uint8_t>(record.opcode);
            continue;
        }
        if (length + kMaxLineBytes <= room) {
            length += SerializeLine(line, out + length);
            continue;
        }
        const int n = SerializeLine(line, bytes);
        if (length + n > room) {
            break;
        }
        std::memcpy(out + length, bytes, static_cast<size_t>(n));
        length += n;
    }
    return length;
}

int CMacroProgram::Parse(const uint8_t* code, int length) {
    Clear();
    if (code == nullptr) {
        return 0;
    }
    int at = 0;
    while (at < length) {
        const uint8_t* bytes = code + at;
        // An instruction cut off by the end of the code is dropped.
        const int size = encoding::WalkSize(bytes, length - at);
        if (size == 0) {
            break;
        }
        switch (bytes[0]) {
            case op::kDelay:
            case op::kConsumerKey:
            case op::kLoopEnd:
                AppendPlain(bytes[0], Word(bytes + 1));
                break;
            case op::kLoopStart:
                AppendPlain(op::kLoopStart, bytes[1] + 1);
                break;
            case op::kMotion:
                AppendPlain(op::kMotion, Word(bytes + 1), Word(bytes + 3));
                break;
            case op::kExtended:
                switch (bytes[1]) {
                    case sub::kAbsoluteMove:
                    case sub::kIfState:
                    case sub::kIfVariable:
                        AppendExtended(bytes[1], Word(bytes + 2), Word(bytes + 4));
                        break;
                    case sub::kGoto:
                    case sub::kCall:
                        AppendExtended(bytes[1], Word(bytes + 2));
                        break;
                    case sub::kSetVariable:
                        AppendExtended(bytes[1], bytes[2], bytes[3]);
                        break;
                    default:
                        // Commands take their bytes from the table; unknown sub-opcodes are skipped.
                        if (encoding::IsKnownExtended(bytes[1])) {
                            AppendExtended(bytes[1]);
                        }
                        break;
                }
                break;
            default:
                AppendSingle(bytes[0]);
                break;
        }
        at += size;
    }
    ResolveForwardReferences();
    return 1;
}

int CMacroProgram::PairedLine(int line) const {
    if (line < 0 || line >= m_count) {
        return -1;
    }
    const int opcode = Line(line).opcode;
    if (!Pairs(opcode)) {
        return -1;
    }
    if ((opcode & op::kReleaseBit) == 0) {
        for (int i = line + 1; i < m_count; ++i) {
            if (Line(i).opcode == (opcode | op::kReleaseBit)) {
                return i;
            }
        }
        return -1;
    }
    for (int i = line - 1; i >= 0; --i) {
        if (Line(i).opcode == (opcode & 0x7F)) {
            return i;
        }
    }
    return -1;
}

void CMacroProgram::SetSelected(int line, bool selected) {
    if (line < 0 || line >= m_count || (m_selected[line] != 0) == selected) {
        return;
    }
    m_selected[line] = selected ? 1 : 0;
    m_selectedCount += selected ? 1 : -1;
    if (m_observer != nullptr) {
        m_observer->OnSelectionChanged(line, selected);
    }
}

void CMacroProgram::SelectLine(int line) {
    if (line < 0 || line >= m_count) {
        return;
    }
    SetSelected(line, true);
    m_currentLine = line;
    if (m_observer != nullptr) {
        m_observer->OnEnsureVisible(line);
    }
}

void CMacroProgram::EnsureVisible(int line) {
    if (m_observer != nullptr && line >= 0 && line < m_count) {
        m_observer->OnEnsureVisible(line);
    }
}

void CMacroProgram::DeselectLine(int line) {
    SetSelected(line < 0 ? m_currentLine : line, false);
    m_currentLine = 0;
}

void CMacroProgram::SelectOnly(int line) {
    ClearSelection();
    SelectLine(line);
}

void CMacroProgram::ClearSelection() {
    for (int i = 0; i < m_count && m_selectedCount > 0; ++i) {
        SetSelected(i, false);
    }
}

int CMacroProgram::SelectedLine() const {
    if (m_selectedCount != 1) {
        return -1;
    }
    const void* found = std::memchr(m_selected.get(), 1, static_cast<size_t>(m_count));
    return found == nullptr ? -1 : static_cast<int>(static_cast<const uint8_t*>(found) - m_selected.get());
}

void CMacroProgram::OnListClick() {
    const void* found = std::memchr(m_selected.get(), 1, static_cast<size_t>(m_count));
    if (found == nullptr) {
        return;
    }
    SelectLine(static_cast<int>(static_cast<const uint8_t*>(found) - m_selected.get()));
}

}  // namespace vorlix
