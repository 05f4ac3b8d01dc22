#include "FirmwareUpdate.h"

#include <algorithm>

#include "device/HidClient.h"
#include "device/IcQT47.h"
#include "shared/Clock.h"
#include "shared/ProductIds.h"

namespace vorlix {

namespace {

constexpr uint8_t kDone = 0xB0;
constexpr uint8_t kBusy = 0xB1;
// While the mouse restarts into its boot loader it is looked for with the boot loader's family only.
constexpr uint16_t kBootLoaderFamily = 9217;

}  // namespace

CFirmwareUpdate::CFirmwareUpdate(IFirmwareUpdateOwner& owner, CHidClient& hid, CIcQT47& device, IClock& clock)
    : m_owner(owner), m_hid(hid), m_device(device), m_clock(clock) {}

FirmwareOffer CFirmwareUpdate::Decide(CIcQT47& device, bool opened, uint16_t vendorId, uint16_t productId) {
    if (!opened) {
        device.FindDataInterfaces(vendorId, productId);
    }
    int mode = 0;
    unsigned version = 0;
    if (device.Identify(&mode, &version)) {
        // Mode 0 is the boot loader: an update that was cut short. Offer it again.
        if (mode == 0) {
            return opened ? FirmwareOffer::Question : FirmwareOffer::Information;
        }
        return opened && version < kCurrentFirmware ? FirmwareOffer::Question : FirmwareOffer::None;
    }
    // A mouse whose settings were just read runs its firmware: failing to identify is no reason to
    // overwrite it.
    return opened ? FirmwareOffer::None : FirmwareOffer::Information;
}

bool CFirmwareUpdate::SetImage(const std::vector<uint8_t>& image) {
    // The check byte lives at the buffer's last-but-one byte: a longer image would lose a byte to it.
    if (image.empty() || image.size() > CIcQT47::kFirmwareBufferSize - 2) {
        m_buffer.clear();
        return false;
    }
    m_buffer.assign(CIcQT47::kFirmwareBufferSize, 0xFF);
    std::copy(image.begin(), image.end(), m_buffer.begin());
    return true;
}

int CFirmwareUpdate::PageCount() const {
    return m_device.FirmwareImageSize() / CIcQT47::kFirmwarePageSize;
}

void CFirmwareUpdate::Start() {
    if (m_running || m_buffer.empty()) {
        return;
    }
    m_running = true;
    m_retries = 0;
    m_page = -1;
    int ready = 0;
    if (m_device.QueryUpdateState(&ready) && ready) {
        BeginPages();
        return;
    }
    // Ask the mouse once to restart into its boot loader, then wait for it.
    m_device.SendCommand(0, CIcQT47::kCmdControl, CIcQT47::kCtlEnterUpdate, 0x10, 0, 0);
    m_owner.StartTimer(kWaitModeTimer, kWaitModeMs);
}

void CFirmwareUpdate::BeginPages() {
    m_page = -1;
    m_retries = 0;
    m_pageOffset = 0;
    m_device.SealFirmwareImage(m_buffer.data());
    m_owner.StartTimer(kPageTimer, kPageMs);
}

void CFirmwareUpdate::OnTimer(int id) {
    if (!m_running) {
        return;
    }
    m_owner.StopTimer(id);
    if (id == kWaitModeTimer) {
        WaitForUpdateMode();
    } else if (id == kPageTimer) {
        PageTick();
    } else if (id == kFinishTimer) {
        m_device.SendControl(CIcQT47::kCtlFirmwareStep, 0, 0);
        Finish(true);
    }
}

void CFirmwareUpdate::WaitForUpdateMode() {
    int ready = 0;
    if (m_device.QueryUpdateState(&ready) && ready) {
        BeginPages();
        return;
    }
    if (m_retries > kMaxWaits - 1) {
        m_retries = 0;
        Finish(false);
        return;
    }
    ++m_retries;
    // The mouse restarts as a new device: find it again by the boot loader's family.
    if (m_hid.CreateDeviceTable(kAcceptedMice, kAcceptedMiceCount, kBootLoaderFamily, kBootLoaderFamily, true,
                                false) &&
        m_hid.GetRecognizedDevices() > 0) {
        m_device.SetFamily(m_hid.GetDeviceVer(0));
        m_device.SetDevicePath(m_hid.GetDevice(0));
        m_device.FindDataInterfaces(m_hid.GetDeviceVID(0), m_hid.GetDevicePID(0));
    }
    m_owner.StartTimer(kWaitModeTimer, kWaitModeMs);
}

void CFirmwareUpdate::PageTick() {
    const int pages = PageCount();
    // Every page but the last is polled until the mouse confirms it.
    if (m_page >= 0 && m_page < pages - 1) {
        uint8_t status = 0;
        const bool polled = m_device.PollStatus(&status) != 0;
        bool confirmed = polled && status == kDone;
        if (!polled || (status == kBusy && m_page != 0)) {
            if (m_retries < kMaxWaits) {
                ++m_retries;
                m_owner.StartTimer(kPageTimer, kPageMs);
                return;
            }
        }
        // The first page counts as confirmed whatever it answered.
        if (m_page == 0) {
            confirmed = true;
        }
        if (!confirmed) {
            m_clock.SleepMs(kResendPauseMs);
            if (m_retries < kMaxResends) {
                ++m_retries;
                m_device.SendControl(CIcQT47::kCtlFirmwareStep, 0, 0);
                m_clock.SleepMs(kRestartPauseMs);
                if (SendPage(m_page)) {
                    m_owner.StartTimer(kPageTimer, kPageMs);
                    return;
                }
            }
            Abandon();
            return;
        }
    }
    m_owner.SetProgress(std::min(m_page + 2, pages));
    if (m_page < pages - 1) {
        ++m_page;
        if (SendPage(m_pageOffset + m_page)) {
            m_owner.StartTimer(kPageTimer, kPageMs);
        } else {
            Abandon();
        }
        return;
    }
    // The last page went out: end the image, then restart the mouse a second later.
    m_owner.StartTimer(kFinishTimer, kFinishMs);
    m_device.SendControl(CIcQT47::kCtlFirmwareEnd, 0, 0);
}

bool CFirmwareUpdate::SendPage(int page) {
    const size_t offset = static_cast<size_t>(page) * CIcQT47::kFirmwarePageSize;
    if (offset + CIcQT47::kFirmwarePageSize > m_buffer.size()) {
        return false;
    }
    return m_device.WriteFirmwarePage(page, m_buffer.data() + offset) != 0;
}

void CFirmwareUpdate::Abandon() {
    m_device.SendControl(CIcQT47::kCtlFirmwareEnd, 0, 0);
    Finish(false);
}

void CFirmwareUpdate::Finish(bool ok) {
    m_running = false;
    m_owner.StopTimer(kWaitModeTimer);
    m_owner.StopTimer(kPageTimer);
    m_owner.StopTimer(kFinishTimer);
    m_owner.EndUpdatePage(ok);
}

}  // namespace vorlix
