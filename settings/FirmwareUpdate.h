#pragma once

#include <cstdint>
#include <vector>

namespace vorlix {

class CHidClient;
class CIcQT47;
class IClock;

// What the firmware update asks of the window that shows its page: timers and the page's progress.
// Everything runs on the window's thread.
class IFirmwareUpdateOwner {
public:
    virtual ~IFirmwareUpdateOwner() = default;
    virtual void StartTimer(int id, uint32_t periodMs) = 0;
    virtual void StopTimer(int id) = 0;
    // Progress bar position, 0 .. page count.
    virtual void SetProgress(int position) = 0;
    // The transfer ended: close the update page with OK (every page confirmed) or cancel it.
    virtual void EndUpdatePage(bool ok) = 0;
};

// Whether to offer a firmware update to the mouse just found, and on which page.
enum class FirmwareOffer {
    None,
    Question,     // the settings were read: ask, OK or Cancel
    Information,  // the mouse did not open: tell, OK only
};

// Writes a firmware image into the mouse, page by page, driven by the owner's timers: waits for the
// boot loader (timer 2316), sends a page per tick and polls its status (timer 2317), then ends the
// image and restarts the mouse (timer 2318). One retry counter covers the whole transfer: ten
// one-second waits and twenty resends in all.
class CFirmwareUpdate {
public:
    static constexpr int kWaitModeTimer = 2316;
    static constexpr int kPageTimer = 2317;
    static constexpr int kFinishTimer = 2318;
    static constexpr uint32_t kWaitModeMs = 500;
    static constexpr uint32_t kPageMs = 1000;
    static constexpr uint32_t kFinishMs = 1000;
    static constexpr uint32_t kResendPauseMs = 500;
    static constexpr uint32_t kRestartPauseMs = 3500;
    static constexpr unsigned kCurrentFirmware = 9;
    static constexpr int kMaxWaits = 10;
    static constexpr int kMaxResends = 20;

    CFirmwareUpdate(IFirmwareUpdateOwner& owner, CHidClient& hid, CIcQT47& device, IClock& clock);

    // Decides the offer for a mouse that was opened and loaded (opened) or failed to open. A mouse that
    // runs its firmware is offered the update only when it identifies with a version below the current
    // one; a mouse in its boot loader, or one that did not open and cannot identify, always is.
    static FirmwareOffer Decide(CIcQT47& device, bool opened, uint16_t vendorId, uint16_t productId);

    // The image to write, at most one buffer (0x8000 bytes); the rest of the buffer is padded with
    // 0xFF. False (and no image) when it is empty or longer than the buffer less its check byte.
    bool SetImage(const std::vector<uint8_t>& image);
    bool HasImage() const { return !m_buffer.empty(); }

    // Start was pressed on the update page.
    void Start();
    void OnTimer(int id);
    // True from Start until the transfer ended: the page must not be closed in between.
    bool Running() const { return m_running; }
    // The page most recently sent in this transfer, -1 while none has been: an update that ends with
    // none sent left the mouse's firmware as it was.
    int Page() const { return m_page; }
    int PageCount() const;

private:
    void BeginPages();
    void WaitForUpdateMode();
    void PageTick();
    bool SendPage(int page);
    void Abandon();
    void Finish(bool ok);

    IFirmwareUpdateOwner& m_owner;
    CHidClient& m_hid;
    CIcQT47& m_device;
    IClock& m_clock;
    std::vector<uint8_t> m_buffer;
    bool m_running = false;
    int m_page = -1;
    int m_retries = 0;
    int m_pageOffset = 0;
};

}  // namespace vorlix
