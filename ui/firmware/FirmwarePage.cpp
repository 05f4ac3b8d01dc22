#include "FirmwarePage.h"

#include "ui/dialogs/SkinDlg.h"
#include "ui/dialogs/core/SkinPages.h"

namespace vorlix {

CFirmwarePage::CFirmwarePage(CSkinDlg& dialog, SWindow window)
    : m_dialog(dialog), m_window(std::move(window)) {}

int CFirmwarePage::RunTextPage(int page, ModalKind kind, const std::u16string& text) {
    m_dialog.page = page;
    m_dialog.text = text;
    return m_dialog.DoModalAs(kind);
}

void CFirmwarePage::RunUpdatePage(int pages) {
    m_dialog.page = page::kFirmwareUpdate;
    m_dialog.text.clear();
    m_dialog.onStartUpdate = m_window.postStart;
    m_dialog.SetProgressRange(0, pages);
    m_dialog.DoModalAs(ModalKind::FirmwareUpdate);
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

}  // namespace vorlix
