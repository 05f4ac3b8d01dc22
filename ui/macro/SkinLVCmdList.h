#pragma once

#include <QFont>
#include <QIcon>
#include <QObject>
#include <array>

#include "macro/MacroListObserver.h"

namespace vorlix {

class CMacroProgram;
class CSkinListCtrl;

// The macro editor's instruction list: keeps a skinned list (control 1089) row for row in step with the
// macro program. Column 0 (hidden, 0 pixels) holds the line number, column 1 (125) the icon and the
// instruction's text, column 2 (175) the delay after it. Rows are redrawn only when the program says
// their content changed. The user's selection goes to the program, the program's selection to the list,
// and neither feeds back into the other.
class CSkinLVCmdList : public QObject, public IMacroListObserver {
    Q_OBJECT
public:
    static constexpr int kColumnWidths[3] = {0, 125, 175};
    // The icon resources in image-list order: a row's icon slot indexes this table.
    static constexpr std::array<int, 14> kIconOrder = {900, 901, 902, 905, 906, 903, 904,
                                                       907, 908, 909, 911, 912, 913, 910};

    CSkinLVCmdList(CMacroProgram& program, QObject* parent = nullptr);
    ~CSkinLVCmdList() override;

    // Attaches the list: the row font, the second font for the list's header, the columns, the
    // selection behaviour and the icons; then the program is shown.
    void SetUp(CSkinListCtrl* list, const QFont& rowFont, const QFont& secondFont);
    CSkinListCtrl* List() const { return m_list; }
    // The icon resource of an icon slot, or 0 for an empty slot.
    static int IconResource(int slot);
    // Rows whose text was set since the counter was last cleared (tests of the redraw rule).
    int RowWrites() const { return m_rowWrites; }
    void ClearRowWrites() { m_rowWrites = 0; }

    // IMacroListObserver
    void OnCleared() override;
    void OnRowInserted(int line) override;
    void OnRowChanged(int line) override;
    void OnRowsDeleted(const int* lines, int count) override;
    void OnSelectionChanged(int line, bool selected) override;
    void OnEnsureVisible(int line) override;

signals:
    // The user changed the selection with a click or the keyboard.
    void Clicked();

private:
    void Fill(int line);
    void Renumber(int from);
    void OnUserSelection();

    CMacroProgram& m_program;
    CSkinListCtrl* m_list = nullptr;
    std::array<QIcon, 16> m_icons;
    bool m_syncing = false;
    int m_rowWrites = 0;
};

}  // namespace vorlix
