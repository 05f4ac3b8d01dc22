#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "HidTransport.h"
#include "TransferWait.h"
#include "shared/Clock.h"

namespace vorlix {

// One cell of the settings image: the program's copy of one byte of the mouse's memory.
struct SCell {
    uint8_t valid = 0;    // the value was read from or written to the mouse
    uint8_t changed = 0;  // the value differs from the mouse and must be written
    int value = 0;        // only the low byte goes to the mouse
};

// Speaks the mouse controller's command protocol over the command channel (9-byte feature reports on
// the mouse's first interface) and the data channel (long feature reports on the vendor collection),
// and holds the settings image.
class CIcQT47 {
public:
    static constexpr size_t kImageCells = 16384;
    static constexpr size_t kReportLength = 9;
    static constexpr int kMaxDataPaths = 126;
    static constexpr uint32_t kDataTransferWaitMs = 10000;
    static constexpr uint32_t kProbeWaitMs = 30000;

    // Last error codes.
    static constexpr int kErrLoaded = -2;
    static constexpr int kErrEmptyPath = -3;
    static constexpr int kErrOpenFailed = -4;
    static constexpr int kErrNoPath = -5;
    static constexpr int kErrGetFailed = -6;
    static constexpr int kErrSetFailed = -7;

    // Report-answer status bytes.
    static constexpr uint8_t kDone = 0xB0;
    static constexpr uint8_t kBusy = 0xB1;
    static constexpr uint8_t kStatusAccepted = 0xB2;
    static constexpr uint8_t kNoAnswer = 0xFF;

    // Command codes.
    static constexpr uint8_t kCmdReadByte = 0xDF;
    static constexpr uint8_t kCmdWriteByte = 0xDE;
    static constexpr uint8_t kCmdControl = 0xC4;
    static constexpr uint8_t kCmdLiftOff = 0xC5;
    static constexpr uint8_t kEchoRead = 0xC0;
    static constexpr uint8_t kEchoWrite = 0xC1;
    // Control sub-commands (byte 2 of a C4 command).
    static constexpr uint8_t kCtlApply = 0x00;
    static constexpr uint8_t kCtlFirmwareStep = 0x01;
    static constexpr uint8_t kCtlPicked = 0x02;
    static constexpr uint8_t kCtlLight = 0x03;
    static constexpr uint8_t kCtlEnterUpdate = 0x05;
    static constexpr uint8_t kCtlFirmwareEnd = 0x06;
    static constexpr uint8_t kCtlActiveProfile = 0x07;
    static constexpr uint8_t kCtlIdentify = 0x08;
    static constexpr uint8_t kCtlScript = 0x0B;
    static constexpr uint8_t kCtlSelectBlock = 0x0C;
    static constexpr uint8_t kCtlEffect = 0x0F;
    // Data-channel report ids.
    static constexpr uint8_t kScriptReport = 4;
    static constexpr uint8_t kBlockReport = 5;
    static constexpr uint8_t kFirmwareReport = 10;

    // Pauses, in milliseconds.
    static constexpr uint32_t kSettleMs = 10;
    static constexpr uint32_t kPollMs = 10;
    static constexpr uint32_t kRetryMs = 120;
    static constexpr uint32_t kApplyPassMs = 100;
    static constexpr uint32_t kDataRetryMs = 176;
    static constexpr uint32_t kScriptMs = 200;

    // Every pause goes through clock; every wait for a data-channel worker through waiter.
    CIcQT47(std::shared_ptr<IHidTransport> transport, IClock& clock, ITransferWaiter& waiter);
    virtual ~CIcQT47();
    CIcQT47(const CIcQT47&) = delete;
    CIcQT47& operator=(const CIcQT47&) = delete;

    // Settings image.
    const SCell& Cell(int address) const;
    SCell& CellRef(int address);
    int SetCell(int address, int value);
    // The cell holds what the mouse holds: value, valid and not changed. Nothing outside the image.
    void AdoptCell(int address, int value);
    // The mouse is known to hold this byte at the address (a valid, unchanged cell of that value): a
    // write of it would change nothing.
    bool Holds(int address, int value) const;
    // Whether the address lies in the mouse's memory (below MemorySize).
    bool InMemory(int address) const { return address >= 0 && static_cast<unsigned>(address) < m_memorySize; }

    void Reset();
    int SetFamily(unsigned family);
    unsigned Family() const { return m_family; }
    unsigned MemorySize() const { return m_memorySize; }
    int SetDevicePath(const std::string& path);
    const std::string& DevicePath() const { return m_path; }
    int OpenDevice(const std::string& path);
    int VerifySignature();
    unsigned BlockBase(unsigned n) const;
    unsigned BlockReportLength(unsigned family = 0) const;
    unsigned BlockDataLength(unsigned family = 0) const;
    size_t ScriptImageSize() const;

