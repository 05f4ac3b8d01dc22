#include "FirmwarePage.h"

#include "ui/dialogs/SkinDlg.h"
#include "ui/dialogs/core/SkinPages.h"

namespace vorlix {

CFirmwarePage::CFirmwarePage(CSkinDlg& dialog, SWindow window)
    : m_dialog(dialog), m_window(std::move(window)) {}

int CFirmwarePage::RunTextPage(int page, ModalKind kind, const std::u16string& text) {
    m_dialog.page = page;
    m_dialog.text = text;
    Opened(true);
    const int result = m_dialog.DoModalAs(kind);
    Opened(false);
    return result;
}

void CFirmwarePage::RunUpdatePage(int pages) {
    m_dialog.page = page::kFirmwareUpdate;
    m_dialog.text.clear();
    m_dialog.onStartUpdate = m_window.postStart;
    m_dialog.SetProgressRange(0, pages);
    Opened(true);
    m_dialog.DoModalAs(ModalKind::FirmwareUpdate);
    Opened(false);
    m_dialog.onStartUpdate = nullptr;
}

bool CFirmwarePage::StartPressed() const {
    return m_dialog.IsRunning() && m_dialog.page == page::kFirmwareUpdate && m_dialog.UpdateStarted();
}

void CFirmwarePage::SetUpdateProgress(int position) {
    m_dialog.SetProgress(position);
}

void CFirmwarePage::CloseUpdatePage() {
    m_dialog.UpdateFinished();
}

void CFirmwarePage::StartTimer(int id, uint32_t periodMs) {
    m_window.startTimer(id, periodMs);
}

void CFirmwarePage::StopTimer(int id) {
    m_window.stopTimer(id);
}

void CFirmwarePage::Opened(bool open) {
    if (m_window.pageOpen) {
        m_window.pageOpen(open);
    }
}

}  // namespace vorlix
