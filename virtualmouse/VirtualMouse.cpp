#include "VirtualMouse.h"

#include <algorithm>

namespace vorlix {

namespace {

constexpr uint8_t kDone = 0xB0;
constexpr uint8_t kBusy = 0xB1;
constexpr uint8_t kNothing = 0xFF;
constexpr uint8_t kScriptReport = 4;
constexpr uint8_t kBlockReport = 5;
constexpr uint8_t kFirmwareReport = 10;
constexpr uint8_t kFirmwareStatusEcho = 0x0A;
constexpr unsigned kLastBlock = 9;
constexpr unsigned kLiftOffOffset = 1;
constexpr size_t kReportHeader = 4;

unsigned BlockBase(unsigned n) {
    return 256 * (n + 1);
}

// The mouse's own check: data and checksum add up to 0 modulo 256.
bool SumsToZero(const uint8_t* data, size_t length, uint8_t checksum) {
    unsigned sum = checksum;
    for (size_t i = 0; i < length; ++i) {
        sum += data[i];
    }
    return (sum & 0xFF) == 0;
}

struct SFaultName {
    VirtualFault fault;
    const char* name;
};
constexpr SFaultName kFaultNames[] = {
    {VirtualFault::DropAnswers, "drop"},       {VirtualFault::WrongEcho, "wrong-echo"},
    {VirtualFault::HangTransfer, "hang"},      {VirtualFault::UnplugMidway, "unplug"},
    {VirtualFault::ShortAnswers, "short"},     {VirtualFault::DenyOpen, "deny"},
    {VirtualFault::NeverReady, "never-ready"}, {VirtualFault::NeverConfirm, "never-confirm"},
    {VirtualFault::BootLoader, "boot-loader"},
};

}  // namespace

bool ParseVirtualFault(const std::string& name, VirtualFault& fault) {
    for (const SFaultName& entry : kFaultNames) {
        if (name == entry.name) {
            fault = entry.fault;
            return true;
        }
    }
    return false;
}

const char* VirtualFaultName(VirtualFault fault) {
    for (const SFaultName& entry : kFaultNames) {
        if (entry.fault == fault) {
            return entry.name;
        }
    }
    return "?";
}

CVirtualMouse::CVirtualMouse(uint16_t family, uint8_t firmware, int busyAnswers)
    : m_family(family), m_firmware(firmware), m_busyAnswers(busyAnswers), m_memory(FactoryMemory(family)) {
    m_answer.fill(kNothing);
}

void CVirtualMouse::Log(const std::string& line) {
    if (log) {
        log(line);
    }
}

void CVirtualMouse::SetAnswer(std::initializer_list<uint8_t> bytes) {
    m_answer.fill(0);
    std::copy(bytes.begin(), bytes.end(), m_answer.begin());
    m_busyLeft = m_busyAnswers;
    m_pageAnswer = false;
    m_pageBusyLeft = 0;
}

void CVirtualMouse::Poke(unsigned address, uint8_t value) {
    if (address < kMouseMemorySize) {
        m_memory[address] = value;
        if (memoryChanged) {
            memoryChanged();
        }
    }
}

void CVirtualMouse::Command(const uint8_t* data, size_t length) {
    if (data == nullptr || length < kCommandLength) {
        Log("ignored a command report of " + std::to_string(length) + " bytes");
        return;
    }
    const uint8_t reportId = data[0];
    const uint8_t low = data[2];
    const uint8_t high = data[3];
    const unsigned address = low | (high << 8);
    const uint8_t echoLow = wrongEcho ? static_cast<uint8_t>(low ^ 1) : low;
    switch (data[1]) {
        case 0xDF:
            SetAnswer({reportId, kDone, 0xC0, echoLow, high, Peek(address)});
            break;
        case 0xDE:
            if (address < kMouseMemorySize) {
                Poke(address, data[4]);
            }
            SetAnswer({reportId, kDone, 0xC1, echoLow, high});
            break;
        case 0xC4:
            ControlCommand(data);
            break;
        case 0xC5:
            if (data[2] == 0x00 && data[3] == 0x2E) {
                m_effects[kLiftOffOffset] = data[4];
            }
            break;
        default:
            Log("unknown command " + std::to_string(data[1]));
            break;
    }
}

void CVirtualMouse::ControlCommand(const uint8_t* data) {
    const uint8_t reportId = data[0];
    switch (data[2]) {
        case 0x00:
            Log("apply settings");
            break;
        case 0x01:
            // The boot loader restarts as the mouse only after a complete image that checks; before a
            // page is sent again it stays where it is.
            if (m_bootLoader && m_imageEnded && ImageChecks()) {
                m_bootLoader = false;
                m_firmware = updateTo;
                ++m_generation;
                Log("firmware updated to version " + std::to_string(updateTo) + ", restarting");
            } else if (m_bootLoader) {
                m_imageEnded = false;
                Log("update mode: step");
            }
            break;
        case 0x05:
            if (data[3] == 0x10 && !m_bootLoader) {
                EnterBootLoader();
                Log("entered update mode, restarting as the boot loader");
            }
            break;
        case 0x06:
            if (m_bootLoader) {
                m_imageEnded = true;
                Log(ImageChecks() ? "image complete" : "image ended incomplete or failing its check");
            }
            break;
        case 0x07:
            if (data[3] < kProfileCount) {
                Poke(kProfileByteAddress,
                     static_cast<uint8_t>((m_memory[kProfileByteAddress] & 0xF0) | data[3]));
            }
            break;
        case 0x08:
            if (m_bootLoader) {
                SetAnswer({reportId, kDone, 0x3C, 0xC3, m_firmware});
            } else {
                SetAnswer({reportId, kDone, 0x55, 0xAA, m_firmware});
            }
            break;
        case 0x0B:
            m_announcedScript = data[4] == 1 ? data[3] : -1;
            break;
        case 0x0C:
            m_selectedBlock = data[3];
            break;
        case 0x0F:
            if (data[3] == 0xFF) {
                const bool ready = m_bootLoader && !neverReady;
                SetAnswer({reportId, kDone, kFirmwareStatusEcho, static_cast<uint8_t>(ready ? 1 : 0), 16, 0,
                           16, 16});
            } else if (data[3] == 0x00) {
                m_effects[data[4]] = data[5];
            }
            break;
        default:
            break;
    }
}

std::array<uint8_t, CVirtualMouse::kCommandLength> CVirtualMouse::Answer() {
    std::array<uint8_t, kCommandLength> answer{};
    if (dropAnswers) {
        answer.fill(kNothing);
        return answer;
    }
    if (m_pageAnswer && (m_pageBusyLeft > 0 || neverConfirm)) {
        if (m_pageBusyLeft > 0) {
            --m_pageBusyLeft;
        }
        answer = m_answer;
        answer[1] = kBusy;
        return answer;
    }
    if (m_busyLeft > 0) {
        --m_busyLeft;
        answer.fill(0);
        answer[0] = m_answer[0];
        answer[1] = kBusy;
        return answer;
    }
    return m_answer;
}

void CVirtualMouse::DataReport(const uint8_t* data, size_t length) {
    if (data == nullptr || length <= kReportHeader) {
        Log("ignored a data report of " + std::to_string(length) + " bytes");
        return;
    }
    const uint8_t id = data[0];
    const uint8_t number = data[2];
    const uint8_t checksum = data[3];
    if (id == kBlockReport) {
        const size_t cells = length - 5;
        if (number > kLastBlock || number != m_selectedBlock) {
            Log("ignored block report " + std::to_string(number) + ": block " +
                std::to_string(m_selectedBlock) + " is selected");
            return;
        }
        if (!SumsToZero(data + kReportHeader, cells, checksum)) {
            Log("ignored block report " + std::to_string(number) + ": bad checksum");
            return;
        }
        const unsigned base = BlockBase(number);
        for (size_t i = 0; i < cells && base + i < kMouseMemorySize; ++i) {
            m_memory[base + i] = data[kReportHeader + i];
        }
        if (memoryChanged) {
            memoryChanged();
        }
        Log("stored block " + std::to_string(number));
    } else if (id == kScriptReport) {
        const size_t size = static_cast<size_t>(data[1]) * 256;
        if (size == 0 || length < kReportHeader + size) {
            Log("ignored script report: " + std::to_string(length) + " bytes for an image of " +
                std::to_string(size));
            return;
        }
        if (m_announcedScript != number) {
            Log("ignored script " + std::to_string(number) + ": not announced");
            return;
        }
        if (!SumsToZero(data + kReportHeader, size, checksum)) {
            Log("ignored script " + std::to_string(number) + ": bad checksum");
            return;
        }
        m_scripts[number].assign(data + kReportHeader, data + kReportHeader + size);
        m_announcedScript = -1;
        Log("stored script " + std::to_string(number));
    } else if (id == kFirmwareReport) {
        FirmwarePage(data, length);
    } else {
        Log("ignored data report " + std::to_string(id));
    }
}

void CVirtualMouse::EnterBootLoader() {
    m_bootLoader = true;
    ++m_generation;
    m_firmwareImage.assign(kFirmwareSize, 0);
    m_pagesReceived.assign(kFirmwareSize / kFirmwarePage, false);
    m_imageEnded = false;
}

void CVirtualMouse::FirmwarePage(const uint8_t* data, size_t length) {
    const uint8_t number = data[2];
    const uint8_t checksum = data[3];
    const size_t size = static_cast<size_t>(data[1]) * 256;
    if (!m_bootLoader) {
        Log("ignored firmware page " + std::to_string(number) + ": not in update mode");
        return;
    }
    if (size != kFirmwarePage || number >= m_pagesReceived.size() || length < kReportHeader + size ||
        !SumsToZero(data + kReportHeader, size, checksum)) {
        Log("ignored firmware page " + std::to_string(number) + ": bad number, checksum or length");
        return;
    }
    std::copy(data + kReportHeader, data + kReportHeader + size, m_firmwareImage.begin() + number * size);
    m_pagesReceived[number] = true;
    SetAnswer({0, kDone, kFirmwareStatusEcho, number, checksum});
    m_pageAnswer = true;
    m_pageBusyLeft = busyPage < 0 || busyPage == number ? pageBusyAnswers : 0;
    Log("stored firmware page " + std::to_string(number));
}

bool CVirtualMouse::ImageChecks() const {
    if (m_pagesReceived.empty() ||
        std::find(m_pagesReceived.begin(), m_pagesReceived.end(), false) != m_pagesReceived.end()) {
        return false;
    }
    unsigned sum = 0;
    for (size_t page = 0; page + 1 < m_pagesReceived.size(); ++page) {
        sum += m_firmwareImage[page * kFirmwarePage + kFirmwarePage - 1];
    }
    return m_firmwareImage[kFirmwareSize - 2] == static_cast<uint8_t>(0x100 - (sum & 0xFF));
}

std::vector<uint8_t> CVirtualMouse::DataAnswer(uint8_t reportId, size_t length) {
    std::vector<uint8_t> answer(length, 0);
    if (length < kReportHeader + 2 || dropAnswers) {
        return answer;
    }
    if (reportId != kBlockReport || m_selectedBlock > kLastBlock) {
        answer[0] = kBusy;
        answer[1] = reportId;
        return answer;
    }
    const size_t cells = length - 5;
    const unsigned base = BlockBase(m_selectedBlock);
    answer[0] = kDone;
    answer[1] = kBlockReport;
    answer[2] = m_selectedBlock;
    unsigned sum = 0;
    for (size_t i = 0; i < cells; ++i) {
        answer[kReportHeader + i] = base + i < kMouseMemorySize ? m_memory[base + i] : 0;
        sum += answer[kReportHeader + i];
    }
    answer[3] = static_cast<uint8_t>(0x100 - (sum & 0xFF));
    return answer;
}

const std::vector<uint8_t>* CVirtualMouse::Script(unsigned number) const {
    auto found = m_scripts.find(number);
    return found == m_scripts.end() ? nullptr : &found->second;
}

int CVirtualMouse::EffectByte(unsigned offset) const {
    auto found = m_effects.find(offset);
    return found == m_effects.end() ? -1 : found->second;
}

}  // namespace vorlix
