#pragma once

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "device/HidTransport.h"

namespace vorlix::testing {

// Stands between the protocol and the virtual mice: hides single mice or their data interfaces (one
// of two identical mice unplugged, a mouse whose data channel cannot be found), lets the data channel
// break off after a number of transfers (a mouse pulled out mid-load or mid-save) and records every
// command report sent.
class CTestTransport final : public IHidTransport {
public:
    explicit CTestTransport(std::shared_ptr<IHidTransport> inner) : m_inner(std::move(inner)) {}

    HidStatus Enumerate(std::vector<HidInterfaceInfo>& interfaces) override;
    HidStatus Open(const std::string& path, std::unique_ptr<IHidDevice>& device) override;
    int Subscribe(HidClass cls, HidNotifyCallback callback) override {
        return m_inner->Subscribe(cls, callback);
    }
    bool Unsubscribe(int id) override { return m_inner->Unsubscribe(id); }
    bool IsVirtualMouse() const override { return m_inner->IsVirtualMouse(); }

    void HideMouse(int mouse, bool hidden);
    void HideDataInterfaces(bool hidden) { m_hideData = hidden; }
    // After this many more data-channel opens, the data channel is gone; -1: never.
    void BreakDataAfter(int transfers) { m_dataLeft = transfers; }

    // Command reports (9 bytes each) in the order they were sent, with the path they went to.
    struct SCommand {
        std::string path;
        std::vector<uint8_t> bytes;
    };
    std::vector<SCommand> Commands() const;
    // Command reports with byte 1 = code (C4 control, DE write...), as (b2, b3, b4).
    std::vector<std::array<uint8_t, 3>> Controls(uint8_t code = 0xC4) const;
    void ClearCommands();
    int DataTransfers() const { return m_dataTransfers; }
    void Record(const std::string& path, const uint8_t* data, size_t length);
    // Data-channel reports sent (blocks, scripts, firmware pages), in order.
    std::vector<std::vector<uint8_t>> DataReports() const;
    void RecordData(const uint8_t* data, size_t length);

private:
    bool Hidden(const std::string& path) const;

    std::shared_ptr<IHidTransport> m_inner;
    mutable std::mutex m_mutex;
    std::set<int> m_hidden;
    std::atomic<bool> m_hideData{false};
    std::atomic<int> m_dataLeft{-1};
    std::atomic<int> m_dataTransfers{0};
    std::vector<SCommand> m_commands;
    std::vector<std::vector<uint8_t>> m_dataReports;
};

}  // namespace vorlix::testing
