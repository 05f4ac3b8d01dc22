#pragma once

#include <cstdint>
#include <string>

#include "FirmwareImage.h"
#include "settings/DeviceSession.h"
#include "settings/FirmwareUpdate.h"

namespace vorlix {

class CHidClient;
class CIcQT47;
class IClock;
class IFirmwareFlowHost;

// The firmware update as the configuration window runs it: decides the offer a connect asks for and
// shows it (page 287 after a load, 353 for a mouse that did not open), runs the update page (156) with
// the transfer behind it, and tells the user how an update that ran has ended (page 353). The image is
// the build's vendor image, or a generated test image that only ever goes to the virtual mouse.
class CFirmwareFlow final : public IFirmwareUpdateOwner {
public:
    static constexpr const char16_t* kOfferText =
        u"Your mouse firmware version is out of date.        \nTo update now click \u201cOK\u201d.";
    static constexpr const char16_t* kNoImageText =
        u"No firmware image is available: this program cannot update the mouse's firmware.";
    static constexpr const char16_t* kCancelledText =
        u"The firmware update was cancelled: the mouse did not get ready for it. Its firmware is unchanged.";
    static constexpr const char16_t* kFailedText =
        u"The firmware update failed. The mouse waits for a new attempt: click \u201cOK\u201d on the next "
        u"offer.";
    static constexpr const char16_t* kUnverifiedText =
        u"The firmware update could not be verified: the mouse did not come back with the new firmware.";

    CFirmwareFlow(IFirmwareFlowHost& host, CHidClient& hid, CIcQT47& device, IClock& clock);

    // Takes the image; false (and no image) when it is empty or too long for the buffer and its check byte.
    bool SetImage(const SFirmwareImage& image);
    // The image may go to the open mouse: a vendor image to any mouse, a test image to the virtual one.
    bool ImageUsable() const;

    // The session's firmware check: offers the update when the mouse needs one. True when accepted.
    bool Offer(bool opened, uint16_t vendorId, uint16_t productId);
    // Runs the accepted update's page until it closes.
    FirmwareOutcome Run();
    // Tells the user an outcome other than Done.
    void Tell(FirmwareOutcome outcome);

    // Start on the update page (device notice 12). Ignored unless the page is open and not yet started.
    void Start();
    void OnTimer(int id);
    static bool IsUpdateTimer(int id);
    // From Start until the transfer ended: the page, the window and the program wait for its end.
    bool Transferring() const { return m_update.Running(); }
    bool PageOpen() const { return m_pageOpen; }

    // IFirmwareUpdateOwner
    void StartTimer(int id, uint32_t periodMs) override;
    void StopTimer(int id) override;
    void SetProgress(int position) override;
    void EndUpdatePage(bool ok) override;

private:
    IFirmwareFlowHost& m_host;
    CIcQT47& m_device;
    CFirmwareUpdate m_update;
    FirmwareImageKind m_kind = FirmwareImageKind::None;
    bool m_pageOpen = false;
    bool m_started = false;
    bool m_ended = false;
    bool m_ok = false;
    int m_lastPage = -1;
};

}  // namespace vorlix
