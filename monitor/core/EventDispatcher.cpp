#include "EventDispatcher.h"

#include "settings/ProfilePointerSettings.h"
#include "shared/ProductIds.h"
#include "shared/StoreNames.h"
#include "shared/Utf16.h"

namespace vorlix {

CEventDispatcher::CEventDispatcher(CRegStore& store, IMessagePoster& poster, IProgramLauncher& launcher,
                                   IPointerSettings& pointer, const CFileSearch& search)
    : m_store(store), m_poster(poster), m_launcher(launcher), m_pointer(pointer), m_search(search) {}

bool CEventDispatcher::IsMouseIds(const SReportSource& source) {
    return source.vendorId == kVendorId && source.productId == kProductId;
}

bool CEventDispatcher::IsMouse(const SReportSource& source) {
    return IsMouseIds(source) && source.version >= kFamilyLowest && source.version <= kFamilyHighest;
}

bool CEventDispatcher::HandleVendorReport(const uint8_t* data, size_t length, const SReportSource& source) {
    if (!m_devicePresent || data == nullptr || length < kEventReportLength || data[0] != kEventReportId ||
        !IsMouse(source)) {
        return false;
    }
    const uint8_t b2 = data[2];
    switch (data[1]) {
        case kLock: {
            const uint32_t value = b2 != 0 ? 1 : 0;
            PostDeviceNotice(devnotice::kLock, value);
            PostOsdNotice(osd::kLock, value);
            break;
        }
        case kProfile: {
            const int profile = b2 & 7;
            const uint32_t value = 0x80u + 16u * static_cast<uint32_t>(profile);
            PostDeviceNotice(devnotice::kProfileOrResolution, value);
            PostOsdNotice(osd::kProfileOrResolution, value);
            // Only while the configuration program runs: a handle left behind by a crash is no program.
            const int32_t process = m_store.ReadDword(store::kProcessHandle);
            if (store::IsWindowHandle(process) && m_poster.IsWindow(static_cast<WindowHandle>(process))) {
                ApplyPointerSettings(profile);
            }
            break;
        }
        case kResolution: {
            const uint32_t value = b2 + 256u * data[3] + 65536u * data[4];
            PostDeviceNotice(devnotice::kProfileOrResolution, value);
            PostOsdNotice(osd::kProfileOrResolution, value);
            break;
        }
        case kReportRate:
            PostDeviceNotice(devnotice::kReportInterval, b2);
            PostOsdNotice(osd::kReportInterval, b2);
            break;
        case kLaunch:
            Launch(b2, data[3]);
            break;
        default:
            break;
    }
    return true;
}

void CEventDispatcher::HandleSideButtons(bool button4Down, bool button5Down, const SReportSource& source) {
    if (!m_devicePresent || !IsMouseIds(source)) {
        return;
    }
    if (button4Down) {
        PostOsdNotice(osd::kSideButton, 3);
    } else if (button5Down) {
        PostOsdNotice(osd::kSideButton, 4);
    }
}

bool CEventDispatcher::PostOsdNotice(uint32_t kind, uint32_t value) {
    const int32_t target = m_store.ReadDword(store::kOsdHandle);
    if (!store::IsWindowHandle(target) || !m_poster.IsWindow(static_cast<WindowHandle>(target))) {
        return false;
    }
    return m_poster.Post(static_cast<WindowHandle>(target), msg::kOsdNotice, kind, value);
}

bool CEventDispatcher::PostDeviceNotice(uint32_t kind, uint32_t value) {
    const char* handleName = nullptr;
    switch (m_store.ReadDword(store::kCurrentDialog)) {
        case 0:
            handleName = store::kProcessHandle;
            break;
        case 1:
            handleName = store::kConfigureHandle;
            break;
        case 2:
            handleName = store::kMacroEditHandle;
            break;
        case 3:
            handleName = store::kLedEditHandle;
            break;
        default:
            return false;  // 4 (the button dialog) and anything else: no receiver
    }
    const int32_t target = m_store.ReadDword(handleName);
    if (!store::IsWindowHandle(target) || !m_poster.IsWindow(static_cast<WindowHandle>(target))) {
        return false;
    }
    return m_poster.Post(static_cast<WindowHandle>(target), msg::kDeviceNotice, kind, value);
}

bool CEventDispatcher::ApplyPointerSettings(int profile) {
    return CProfilePointerSettings(m_store, m_pointer).Apply(profile);
}

void CEventDispatcher::Launch(int profile, int button) {
    // Only rows 0..4 of the button table have names: a higher profile would read a value with no
    // name, which the configuration program never writes.
    if (profile < 0 || profile >= kProfiles || button < 0 || button >= kButtons) {
        return;
    }
    std::u16string text;
    if (m_store.ReadText(store::ButtonProgram(profile, button + 1), text) != 1 || text.empty()) {
        return;
    }
    const std::string path = m_search.Find(Utf16ToUtf8(text));
    if (!path.empty()) {
        m_launcher.Launch(path);
    }
}

}  // namespace vorlix
