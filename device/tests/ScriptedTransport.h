#pragma once

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/HidTransport.h"
#include "device/TransferWait.h"

namespace vorlix::testing {

// A transport whose interfaces and answers the test writes down, and which records every transfer.
class CScriptedTransport final : public IHidTransport {
public:
    struct STransfer {
        enum Kind { Set, Get } kind;
        std::string path;
        std::vector<uint8_t> bytes;  // sent bytes, or the request buffer of a get
    };
    struct SAnswer {
        HidStatus status = HidStatus::Ok;
        std::vector<uint8_t> bytes;
        bool hang = false;  // the transfer never comes back (until Release)
    };

    std::vector<HidInterfaceInfo> interfaces;
    HidStatus enumerateStatus = HidStatus::Ok;
    HidStatus openStatus = HidStatus::Ok;
    HidStatus setStatus = HidStatus::Ok;
    // Answers to gets, in order; when none is left a get answers all 0xFF ("nothing answered yet").
    std::deque<SAnswer> answers;
    int enumerations = 0;
    int opens = 0;

    HidStatus Enumerate(std::vector<HidInterfaceInfo>& list) override {
        std::lock_guard lock(m_mutex);
        ++enumerations;
        list = interfaces;
        return enumerateStatus;
    }

    HidStatus Open(const std::string& path, std::unique_ptr<IHidDevice>& device) override {
        std::lock_guard lock(m_mutex);
        ++opens;
        if (openStatus != HidStatus::Ok) {
            return openStatus;
        }
        device = std::make_unique<CDevice>(*this, path);
        return HidStatus::Ok;
    }

    int Subscribe(HidClass, HidNotifyCallback) override { return 0; }
    bool Unsubscribe(int) override { return false; }

    std::vector<STransfer> Transfers() {
        std::lock_guard lock(m_mutex);
        return m_transfers;
    }
    void Release() {
        std::lock_guard lock(m_mutex);
        m_released = true;
        m_wake.notify_all();
    }
    // Waits (without a time limit: the test fails by hanging, never by a timing guess) until that many
    // hung transfers have come back after Release.
    void WaitHangsEnded(int count) {
        std::unique_lock lock(m_mutex);
        m_wake.wait(lock, [&] { return m_hangsEnded >= count; });
    }
    // A zero-padded answer for the command channel.
    static SAnswer Command(std::vector<uint8_t> bytes) {
        bytes.resize(9, 0);
        return {HidStatus::Ok, bytes, false};
    }

private:
    class CDevice final : public IHidDevice {
    public:
        CDevice(CScriptedTransport& owner, std::string path) : m_owner(owner), m_path(std::move(path)) {}
        HidStatus SetFeature(const uint8_t* data, size_t length) override {
            std::lock_guard lock(m_owner.m_mutex);
            m_owner.m_transfers.push_back({STransfer::Set, m_path, {data, data + length}});
            return m_owner.setStatus;
        }
        HidStatus GetFeature(uint8_t* data, size_t length, size_t& received) override {
            std::unique_lock lock(m_owner.m_mutex);
            m_owner.m_transfers.push_back({STransfer::Get, m_path, {data, data + length}});
            SAnswer answer{HidStatus::Ok, std::vector<uint8_t>(length, 0xFF), false};
            if (!m_owner.answers.empty()) {
                answer = m_owner.answers.front();
                m_owner.answers.pop_front();
            }
            if (answer.hang) {
                MarkTransferStalled();
                m_owner.m_wake.wait(lock, [&] { return m_owner.m_released; });
                ++m_owner.m_hangsEnded;
                m_owner.m_wake.notify_all();
                return HidStatus::IoFailed;
            }
            received = std::min(length, answer.bytes.size());
            std::copy(answer.bytes.begin(), answer.bytes.begin() + static_cast<long>(received), data);
            return answer.status;
        }
        HidStatus ReadInput(uint8_t*, size_t, size_t& received, int) override {
            received = 0;
            return HidStatus::TimedOut;
        }

    private:
        CScriptedTransport& m_owner;
        std::string m_path;
    };

    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_released = false;
    int m_hangsEnded = 0;
    std::vector<STransfer> m_transfers;
};

}  // namespace vorlix::testing
