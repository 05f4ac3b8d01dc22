#pragma once

#include <cstdint>
#include <string>

#include "ui/dialogs/core/ModalRun.h"

namespace vorlix {

// What the firmware update flow asks of the window: its skinned pages, the update page's progress and
// the window's timers. Everything runs on the window's thread.
class IFirmwareFlowHost {
public:
    virtual ~IFirmwareFlowHost() = default;
    // Runs a page with OK (287 also with Cancel) showing the text; kModalOk or kModalCancel. The kind
    // decides how an unattended run answers.
    virtual int RunTextPage(int page, ModalKind kind, const std::u16string& text) = 0;
    // Runs the update page (156) until it closes, its progress bar at 0 of pages. While it is open, its
    // Start button reaches CFirmwareFlow::Start and the update's timers CFirmwareFlow::OnTimer.
    virtual void RunUpdatePage(int pages) = 0;
    // The update page's Start button was pressed in this run of the page.
    virtual bool StartPressed() const = 0;
    virtual void SetUpdateProgress(int position) = 0;
    // The transfer has ended: the update page closes.
    virtual void CloseUpdatePage() = 0;
    virtual void StartTimer(int id, uint32_t periodMs) = 0;
    virtual void StopTimer(int id) = 0;
};

}  // namespace vorlix
