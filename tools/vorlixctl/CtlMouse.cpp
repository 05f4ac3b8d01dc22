#include "CtlMouse.h"

#include <cstdio>
#include <cstdlib>
#include <ostream>

#include "device/HidClient.h"
#include "device/IcQT47.h"
#include "platform/InstanceLock.h"
#include "platform/MouseLock.h"
#include "platform/UserPaths.h"
#include "settings/SettingsMap.h"
#include "shared/ProductIds.h"
#include "shared/SteadyClock.h"
#include "shared/Utf16.h"

namespace vorlix::ctl {

namespace {

constexpr const char* kConfigurationLock = "Qz vIVEDUD VORLIX DAZE";
constexpr uint32_t kDefaultLockWaitMs = 30000;
constexpr long long kLongestLockWaitS = 600;

std::string ListLine(const CHidClient& hid, int index) {
    char version[8];
    std::snprintf(version, sizeof version, "%x", hid.GetDeviceVer(index));
    return std::to_string(index + 1) + "\t" + version + ": " + Utf16ToUtf8(hid.GetDeviceName(index)) + "\t" +
           hid.GetDevice(index);
}

}  // namespace

uint32_t LockWaitMs() {
    long long seconds = 0;
    const char* text = std::getenv("VORLIX_LOCK_WAIT");
    if (text != nullptr && ParseNumber(text, seconds) && seconds >= 0 && seconds <= kLongestLockWaitS) {
        return static_cast<uint32_t>(seconds * 1000);
    }
    return kDefaultLockWaitMs;
}

bool ConfigurationProgramRunning(Invocation& call) {
    std::string error;
    const std::string runtimeDir = CUserPaths::RuntimeDir(&error);
    if (!runtimeDir.empty() && CInstanceLock::IsHeldByAnyone(runtimeDir, kConfigurationLock)) {
        call.err << "vorlixctl: VorlixDaze is running; close it first, or make the change there: its next "
                    "save would overwrite this change with its own copy of the mouse's settings\n";
        return true;
    }
    return false;
}

int ChooseMouse(Invocation& call, CHidClient& hid, int wanted) {
    hid.CreateDeviceTable(kAcceptedMice, kAcceptedMiceCount, kFamilyLowest, kFamilyHighest, true, false);
    const int count = hid.GetRecognizedDevices();
    if (count == 0) {
        call.err
            << "vorlixctl: No Gamer Mouse Connected! (no mouse with the ids of this product was found)\n";
        return -1;
    }
    if (wanted > count) {
        call.err << "vorlixctl: there is no mouse " << wanted << "; " << count
                 << (count == 1 ? " mouse is" : " mice are") << " attached (see vorlixctl list)\n";
        return -1;
    }
    if (wanted == 0 && count > 1) {
        call.err << "vorlixctl: " << count << " mice are attached; choose one with --mouse N:\n";
        for (int i = 0; i < count; ++i) {
            call.err << "  --mouse " << ListLine(hid, i) << "\n";
        }
        return -1;
    }
    return wanted == 0 ? 0 : wanted - 1;
}

bool LockMouse(Invocation& call, CMouseLock& lock, const std::string& path) {
    std::string error;
    const std::string runtimeDir = CUserPaths::RuntimeDir(&error);
    if (runtimeDir.empty()) {
        call.err << "vorlixctl: cannot lock the mouse for this command: " << error << "\n";
        return false;
    }
    const uint32_t waitMs = LockWaitMs();
    switch (lock.Acquire(runtimeDir, path, waitMs, &error)) {
        case CMouseLock::Result::Acquired:
            return true;
        case CMouseLock::Result::Busy:
            call.err << "vorlixctl: another command holds the mouse " << path << " (another vorlixctl, or a "
                     << "save in VorlixDaze) and still did after " << waitMs / 1000
                     << " s; nothing was changed. Run the command again once it is done.\n";
            return false;
        case CMouseLock::Result::Error:
        default:
            call.err << "vorlixctl: cannot lock the mouse for this command: " << error << "\n";
            return false;
    }
}

void ReportMouseFailure(Invocation& call, CHidClient& hid, CIcQT47& device, const std::string& what) {
    call.err << "vorlixctl: " << what << ": ";
    if (device.LastOpenStatus() != HidStatus::Ok) {
        call.err << "cannot open the mouse at " << device.DevicePath() << ": "
                 << HidStatusText(device.LastOpenStatus());
        if (device.LastOpenStatus() == HidStatus::PermissionDenied) {
            call.err << CHidClient::PermissionHint();
        }
        call.err << "\n";
        return;
    }
    const std::string why = hid.LastOpenErrorText();
    if (!why.empty()) {
        call.err << why << "\n";
        return;
    }
    // One more question, answered or not, tells a busy mouse from a mute one.
    if (device.SendCommand(0, CIcQT47::kCmdReadByte, map::kProfileByte, 0, 0, 0) &&
        device.GetCommandReport() && device.CommandBuffer()[1] == CIcQT47::kBusy) {
        call.err << "the mouse kept answering busy; unplug it, plug it in again and retry\n";
        return;
    }
    call.err << "the mouse did not answer; unplug it, plug it in again and retry\n";
}

}  // namespace vorlix::ctl
