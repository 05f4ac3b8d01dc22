#pragma once

#include <functional>

#include "ui/firmware/core/FirmwareFlowHost.h"

namespace vorlix {

class CSkinDlg;

// The firmware update's pages on the window's skinned dialog: the offer and the notes on 287 and 353,
// the update page 156 with its progress bar. The window's timers and the way Start reaches the flow
// (the notice the page posts to its window) are the window's, handed in as functions.
class CFirmwarePage final : public IFirmwareFlowHost {
public:
    struct SWindow {
        std::function<void(int id, uint32_t periodMs)> startTimer;
        std::function<void(int id)> stopTimer;
        // Start was pressed: post the firmware-update notice to the window.
        std::function<void()> postStart;
        // A page opens (true) or closes (false): the window publishes it as its skinned dialog.
        std::function<void(bool open)> pageOpen;
    };

    CFirmwarePage(CSkinDlg& dialog, SWindow window);

    int RunTextPage(int page, ModalKind kind, const std::u16string& text) override;
    void RunUpdatePage(int pages) override;
    bool StartPressed() const override;
    void SetUpdateProgress(int position) override;
    void CloseUpdatePage() override;
    void StartTimer(int id, uint32_t periodMs) override;
    void StopTimer(int id) override;

private:
    void Opened(bool open);

    CSkinDlg& m_dialog;
    SWindow m_window;
};

}  // namespace vorlix
