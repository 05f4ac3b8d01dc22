#pragma once

#include <QString>
#include <array>
#include <vector>

#include "ui/skin/HoverButtonEx2.h"

namespace vorlix {

// The function display row: one button's function name over the picture of its function type
// (0 macro, 1 single key, 2 default, 3 launcher, 4 none). It previews the button of a hot-spot the
// pointer moves over, and after such a hover shows no entry until the owner sets one again.
class CUiKeyStatus : public CHoverButtonEx2 {
    Q_OBJECT
public:
    static constexpr int kEntryCount = 8;
    static constexpr int kTypeCount = 5;
    static constexpr int kNameLength = 39;  // longer names are cut to this many characters

    struct SEntry {
        int type = 0;
        QString name;
    };

    explicit CUiKeyStatus(QWidget* parent = nullptr);

    bool AllocateEntries();
    void SetTypeBitmaps(const std::array<int, kTypeCount>& ids);
    // Ignored (false) unless 0 <= index < 8 and 0 <= type < 5; a null name stores an empty one.
    bool SetEntry(int index, int type, const QString* name, bool showNow);
    void Redraw();

    int ShownEntry() const { return m_shown; }
    int ShownType() const { return m_shownType; }
    const SEntry* Entry(int index) const;

protected:
    bool event(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void EndHover();
    void ForgetShownAfterHover(bool wasHovering);

    std::vector<SEntry> m_entries;
    std::array<int, kTypeCount> m_typeBitmaps{};
    int m_shown = -1;
    int m_shownType = -1;
};

}  // namespace vorlix
