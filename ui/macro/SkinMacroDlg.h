#pragma once

#include <QDialog>
#include <QFont>
#include <QPoint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "macro/MacroLibrary.h"
#include "macro/MacroReporter.h"
#include "macro/MacroTableTexts.h"
#include "ui/macro/core/MacroEditorHost.h"
#include "ui/skin/SkinBackground.h"
#include "ui/skin/WindowDrag.h"

namespace vorlix {

class CColorCombox;
class CHoverButtonEx;
class CHoverButtonEx2;
class CMacroEditorModel;
class CMacroProgram;
class CPublishedEndpoint;
class CRegStore;
class CSkinDlg;
class CSkinEdit;
class CSkinLVCmdList;
class CSkinListCtrl;
class CTextTables;
class IClock;
class IMacroFileSystem;

// Dialog 602, the macro editor: a shaped window on picture 356 in which the user chooses, creates,
// imports, exports and deletes macro files, records keys and mouse buttons into a macro, inserts
// commands, and re-times, moves and deletes lines. The decisions live in CMacroEditorModel; this class
// draws them and, while recording, filters the input that reaches its own windows into the recorder.
class CSkinMacroDlg : public QDialog, public IMacroEditorHost, public IMacroReporter {
    Q_OBJECT
public:
    // A point less than this many pixels below the top counts as the window's caption.
    static constexpr int kCaptionBand = 40;

    struct SParts {
        const CTextTables* texts = nullptr;
        CSkinDlg* skinDlg = nullptr;  // the main window's skinned dialog (pages 125, 251, 287)
        IMacroFileSystem* files = nullptr;
        std::string folder;  // the macro library
        CRegStore* store = nullptr;
        IClock* clock = nullptr;  // recording's pauses
        QFont rowFont;            // font 5
        QFont secondFont;         // font 4
        std::string runtimeDir;   // where "Macro Edit Handle" is published; empty: not published
    };

    explicit CSkinMacroDlg(const SParts& parts, QWidget* parent = nullptr);
    ~CSkinMacroDlg() override;

    // Opens the editor modally through the modal runner; true when it ended with OK.
    bool Run();
    // Lays the window out and starts a new macro without running it (tests and pictures).
    void Prepare();

    CMacroEditorModel& Model() { return *m_model; }
    CMacroProgram& Program() { return *m_program; }
    QWidget* Control(int id) const;
    CSkinListCtrl* List() const { return m_list; }
    CSkinLVCmdList* ListBinding() const { return m_binding.get(); }
    CColorCombox* MacroChooser() const { return m_macroList; }
    CColorCombox* CommandChooser() const { return m_commandList; }
    bool FilterInstalled() const { return m_filtering; }

    // Replaces the file chooser (tests): save, proposed name, chosen path; true on OK.
    using FileChooser = std::function<bool(bool save, std::u16string_view proposedName, std::string& path)>;
    void SetFileChooser(FileChooser chooser) { m_fileChooser = std::move(chooser); }

    // IMacroEditorHost
    void Refresh() override;
    int RunPage(int page, std::u16string& text) override;
    bool ChooseFile(bool save, std::u16string_view proposedName, std::string& path) override;
    void ShowMessage(int number, std::u16string_view appended) override;
    std::u16string MessageText(int number) override;
    void FocusDefaultDelay() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    CHoverButtonEx* AddButton(int id, int bitmap, std::u16string_view tooltip);
    void Place(QWidget* control, int id);
    void OnCommand(int id);
    void OnOk();
    void OnCancel();
    void SetFiltering(bool on);
    // The recorder's outcome of one filtered event.
    bool FilterKey(QKeyEvent* event);
    bool FilterMouse(QWidget* target, QMouseEvent* event);
    bool FilterWheel(QWheelEvent* event);
    void EndRun();

    const CTextTables& m_texts;
    CSkinDlg* m_skinDlg;
    CRegStore& m_store;
    std::string m_runtimeDir;
    QFont m_rowFont;
    QFont m_secondFont;
    CMacroTableTexts m_tableTexts;
    std::unique_ptr<CMacroProgram> m_program;
    std::unique_ptr<CMacroLibrary> m_library;
    std::unique_ptr<CMacroEditorModel> m_model;
    std::unique_ptr<CSkinLVCmdList> m_binding;
    std::unique_ptr<CPublishedEndpoint> m_endpoint;
    FileChooser m_fileChooser;

    CSkinBackground m_background;
    std::map<int, CHoverButtonEx*> m_buttons;
    CHoverButtonEx2* m_macroButton = nullptr;
    CHoverButtonEx2* m_commandButton = nullptr;
    CColorCombox* m_macroList = nullptr;
    CColorCombox* m_commandList = nullptr;
    CSkinListCtrl* m_list = nullptr;
    CSkinEdit* m_delayEdit = nullptr;
    CSkinEdit* m_defaultDelayEdit = nullptr;

    bool m_filtering = false;
    bool m_refreshing = false;
    bool m_prepared = false;
    CWindowDrag m_drag;
};

}  // namespace vorlix
