#pragma once

namespace vorlix {

// What the instruction list widget hears from the macro program, so that it redraws only rows whose
// content changed. Rows below an inserted or deleted row are renumbered by the widget itself.
class IMacroListObserver {
public:
    virtual ~IMacroListObserver() = default;
    // All rows went away.
    virtual void OnCleared() = 0;
    // A row was inserted at line; the rows from there on moved down by one.
    virtual void OnRowInserted(int line) = 0;
    // The text, icon or delay of a row changed.
    virtual void OnRowChanged(int line) = 0;
    // Rows were deleted; lines holds their former indices, ascending.
    virtual void OnRowsDeleted(const int* lines, int count) = 0;
    // The selected state of a row changed.
    virtual void OnSelectionChanged(int line, bool selected) = 0;
    // The row should be scrolled into view.
    virtual void OnEnsureVisible(int line) = 0;
};

}  // namespace vorlix
