#include "ui/skin/UiKeyStatus.h"

#include <new>

#include "ui/skin/HoverNotice.h"

namespace vorlix {

CUiKeyStatus::CUiKeyStatus(QWidget* parent) : CHoverButtonEx2(parent) {}

bool CUiKeyStatus::AllocateEntries() {
    try {
        m_entries.assign(kEntryCount, SEntry{});
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void CUiKeyStatus::SetTypeBitmaps(const std::array<int, kTypeCount>& ids) {
    m_typeBitmaps = ids;
}

const CUiKeyStatus::SEntry* CUiKeyStatus::Entry(int index) const {
    if (index < 0 || index >= static_cast<int>(m_entries.size())) {
        return nullptr;
    }
    return &m_entries[static_cast<std::size_t>(index)];
}

bool CUiKeyStatus::SetEntry(int index, int type, const QString* name, bool showNow) {
    if (index < 0 || index >= static_cast<int>(m_entries.size()) || type < 0 || type >= kTypeCount) {
        return false;
    }
    SEntry& entry = m_entries[static_cast<std::size_t>(index)];
    entry.type = type;
    entry.name = name == nullptr ? QString() : name->left(kNameLength);
    if (showNow) {
        m_shown = index;
        Redraw();
    }
    return true;
}

void CUiKeyStatus::Redraw() {
    const QRect nameArea(77, 25, 179 - 77, 45 - 25);
    const SEntry* entry = Entry(m_shown);
    const int type = entry == nullptr ? kTypeCount - 1 : entry->type;
    SetText(entry == nullptr ? QString() : entry->name, QColor(255, 255, 255), font(), nameArea);
    if (type != m_shownType && m_typeBitmaps[static_cast<std::size_t>(type)] != 0) {
        if (SetBitmap(m_typeBitmaps[static_cast<std::size_t>(type)]) == 1) {
            m_shownType = type;
        }
    }
    update();
}

bool CUiKeyStatus::event(QEvent* event) {
    if (event->type() != CHoverNotice::EventType()) {
        return CHoverButtonEx2::event(event);
    }
    const auto* notice = static_cast<CHoverNotice*>(event);
    if (notice->Kind() == CHoverNotice::Hover) {
        const int index = notice->Code() - CHoverNotice::kButtonBase;
        if (Entry(index) != nullptr && index != m_shown) {
            m_shown = index;
            Redraw();
        }
        SetHovering(true);
    } else {
        EndHover();
    }
    return true;
}

void CUiKeyStatus::leaveEvent(QEvent* event) {
    const bool wasHovering = IsHovering();
    CHoverButtonEx2::leaveEvent(event);
    ForgetShownAfterHover(wasHovering);
}

void CUiKeyStatus::EndHover() {
    const bool wasHovering = IsHovering();
    SetHovering(false);
    ForgetShownAfterHover(wasHovering);
}

void CUiKeyStatus::ForgetShownAfterHover(bool wasHovering) {
    // After a hover the row shows no entry until the owner sets one again.
    if (wasHovering) {
        m_shown = -1;
        Redraw();
    }
}

}  // namespace vorlix
