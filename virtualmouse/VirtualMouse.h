#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "FactoryMemory.h"

namespace vorlix {

// Misbehaviour the virtual mouse can be told to show, to test the protocol's failure handling.
enum class VirtualFault {
    DropAnswers,   // never answers: every answer reads as "nothing answered yet"
    WrongEcho,     // answers memory commands with another address in the echo
    HangTransfer,  // a data-channel transfer never comes back
    UnplugMidway,  // the mouse goes away during its first data-channel transfer
    ShortAnswers,  // answers arrive cut short
    DenyOpen,      // the nodes exist but this user may not open them
    NeverReady,    // the boot loader never reports that it waits for firmware pages
    NeverConfirm,  // firmware pages are answered "busy" for ever
    BootLoader,    // the mouse starts in its boot loader, as an interrupted update leaves it
};

bool ParseVirtualFault(const std::string& name, VirtualFault& fault);
const char* VirtualFaultName(VirtualFault fault);

// The firmware of one mouse: its memory, its command channel (9-byte feature reports on interface 0)
// and its data channel (long feature reports on interface 1). Not thread-safe; CVirtualMouseSet
// serialises access.
class CVirtualMouse {
public:
    static constexpr size_t kCommandLength = 9;

    CVirtualMouse(uint16_t family, uint8_t firmware, int busyAnswers);

    // Command channel.
    void Command(const uint8_t* data, size_t length);
    std::array<uint8_t, kCommandLength> Answer();
    // Data channel. A report whose checksum does not add up is ignored; why goes to the log.
    void DataReport(const uint8_t* data, size_t length);
    std::vector<uint8_t> DataAnswer(uint8_t reportId, size_t length);

    std::array<uint8_t, kMouseMemorySize>& Memory() { return m_memory; }
    uint8_t Peek(unsigned address) const { return address < kMouseMemorySize ? m_memory[address] : 0; }
    void Poke(unsigned address, uint8_t value);
    const std::vector<uint8_t>* Script(unsigned number) const;
    // The byte last put into effect at a block offset of the active profile, -1 when none.
    int EffectByte(unsigned offset) const;
    bool InBootLoader() const { return m_bootLoader; }
    // The controller family the mouse reports; its boot loader always reports 0x2401.
    uint16_t Version() const { return m_bootLoader ? kBootLoaderFamily : m_family; }
    uint8_t Firmware() const { return m_firmware; }
    // Grows each time the mouse restarts into or out of its boot loader: it then comes back as a new
    // device, with new paths.
    int Generation() const { return m_generation; }
    // Starts the mouse in its boot loader with no pages received.
    void EnterBootLoader();

    static constexpr uint16_t kBootLoaderFamily = 0x2401;
    static constexpr size_t kFirmwareSize = 0x8000;
    static constexpr size_t kFirmwarePage = 2048;

    bool dropAnswers = false;
    bool wrongEcho = false;
    bool neverReady = false;
    bool neverConfirm = false;
    // Status polls answered "busy" before a received page counts as done, for one page (busyPage) or,
    // with busyPage -1, for every page.
    int pageBusyAnswers = 0;
    int busyPage = -1;
    // The firmware version the mouse runs after a complete, verified update.
    uint8_t updateTo = 9;
    std::function<void(const std::string&)> log;
    std::function<void()> memoryChanged;

private:
    void SetAnswer(std::initializer_list<uint8_t> bytes);
    void Log(const std::string& line);
    void ControlCommand(const uint8_t* data);
    void FirmwarePage(const uint8_t* data, size_t length);
    // True when every page arrived and the check byte matches the pages.
    bool ImageChecks() const;

    uint16_t m_family;
    uint8_t m_firmware;
    int m_busyAnswers;
    int m_busyLeft = 0;
    bool m_bootLoader = false;
    int m_generation = 0;
    std::vector<uint8_t> m_firmwareImage;
    std::vector<bool> m_pagesReceived;
    bool m_imageEnded = false;
    int m_pageBusyLeft = 0;
    bool m_pageAnswer = false;  // the answer waiting is a firmware page's status
    std::array<uint8_t, kMouseMemorySize> m_memory;
    std::array<uint8_t, kCommandLength> m_answer{};
    uint8_t m_selectedBlock = 0;
    int m_announcedScript = -1;
    std::map<unsigned, std::vector<uint8_t>> m_scripts;
    std::map<unsigned, uint8_t> m_effects;
};

}  // namespace vorlix