    int ReadByte(unsigned address, int* value);
    int ReadByteVerified(int address, int* value);
    int WriteByte(unsigned address, int value);
    int SendControl(int a, int b, int c);
    int SendCommand(int reportId, int code, int b2, int b3, int b4, int b5);
    // C4 0F kind operand value: the mouse shows a setting at once (kind 0: block byte operand takes
    // value; kind 1: level operand becomes active) without storing it.
    int SendEffect(int kind, int operand, int value);
    int ApplySettings();
    int Identify(int* mode, unsigned* version);
    int GetCommandReport();
    int SetCommandReport();
    const std::array<uint8_t, kReportLength>& CommandBuffer() const { return m_command; }

    int FindDataInterfaces(uint16_t vid, uint16_t pid);
    int DataPathCount() const { return static_cast<int>(m_dataPaths.size()); }
    int SelectedDataPath() const { return m_selectedDataPath; }
    const std::string* DataPath(int index) const;
    int SendDataReport(const void* buffer, int length);
    int GetDataReport(int selector, uint8_t* buffer, int length);

    int ReadProfileBlock(unsigned n);
    int WriteProfileBlock(unsigned n);
    // image holds ScriptImageSize() bytes.
    int WriteScript(unsigned number, const uint8_t* image, size_t imageSize);
    // Firmware update. The image is sent as pages of kFirmwarePageSize bytes.
    static constexpr int kFirmwarePageSize = 2048;
    static constexpr int kFirmwareReportLength = kFirmwarePageSize + 5;
    static constexpr int kFirmwareBufferSize = 0x8000;
    // Image size of the current family: 0x6000 or 0x8000 bytes.
    int FirmwareImageSize() const;
    // Asks whether the mouse waits for firmware pages. 1 when the mouse answered as expected; ready is
    // then 1 when it is in update mode.
    int QueryUpdateState(int* ready);
    // Stores the check byte the boot loader verifies at the image's last-but-one byte. image holds
    // FirmwareImageSize() bytes.
    int SealFirmwareImage(uint8_t* image) const;
    // Sends one page (kFirmwarePageSize bytes) on the data channel; the result of the send.
    int WriteFirmwarePage(int page, const uint8_t* data);
    // Fetches the mouse's status for the last page sent: 0xB0 done, 0xB1 busy, 0xB2 accepted.
    int PollStatus(uint8_t* status);

    static uint8_t Checksum8(const uint8_t* data, int length);
    // The device behind the transport is the virtual mouse (see IHidTransport::IsVirtualMouse).
    bool OnVirtualMouse() const { return m_transport && m_transport->IsVirtualMouse(); }

    int LastError() const { return m_lastError; }
    // How the last open of a path by this object ended: tells a node this user may not open from a
    // mouse that is gone or does not answer.
    HidStatus LastOpenStatus() const { return m_lastOpenStatus; }

    // One row of the controller family table.
    struct SFamily;

private:
    const SFamily* FindFamily(unsigned family) const;
    void ClearCommand();
    // Sends C4 0C n, which makes block n the one the data channel moves next.
    bool SelectBlock(unsigned n);
    void Settle();
    void Pause(uint32_t ms);
    // Opens the command path; sets the last error on failure.
    bool OpenCommandPath(std::unique_ptr<IHidDevice>& device);
    // Fetches an answer into the command buffer; true when a full report arrived.
    bool FetchAnswer();
    enum class PollResult { Matched, NoAnswer, Mismatch };
    PollResult PollAnswer(uint8_t echo, unsigned address);
    // Runs one data-channel transfer on a worker; false when the preconditions fail or the wait ran out.
    bool RunDataTransfer(bool get, std::vector<uint8_t>& data, HidStatus& outcome);

    std::shared_ptr<IHidTransport> m_transport;
    IClock& m_clock;
    ITransferWaiter& m_waiter;
    std::vector<SCell> m_image;
    std::array<uint8_t, kReportLength> m_command{};
    std::string m_path;
    int m_lastError = kErrLoaded;
    HidStatus m_lastOpenStatus = HidStatus::Ok;
    unsigned m_family = 0x2201;
    unsigned m_memorySize = 4032;
    bool m_settle = true;
    uint32_t m_readDelayMs = 0;
    uint32_t m_writeDelayMs = 0;
    std::vector<std::string> m_dataPaths;
    int m_selectedDataPath = 0;
    uint16_t m_dataVid = 0;
    uint16_t m_dataPid = 0;
    uint8_t m_reportId = 0;
    // The last firmware page report built, for the status poll's echo check.
    int m_lastPage = -1;
    uint8_t m_lastPageChecksum = 0;
};

}  // namespace vorlix
