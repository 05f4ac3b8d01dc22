#pragma once

#include <QDialog>
#include <QFont>
#include <QPoint>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "ui/dialogs/core/ModalRun.h"
#include "ui/skin/SkinBackground.h"
#include "ui/skin/WindowDrag.h"

class QLabel;

namespace vorlix {

class CBitmapProgressBar;
class CColorCombox;
class CHoverButtonEx;
class CHoverButtonEx2;
class CSkinEdit;
class CTextTables;
class IMacroFileSystem;

// The one skinned, shaped dialog for messages, confirmations and small choices. The caller picks a
// page by its background picture's id (ui/dialogs/core/SkinPages.h), fills the fields, runs it and
// reads the fields back; the fields keep their values from one run to the next. Every run goes
// through the modal runner, and a run never re-enters a dialog that is already open.
class CSkinDlg : public QDialog {
    Q_OBJECT
public:
    // The text field holds at most this many characters (a 160-unit buffer with its terminator).
    static constexpr std::size_t kTextCapacity = 159;
    static constexpr int kNameLength = 20;
    static constexpr int kMaxMacros = 50;

    // fontText is the main window's font 2 (message, name and count boxes), fontList its font 3 (list).
    CSkinDlg(const CTextTables& texts, const QFont& fontText, const QFont& fontList,
             QWidget* parent = nullptr);
    ~CSkinDlg() override;

    // In: the page; the message (251, 287, 353) or the proposed name (125). Out: the typed name (125),
    // the chosen entry's name (469, 470).
    int page = 0;
    std::u16string text;
    // Page 470: the button's macro file (folder + "/" + name + ".Mac") or the library folder + "/".
    std::string path;
    // Page 470: the repeat option 0..3 (-1 none), in and out.
    int option = -1;
    // Page 469: the catalogue index; pages 470 and 474: the repeat count - 1.
    int value = 0;
    // Page 156: Start was pressed; the owner posts the firmware-update notice to itself.
    std::function<void()> onStartUpdate;

    // Runs the page and returns kModalOk or kModalCancel. The page decides how an unattended run is
    // answered; DoModalAs names the kind instead (the firmware offer on pages 287 and 353).
    int DoModal();
    int DoModalAs(ModalKind kind);

    // Has run at least once in this process.
    bool Initialised() const { return m_initialised; }
    bool IsRunning() const { return m_running; }

    // The macro page reads the library folder through this file system (default: the real one).
    void SetMacroFileSystem(IMacroFileSystem* files) { m_files = files; }

    // Page 156, driven by the owner while the update runs.
    void SetProgressRange(int min, int max);
    void SetProgress(int position);
    bool UpdateStarted() const { return m_updateStarted; }
    // The update ended: Esc and the close button work again and the page closes with OK.
    void UpdateFinished();

    // The controls, for the owner's tests and pictures: 1, 2, 999, 1004, 1084..1087, 1807, 1808, 1809.
    QWidget* Control(int id) const;
    CColorCombox* List() const { return m_list; }
    CSkinEdit* Edit() const { return m_edit; }
    // The nested count page while "Multiple Loops" has it open, else nullptr.
    CSkinDlg* Nested() const { return m_nested; }
    const CSkinBackground& Background() const { return m_background; }
    // Lays the page out without running it (pictures of the pages).
    void Prepare();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void SetUpPage();
    void SetUpButtons();
    void SetUpSingleKeyList();
    void SetUpMacroList();
    void ShowRadios();
    void OnOk();
    void OnCancel();
    void OnChosen(int position);
    void OnRadio(int option);
    void ClearHover();
    void ShowLabel(const std::u16string& label);

    const CTextTables& m_texts;
    QFont m_fontText;
    QFont m_fontList;
    IMacroFileSystem* m_files = nullptr;
    std::unique_ptr<IMacroFileSystem> m_ownFiles;

    CSkinBackground m_background;
    CHoverButtonEx* m_ok = nullptr;
    CHoverButtonEx* m_cancel = nullptr;
    QLabel* m_message = nullptr;
    std::array<CHoverButtonEx*, 4> m_radios{};
    CColorCombox* m_list = nullptr;
    CHoverButtonEx2* m_label = nullptr;
    CSkinEdit* m_edit = nullptr;
    CBitmapProgressBar* m_progress = nullptr;
    CHoverButtonEx* m_unused = nullptr;
    CSkinDlg* m_nested = nullptr;

    bool m_initialised = false;
    bool m_running = false;
    bool m_updateStarted = false;
    bool m_filling = false;
    CWindowDrag m_drag;
};

}  // namespace vorlix
