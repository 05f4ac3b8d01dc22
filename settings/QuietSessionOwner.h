#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings/DeviceSession.h"

namespace vorlix {

// The session's owner in a program without a window (tools, benchmarks): no message is shown, no timer
// runs, no program is launched and no firmware update started, and of several mice the first is taken.
// A program that wants messages or its own choice among mice overrides those two.
class CQuietSessionOwner : public IDeviceSessionOwner {
public:
    void ShowMessage(int) override {}
    int ChooseMouse(const std::vector<std::u16string>&) override { return 0; }
    void StartTimer(int, uint32_t) override {}
    void StopTimer(int) override {}
    void SessionChanged(SessionChange) override {}
    void LaunchProgram(const std::u16string&) override {}
    void StartFirmwareUpdate() override {}
    bool DialogOpen() const override { return false; }
    void DeviceChangeNotified(uint32_t) override {}
};

}  // namespace vorlix
