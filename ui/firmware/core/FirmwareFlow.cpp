#include "FirmwareFlow.h"

#include "FirmwareFlowHost.h"
#include "device/IcQT47.h"
#include "ui/dialogs/core/SkinPages.h"

namespace vorlix {

CFirmwareFlow::CFirmwareFlow(IFirmwareFlowHost& host, CHidClient& hid, CIcQT47& device, IClock& clock)
    : m_host(host), m_device(device), m_update(*this, hid, device, clock) {}

bool CFirmwareFlow::SetImage(const SFirmwareImage& image) {
    m_kind = FirmwareImageKind::None;
    if (image.kind == FirmwareImageKind::None || !m_update.SetImage(image.bytes)) {
        m_update.SetImage({});
        return false;
    }
    m_kind = image.kind;
    return true;
}

bool CFirmwareFlow::ImageUsable() const {
    if (!m_update.HasImage()) {
        return false;
    }
    // Flashing a real mouse with anything but its vendor's image would destroy it.
    return m_kind == FirmwareImageKind::Vendor ||
           (m_kind == FirmwareImageKind::Test && m_device.OnVirtualMouse());
}

bool CFirmwareFlow::Offer(bool opened, uint16_t vendorId, uint16_t productId) {
    const FirmwareOffer offer = CFirmwareUpdate::Decide(m_device, opened, vendorId, productId);
    if (offer == FirmwareOffer::None) {
        return false;
    }
    if (!ImageUsable()) {
        m_host.RunTextPage(page::kInformation, ModalKind::Information, kNoImageText);
        return false;
    }
    const int shown = offer == FirmwareOffer::Question ? page::kQuestion : page::kInformation;
    return m_host.RunTextPage(shown, ModalKind::FirmwareOffer, kOfferText) == kModalOk;
}

FirmwareOutcome CFirmwareFlow::Run() {
    m_pageOpen = true;
    m_started = false;
    m_ended = false;
    m_ok = false;
    m_lastPage = -1;
    m_host.RunUpdatePage(m_update.PageCount());
    m_pageOpen = false;
    if (!m_started) {
        return FirmwareOutcome::NotRun;
    }
    if (m_ok) {
        return FirmwareOutcome::Written;
    }
    return m_lastPage < 0 ? FirmwareOutcome::Cancelled : FirmwareOutcome::Failed;
}

void CFirmwareFlow::Tell(FirmwareOutcome outcome) {
    const char16_t* text = nullptr;
    switch (outcome) {
        case FirmwareOutcome::Cancelled:
            text = kCancelledText;
            break;
        case FirmwareOutcome::Failed:
            text = kFailedText;
            break;
        case FirmwareOutcome::Unverified:
        case FirmwareOutcome::Written:
            text = kUnverifiedText;
            break;
        case FirmwareOutcome::NotRun:
        case FirmwareOutcome::Done:
            return;
    }
    m_host.RunTextPage(page::kInformation, ModalKind::Information, text);
}

void CFirmwareFlow::Start() {
    // Notice 12 may come from anywhere: only the page's own Start button, pressed once, starts a transfer.
    if (!m_pageOpen || m_started || !m_host.StartPressed()) {
        return;
    }
    m_started = true;
    // Checked again at the last moment: the mouse open now is the one the pages would go to.
    if (!ImageUsable()) {
        m_ended = true;
        m_host.CloseUpdatePage();
        return;
    }
    m_update.Start();
    if (!m_update.Running() && !m_ended) {
        EndUpdatePage(false);
    }
}

bool CFirmwareFlow::IsUpdateTimer(int id) {
    return id == CFirmwareUpdate::kWaitModeTimer || id == CFirmwareUpdate::kPageTimer ||
           id == CFirmwareUpdate::kFinishTimer;
}

void CFirmwareFlow::OnTimer(int id) {
    m_update.OnTimer(id);
}

void CFirmwareFlow::StartTimer(int id, uint32_t periodMs) {
    m_host.StartTimer(id, periodMs);
}

void CFirmwareFlow::StopTimer(int id) {
    m_host.StopTimer(id);
}

void CFirmwareFlow::SetProgress(int position) {
    m_host.SetUpdateProgress(position);
}

void CFirmwareFlow::EndUpdatePage(bool ok) {
    m_ended = true;
    m_ok = ok;
    m_lastPage = m_update.Page();
    if (ok) {
        // The last page is not polled: the bar stands at its end once the mouse took the image.
        m_host.SetUpdateProgress(m_update.PageCount());
    }
    m_host.CloseUpdatePage();
}

}  // namespace vorlix
