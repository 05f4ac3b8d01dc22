#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "settings/SettingsMap.h"
#include "shared/PointerSettings.h"
#include "tests/support/SessionFixture.h"
#include "ui/cfg/core/DeviceDialogHost.h"

namespace vorlix::testing {

// The desktop's pointer settings as a test holds them: every Apply is recorded.
class CFakePointer final : public IPointerSettings {
public:
    bool Apply(const SPointerValues& next) override {
        values = next;
        applied.push_back(next);
        return true;
    }
    bool Read(SPointerValues& out) override {
        out = values;
        return true;
    }
    SPointerValues values{14, 300, 5};
    std::vector<SPointerValues> applied;
};

class CFakeDialogHost final : public IDeviceDialogHost {
public:
    int DeviceVariant() const override { return variant; }
    void ApplyProfilePointer(int profile) override { pointerProfiles.push_back(profile); }
    int variant = 2;
    std::vector<int> pointerProfiles;
};

// One command report as bytes 1..5: the command and its four operands.
using Sent = std::vector<std::array<uint8_t, 5>>;

// A loaded in-process virtual mouse (factory memory, variant 2) with the fake clock, a fake desktop and a
// fake main window, for the advanced settings and LED dialogs.
class CfgFixture : public SessionFixture {
protected:
    static constexpr int kB0 = map::BlockBase(0);

    void SetUp() override { Load(); }

    // Starts the mouse, lets edit change its memory first, connects and loads.
    template <class F>
    void Load(F edit) {
        Start();
        edit();
        ASSERT_EQ(session->Connect(), 1);
        ASSERT_TRUE(session->Ready());
        transport->ClearCommands();
        clock.ClearSleeps();
    }
    void Load() {
        Load([] {});
    }

    Sent Commands() const {
        Sent out;
        for (const auto& command : transport->Commands()) {
            std::array<uint8_t, 5> bytes{};
            for (size_t i = 0; i < bytes.size() && i + 1 < command.bytes.size(); ++i) {
                bytes[i] = command.bytes[i + 1];
            }
            out.push_back(bytes);
        }
        return out;
    }
    // The commands other than reads and writes of single bytes (and their answers' polls).
    Sent Effects() const {
        Sent out;
        for (const auto& bytes : Commands()) {
            if (bytes[0] == 0xC4 || bytes[0] == 0xC5) {
                out.push_back(bytes);
            }
        }
        return out;
    }
    // Pauses of 10 ms asked for since the last clear.
    size_t TenMsPauses() const {
        size_t count = 0;
        for (const uint32_t ms : clock.Sleeps()) {
            count += ms == 10 ? 1 : 0;
        }
        return count;
    }
    const SCell& Cell(int address) const { return device->Cell(address); }
    void Clear() {
        transport->ClearCommands();
        clock.ClearSleeps();
        poster.posts.clear();
    }

    CFakePointer pointer;
    CFakeDialogHost host;
};

inline std::array<uint8_t, 5> Effect(int offset, int value) {
    return {0xC4, 0x0F, 0x00, static_cast<uint8_t>(offset), static_cast<uint8_t>(value)};
}
inline std::array<uint8_t, 5> LevelEffect(int level) {
    return {0xC4, 0x0F, 0x01, static_cast<uint8_t>(level), 0};
}
inline std::array<uint8_t, 5> LiftOff(int value) {
    return {0xC5, 0x00, 0x2E, static_cast<uint8_t>(value), 0};
}
inline constexpr std::array<uint8_t, 5> kLightEnd = {0xC4, 0x03, 0x03, 0x03, 0};

}  // namespace vorlix::testing
