#include "IcQT47.h"

#include <algorithm>
#include <thread>

#include "InterfaceRules.h"

namespace vorlix {

// One row of the controller family table. Ids first..last share every column.
struct CIcQT47::SFamily {
    uint16_t first;
    uint16_t last;
    unsigned memorySize;
    uint32_t delayMs;    // read and write delay around data-channel transfers
    unsigned blockStep;  // profile block base = blockStep * (n + blockSkip); 0 = no blocks
    unsigned blockSkip;
    unsigned lastBlock;
    unsigned blockReportLength;
    unsigned blockDataLength;
    bool hasSignature;
    int signatureAddress1;
    uint8_t signatureValue1;
    int signatureAddress2;
    uint8_t signatureValue2;
};

namespace {

using F = CIcQT47;
// clang-format off
const F::SFamily kFamilies[] = {
    {0x2200, 0x2202, 4032, 0, 256, 1, 9, 154, 149, true, 4030, 0x46, 4031, 0x22},
    {0x2300, 0x2302, 4032, 0, 256, 1, 9, 132, 127, true, 4030, 0x46, 4031, 0x23},
    {0x2401, 0x2401, 4032, 0, 256, 1, 9, 154, 149, true, 4030, 0x46, 4031, 0x22},
    {0x2402, 0x2402, 4032, 0, 256, 1, 9, 154, 149, false, 0, 0, 0, 0},
    {0x2403, 0x2403, 4032, 0, 256, 1, 9, 154, 149, true, 4030, 0x46, 4031, 0x22},
    {0x2800, 0x2801, 4032, 0, 256, 1, 9, 81, 107, true, 4030, 0x46, 4031, 0x28},
    {0x2600, 0x2601, 8192, 0, 128, 2, 4, 86, 81, false, 0, 0, 0, 0},
    {0x2700, 0x2700, 8192, 0, 0, 0, 0, 154, 0, false, 0, 0, 0, 0},
    {0x2901, 0x2901, 8192, 0, 128, 2, 4, 68, 63, true, 238, 0x6D, 239, 0x29},
    {0x2902, 0x2902, 8192, 0, 0, 0, 0, 0, 0, true, 238, 0x6D, 239, 0x29},
    {0x3300, 0x3301, 8192, 0, 0, 0, 0, 0, 0, false, 0, 0, 0, 0},
    {0x3100, 0x3100, 16384, 200, 128, 2, 4, 78, 73, false, 0, 0, 0, 0},
    {0x3101, 0x3101, 16384, 200, 128, 2, 4, 78, 73, true, 238, 0x6D, 239, 0x29},
    {0x3200, 0x3200, 16384, 200, 128, 2, 4, 68, 63, false, 0, 0, 0, 0},
    {0x3201, 0x3201, 16384, 200, 128, 2, 4, 68, 63, true, 238, 0x6D, 239, 0x29},
    {0x3400, 0x3401, 16384, 200, 128, 2, 4, 78, 73, false, 0, 0, 0, 0},
};
// clang-format on

constexpr unsigned kResetFamily = 0x2201;
constexpr unsigned kResetMemorySize = 4032;
constexpr int kAttempts = 10;
constexpr int kPolls = 10;
constexpr size_t kLongScriptImage = 2048;
constexpr size_t kShortScriptImage = 240;
constexpr size_t kLongScriptReport = 2053;
constexpr size_t kShortScriptReport = 245;

bool HasShortScripts(unsigned family) {
    return (family >> 8) == 0x31 || (family >> 8) == 0x32;
}

// What a data-channel worker and its caller share. The worker gets its own copies of the path and the
// data and never reaches the protocol object, so a worker abandoned after the wait touches only this.
struct SDataTransfer {
    STransferSync sync;
    std::vector<uint8_t> data;
    size_t received = 0;
    HidStatus status = HidStatus::IoFailed;
};

}  // namespace

CIcQT47::CIcQT47(std::shared_ptr<IHidTransport> transport, IClock& clock, ITransferWaiter& waiter)
    : m_transport(std::move(transport)), m_clock(clock), m_waiter(waiter), m_image(kImageCells) {
    m_lastError = m_transport ? kErrLoaded : 0;
}

CIcQT47::~CIcQT47() = default;

const CIcQT47::SFamily* CIcQT47::FindFamily(unsigned family) const {
    for (const SFamily& row : kFamilies) {
        if (row.first <= family && family <= row.last) {
            return &row;
        }
    }
    return nullptr;
}

const SCell& CIcQT47::Cell(int address) const {
    static const SCell kNone;
    if (address < 0 || static_cast<size_t>(address) >= kImageCells) {
        return kNone;
    }
    return m_image[static_cast<size_t>(address)];
}

SCell& CIcQT47::CellRef(int address) {
    static SCell scratch;
    if (address < 0 || static_cast<size_t>(address) >= kImageCells) {
        scratch = SCell{};
        return scratch;
    }
    return m_image[static_cast<size_t>(address)];
}

void CIcQT47::AdoptCell(int address, int value) {
    if (address < 0 || static_cast<size_t>(address) >= kImageCells) {
        return;
    }
    SCell& cell = m_image[static_cast<size_t>(address)];
    cell.value = value;
    cell.valid = 1;
    cell.changed = 0;
}

bool CIcQT47::Holds(int address, int value) const {
    const SCell& cell = Cell(address);
    return cell.valid && !cell.changed && (cell.value & 0xFF) == (value & 0xFF);
}

int CIcQT47::SetCell(int address, int value) {
    if (address < 0 || static_cast<size_t>(address) >= kImageCells) {
        return 0;
    }
    SCell& cell = m_image[static_cast<size_t>(address)];
    if (cell.value != value) {
        cell.value = value;
        cell.changed = 1;
        return 1;
    }
    if (cell.valid) {
        return cell.changed;
    }
    cell.changed = 1;
    return 1;
}

void CIcQT47::Reset() {
    m_path.clear();
    m_lastError = 0;
    for (size_t i = 0; i < kResetMemorySize; ++i) {
        m_image[i] = SCell{};
    }
    m_family = kResetFamily;
    m_memorySize = kResetMemorySize;
    m_settle = true;
    m_readDelayMs = 0;
    m_writeDelayMs = 0;
    m_reportId = 0;
    m_command.fill(0);
}

int CIcQT47::SetFamily(unsigned family) {
    const SFamily* row = FindFamily(family);
    if (row == nullptr) {
        return 0;
    }
    m_memorySize = row->memorySize;
    m_readDelayMs = row->delayMs;
    m_writeDelayMs = row->delayMs;
    m_settle = true;
    m_family = family;
    return 1;
}

int CIcQT47::SetDevicePath(const std::string& path) {
    if (path.empty()) {
        m_lastError = kErrEmptyPath;
        m_path.clear();
        return 0;
    }
    // The whole path is kept: a cut one would name another device, or none.
    m_path = path;
    return 1;
}

int CIcQT47::OpenDevice(const std::string& path) {
    if (!SetDevicePath(path)) {
        return 0;
    }
    std::unique_ptr<IHidDevice> device;
    if (!OpenCommandPath(device)) {
        m_lastError = kErrOpenFailed;
        m_path.clear();
        return 0;
    }
    device.reset();
    return VerifySignature();
}

int CIcQT47::VerifySignature() {
    const SFamily* row = FindFamily(m_family);
    if (row == nullptr || !row->hasSignature) {
        return 0;
    }
    int value = 0;
    if (!ReadByteVerified(row->signatureAddress1, &value) || value != row->signatureValue1) {
        return 0;
    }
    if (!ReadByteVerified(row->signatureAddress2, &value) || value != row->signatureValue2) {
        return 0;
    }
    return 1;
}

unsigned CIcQT47::BlockBase(unsigned n) const {
    const SFamily* row = FindFamily(m_family);
    if (row == nullptr || row->blockStep == 0 || n > row->lastBlock) {
        return 0;
    }
    return row->blockStep * (n + row->blockSkip);
}

unsigned CIcQT47::BlockReportLength(unsigned family) const {
    const SFamily* row = FindFamily(family == 0 ? m_family : family);
    return row ? row->blockReportLength : 0;
}

unsigned CIcQT47::BlockDataLength(unsigned family) const {
    const SFamily* row = FindFamily(family == 0 ? m_family : family);
    return row ? row->blockDataLength : 0;
}

size_t CIcQT47::ScriptImageSize() const {
    return HasShortScripts(m_family) ? kShortScriptImage : kLongScriptImage;
}

void CIcQT47::ClearCommand() {
    // Operand bytes a command leaves unfilled go out as zeros, never as the last exchange's leftovers.
    m_command.fill(0);
    m_command[0] = m_reportId;
}

void CIcQT47::Pause(uint32_t ms) {
    if (ms > 0) {
        m_clock.SleepMs(ms);
    }
}

void CIcQT47::Settle() {
    if (m_settle) {
        Pause(kSettleMs);
    }
}

bool CIcQT47::OpenCommandPath(std::unique_ptr<IHidDevice>& device) {
    if (m_path.empty()) {
        m_lastError = kErrNoPath;
        return false;
    }
    if (!m_transport) {
        m_lastError = kErrOpenFailed;
        m_lastOpenStatus = HidStatus::NotFound;
        return false;
    }
    m_lastOpenStatus = m_transport->Open(m_path, device);
    if (m_lastOpenStatus != HidStatus::Ok || !device) {
        if (m_lastOpenStatus == HidStatus::Ok) {
            m_lastOpenStatus = HidStatus::IoFailed;
        }
        device.reset();
        m_lastError = kErrOpenFailed;
        return false;
    }
    return true;
}

int CIcQT47::SetCommandReport() {
    std::unique_ptr<IHidDevice> device;
    if (!OpenCommandPath(device)) {
        return 0;
    }
    if (device->SetFeature(m_command.data(), kReportLength) != HidStatus::Ok) {
        device.reset();
        m_lastError = kErrSetFailed;
        Pause(kRetryMs);
        return 0;
    }
    return 1;
}

int CIcQT47::GetCommandReport() {
    std::unique_ptr<IHidDevice> device;
    if (!OpenCommandPath(device)) {
        return 0;
    }
    size_t received = 0;
    // A short answer is a failed one: what it lacks would otherwise be read from the request.
    if (device->GetFeature(m_command.data(), kReportLength, received) != HidStatus::Ok ||
        received < kReportLength) {
        device.reset();
        m_lastError = kErrGetFailed;
        Pause(kRetryMs);
        return 0;
    }
    return 1;
}

CIcQT47::PollResult CIcQT47::PollAnswer(uint8_t echo, unsigned address) {
    const uint8_t low = static_cast<uint8_t>(address & 0xFF);
    const uint8_t high = static_cast<uint8_t>((address >> 8) & 0xFF);
    for (int poll = 0; poll < kPolls; ++poll) {
        m_command.fill(kNoAnswer);
        m_command[0] = m_reportId;
        if (!GetCommandReport()) {
            Pause(kPollMs);
            return PollResult::NoAnswer;
        }
        const uint8_t status = m_command[1];
        if (status == kBusy || status == kNoAnswer) {
            Pause(kPollMs);
            continue;
        }
        if (status == kDone && m_command[2] == echo && m_command[3] == low && m_command[4] == high) {
            return PollResult::Matched;
        }
        return PollResult::Mismatch;
    }
    return PollResult::NoAnswer;
}

int CIcQT47::ReadByte(unsigned address, int* value) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (attempt > 0) {
            Pause(kRetryMs);
        }
        ClearCommand();
        m_command[1] = kCmdReadByte;
        m_command[2] = static_cast<uint8_t>(address & 0xFF);
        m_command[3] = static_cast<uint8_t>((address >> 8) & 0xFF);
        const bool sent = SetCommandReport() != 0;
        Settle();
        if (!sent) {
            continue;
        }
        switch (PollAnswer(kEchoRead, address)) {
            case PollResult::Matched:
                if (value != nullptr) {
                    *value = m_command[5];
                }
                return 1;
            case PollResult::Mismatch:
                return 0;
            case PollResult::NoAnswer:
                break;
        }
    }
    return 0;
}

int CIcQT47::ReadByteVerified(int address, int* value) {
    if (address < 0) {
        return 0;
    }
    for (int pass = 0; pass < kAttempts; ++pass) {
        int first = 0;
        int second = 0;
        if (ReadByte(static_cast<unsigned>(address), &first) &&
            ReadByte(static_cast<unsigned>(address), &second) && first == second) {
            if (value != nullptr) {
                *value = first;
            }
            return 1;
        }
    }
    return 0;
}

int CIcQT47::WriteByte(unsigned address, int value) {
    if (address % 0x8000 >= 0x4000) {
        return 0;
    }
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        ClearCommand();
        m_command[1] = kCmdWriteByte;
        m_command[2] = static_cast<uint8_t>(address & 0xFF);
        m_command[3] = static_cast<uint8_t>((address >> 8) & 0xFF);
        m_command[4] = static_cast<uint8_t>(value & 0xFF);
        const bool sent = SetCommandReport() != 0;
        Settle();
        if (!sent) {
            continue;
        }
        switch (PollAnswer(kEchoWrite, address)) {
            case PollResult::Matched:
                AdoptCell(static_cast<int>(address), value);
                return 1;
            case PollResult::Mismatch:
                return 0;
            case PollResult::NoAnswer:
                break;
        }
    }
    // A write the mouse only ever called busy was never confirmed: it has not been done.
    return 0;
}

int CIcQT47::SendControl(int a, int b, int c) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        ClearCommand();
        m_command[1] = kCmdControl;
        m_command[2] = static_cast<uint8_t>(a);
        m_command[3] = static_cast<uint8_t>(b);
        m_command[4] = static_cast<uint8_t>(c);
        if (SetCommandReport()) {
            return 1;
        }
        Pause(kRetryMs);
    }
    return 0;
}

int CIcQT47::SendCommand(int reportId, int code, int b2, int b3, int b4, int b5) {
    m_command = {static_cast<uint8_t>(reportId != 0 ? reportId : m_reportId),
                 static_cast<uint8_t>(code),
                 static_cast<uint8_t>(b2),
                 static_cast<uint8_t>(b3),
                 static_cast<uint8_t>(b4),
                 static_cast<uint8_t>(b5),
                 0,
                 0,
                 0};
    return SetCommandReport();
}

int CIcQT47::SendEffect(int kind, int operand, int value) {
    return SendCommand(0, kCmdControl, kCtlEffect, kind, operand, value);
}

int CIcQT47::ApplySettings() {
    for (int pass = 0; pass < kAttempts; ++pass) {
        const int sent = SendControl(kCtlApply, 0, 0);
        Pause(kApplyPassMs);
        if (sent) {
            return 1;
        }
    }
    return 0;
}

int CIcQT47::Identify(int* mode, unsigned* version) {
    if (m_family < 0x2200 || mode == nullptr || version == nullptr) {
        return 0;
    }
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        ClearCommand();
        m_command[1] = kCmdControl;
        m_command[2] = kCtlIdentify;
        SetCommandReport();
        Settle();
        ClearCommand();
        const bool answered = GetCommandReport() != 0;
        Settle();
        if (answered && m_command[1] == kDone) {
            if (m_command[2] == 0x55 && m_command[3] == 0xAA) {
                if (m_command[4] >= 128) {
                    return 0;
                }
                *mode = 1;
                *version = m_command[4];
                return 1;
            }
            if (m_command[2] == 0x3C && m_command[3] == 0xC3) {
                *mode = 0;
                *version = m_command[4];
                return 1;
            }
        }
        Pause(kRetryMs);
    }
    return 0;
}

int CIcQT47::FindDataInterfaces(uint16_t vid, uint16_t pid) {
    if (!m_transport) {
        return 0;
    }
    m_dataPaths.clear();
    struct SProbe {
        STransferSync sync;
        std::vector<HidInterfaceInfo> found;
        HidStatus status = HidStatus::IoFailed;
    };
    auto probe = std::make_shared<SProbe>();
    std::thread([transport = m_transport, probe] {
        CWorkerScope scope(&probe->sync);
        std::vector<HidInterfaceInfo> found;
        const HidStatus status = transport->Enumerate(found);
        std::lock_guard lock(probe->sync.mutex);
        probe->found = std::move(found);
        probe->status = status;
        probe->sync.done = true;
        probe->sync.changed.notify_all();
    }).detach();
    if (!m_waiter.Wait(probe->sync, kProbeWaitMs)) {
        return 0;
    }
    std::lock_guard lock(probe->sync.mutex);
    if (probe->status != HidStatus::Ok) {
        return 0;
    }
    std::string commandDevice;
    for (const HidInterfaceInfo& info : probe->found) {
        if (!m_path.empty() && info.path == m_path) {
            commandDevice = info.device;
        }
    }
    int examined = 0;
    int sameDevice = -1;
    for (const HidInterfaceInfo& info : probe->found) {
        if (examined++ >= kMaxDataPaths + 1 || static_cast<int>(m_dataPaths.size()) >= kMaxDataPaths) {
            break;
        }
        if (info.vendorId == vid && info.productId == pid && HasDataChannel(info)) {
            if (sameDevice < 0 && !commandDevice.empty() && info.device == commandDevice) {
                sameDevice = static_cast<int>(m_dataPaths.size());
            }
            m_dataPaths.push_back(info.path);
        }
    }
    if (m_dataPaths.empty()) {
        return 0;
    }
    m_dataVid = vid;
    m_dataPid = pid;
    // With several identical mice the first data channel may belong to another one than the command
    // path: blocks and scripts would land in the wrong mouse. Take the one of the same device.
    m_selectedDataPath = sameDevice >= 0 ? sameDevice : 0;
    return 1;
}

const std::string* CIcQT47::DataPath(int index) const {
    if (index < 0 || index >= DataPathCount()) {
        return nullptr;
    }
    return &m_dataPaths[static_cast<size_t>(index)];
}

bool CIcQT47::RunDataTransfer(bool get, std::vector<uint8_t>& data, HidStatus& outcome) {
    const int count = DataPathCount();
    if (count < 1 || count > kMaxDataPaths || m_selectedDataPath < 0 || m_selectedDataPath >= count ||
        m_dataPaths[static_cast<size_t>(m_selectedDataPath)].empty() || data.empty() || !m_transport) {
        return false;
    }
    auto transfer = std::make_shared<SDataTransfer>();
    transfer->data = data;
    std::thread([transport = m_transport, path = m_dataPaths[static_cast<size_t>(m_selectedDataPath)], get,
                 transfer] {
        CWorkerScope scope(&transfer->sync);
        std::vector<uint8_t> buffer = transfer->data;
        size_t received = 0;
        std::unique_ptr<IHidDevice> device;
        HidStatus status = transport->Open(path, device);
        if (status == HidStatus::Ok && device) {
            status = get ? device->GetFeature(buffer.data(), buffer.size(), received)
                         : device->SetFeature(buffer.data(), buffer.size());
        } else if (status == HidStatus::Ok) {
            status = HidStatus::IoFailed;
        }
        device.reset();
        std::lock_guard lock(transfer->sync.mutex);
        transfer->data = std::move(buffer);
        transfer->received = received;
        transfer->status = status;
        transfer->sync.done = true;
        transfer->sync.changed.notify_all();
    }).detach();
    if (!m_waiter.Wait(transfer->sync, kDataTransferWaitMs)) {
        outcome = HidStatus::TimedOut;
        return false;
    }
    std::lock_guard lock(transfer->sync.mutex);
    outcome = transfer->status;
    if (get) {
        data = transfer->data;
        if (transfer->received < data.size()) {
            outcome = outcome == HidStatus::Ok ? HidStatus::IoFailed : outcome;
        }
    }
    return true;
}

int CIcQT47::SendDataReport(const void* buffer, int length) {
    if (buffer == nullptr || length <= 0) {
        return 0;
    }
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    std::vector<uint8_t> data(bytes, bytes + length);
    HidStatus outcome = HidStatus::IoFailed;
    // Success is the transfer's own outcome: a report the mouse refused was not sent.
    return RunDataTransfer(false, data, outcome) && outcome == HidStatus::Ok ? 1 : 0;
}

int CIcQT47::GetDataReport(int selector, uint8_t* buffer, int length) {
    if (buffer == nullptr || length <= 1) {
        return 0;
    }
    std::vector<uint8_t> data(static_cast<size_t>(length));
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::fill(data.begin(), data.end(), 0);
        data[0] = static_cast<uint8_t>(selector);
        HidStatus outcome = HidStatus::IoFailed;
        if (!RunDataTransfer(true, data, outcome)) {
            return 0;
        }
        if (outcome == HidStatus::Ok && data[0] == kDone && data[1] == static_cast<uint8_t>(selector)) {
            std::copy(data.begin(), data.end(), buffer);
            return 1;
        }
        Pause(kDataRetryMs);
    }
    return 0;
}

bool CIcQT47::SelectBlock(unsigned n) {
    ClearCommand();
    m_command[1] = kCmdControl;
    m_command[2] = kCtlSelectBlock;
    m_command[3] = static_cast<uint8_t>(n);
    if (!SetCommandReport()) {
        return false;
    }
    Settle();
    return true;
}

int CIcQT47::ReadProfileBlock(unsigned n) {
    const unsigned base = BlockBase(n);
    const unsigned length = BlockReportLength();
    if (n > 4 || base == 0 || length < 6 || base + (length - 5) > kImageCells) {
        return 0;
    }
    if (!SelectBlock(n)) {
        return 0;
    }
    Pause(m_readDelayMs);
    std::vector<uint8_t> report(length);
    if (!GetDataReport(kBlockReport, report.data(), static_cast<int>(length))) {
        return 0;
    }
    if (report[0] != kDone || report[1] != kBlockReport || report[2] != n) {
        return 0;
    }
    for (unsigned i = 4; i + 1 < length; ++i) {
        AdoptCell(static_cast<int>(base + i - 4), report[i]);
    }
    return 1;
}

int CIcQT47::WriteProfileBlock(unsigned n) {
    const unsigned base = BlockBase(n);
    const unsigned length = BlockReportLength();
    const unsigned scan = BlockDataLength();
    if (n > 9 || base == 0 || length < 6 || base + std::max(scan, length - 5) > kImageCells) {
        return 0;
    }
    bool anyChanged = false;
    for (unsigned i = 0; i < scan && !anyChanged; ++i) {
        anyChanged = m_image[base + i].changed != 0;
    }
    if (!anyChanged) {
        return 1;
    }
    if (!SelectBlock(n)) {
        return 0;
    }
    const unsigned cells = length - 5;
    std::vector<uint8_t> report(length, 0);
    report[0] = kBlockReport;
    report[2] = static_cast<uint8_t>(n);
    for (unsigned i = 0; i < cells; ++i) {
        report[4 + i] = static_cast<uint8_t>(m_image[base + i].value & 0xFF);
    }
    report[3] = Checksum8(report.data() + 4, static_cast<int>(cells));
    const int sent = SendDataReport(report.data(), static_cast<int>(length));
    if (sent) {
        for (unsigned i = 0; i < cells; ++i) {
            m_image[base + i].valid = 1;
            m_image[base + i].changed = 0;
        }
    }
    Pause(m_writeDelayMs);
    return sent;
}

int CIcQT47::WriteScript(unsigned number, const uint8_t* image, size_t imageSize) {
    const size_t size = ScriptImageSize();
    if (number >= 256 || image == nullptr || imageSize < size) {
        return 0;
    }
    ClearCommand();
    m_command[1] = kCmdControl;
    m_command[2] = kCtlScript;
    m_command[3] = static_cast<uint8_t>(number);
    m_command[4] = 1;
    if (!SetCommandReport()) {
        return 0;
    }
    Pause(kScriptMs);
    // Families with short scripts other than 0x31xx still use the long report; the bytes past the
    // image are sent as zeros.
    const size_t reportLength = (m_family >> 8) == 0x31 ? kShortScriptReport : kLongScriptReport;
    std::vector<uint8_t> report(reportLength, 0);
    report[0] = kScriptReport;
    report[1] = static_cast<uint8_t>(size / 256);
    report[2] = static_cast<uint8_t>(number);
    report[3] = Checksum8(image, static_cast<int>(size));
    std::copy(image, image + size, report.begin() + 4);
    const int sent = SendDataReport(report.data(), static_cast<int>(reportLength));
    Pause(m_writeDelayMs);
    return sent;
}

int CIcQT47::FirmwareImageSize() const {
    switch (m_family >> 8) {
        case 0x27:
        case 0x29:
        case 0x31:
        case 0x32:
        case 0x33:
        case 0x34:
            return 0x6000;
        default:
            return kFirmwareBufferSize;
    }
}

int CIcQT47::QueryUpdateState(int* ready) {
    if (ready == nullptr) {
        return 0;
    }
    // These controllers take pages without being asked first.
    if ((m_family >> 8) == 0x27 || m_family == 0x3300) {
        *ready = 1;
        return 1;
    }
    if (!FindDataInterfaces(m_dataVid, m_dataPid) || !SendEffect(0xFF, 0, 0)) {
        return 0;
    }
    Pause(kSettleMs);
    m_command.fill(0x01);
    m_command[0] = m_reportId;
    if (!GetCommandReport()) {
        return 0;
    }
    if (m_command[0] != m_reportId || m_command[1] != kDone || m_command[2] != 0x0A ||
        m_command[6] != m_command[4]) {
        return 0;
    }
    *ready = m_command[3] == 1 && m_command[6] == 16 && m_command[7] == 16 ? 1 : 0;
    return 1;
}

int CIcQT47::SealFirmwareImage(uint8_t* image) const {
    if (image == nullptr) {
        return 0;
    }
    const int size = FirmwareImageSize();
    const int pages = size / kFirmwarePageSize;
    unsigned sum = 0;
    for (int i = 0; i + 1 < pages; ++i) {
        sum += image[kFirmwarePageSize * i + kFirmwarePageSize - 1];
    }
    image[size - 2] = static_cast<uint8_t>(0x100 - (sum & 0xFF));
    return 1;
}

int CIcQT47::WriteFirmwarePage(int page, const uint8_t* data) {
    const int lastPage = m_family > 0x25FF ? 62 : 15;
    if (data == nullptr || page < 0 || page > lastPage) {
        return 0;
    }
    std::vector<uint8_t> report(kFirmwareReportLength, 0);
    report[0] = kFirmwareReport;
    report[1] = kFirmwarePageSize / 256;
    report[2] = static_cast<uint8_t>(page);
    report[3] = Checksum8(data, kFirmwarePageSize);
    std::copy(data, data + kFirmwarePageSize, report.begin() + 4);
    m_lastPage = page;
    m_lastPageChecksum = report[3];
    return SendDataReport(report.data(), kFirmwareReportLength);
}

int CIcQT47::PollStatus(uint8_t* status) {
    if (status == nullptr) {
        return 0;
    }
    m_command.fill(kNoAnswer);
    m_command[0] = m_reportId;
    if (!GetCommandReport()) {
        return 0;
    }
    if (m_command[0] != m_reportId || m_command[1] < kDone || m_command[1] > kStatusAccepted) {
        return 0;
    }
    if (m_command[2] == 0x0A &&
        (m_command[3] != static_cast<uint8_t>(m_lastPage) || m_command[4] != m_lastPageChecksum)) {
        return 0;
    }
    *status = m_command[1];
    return 1;
}

uint8_t CIcQT47::Checksum8(const uint8_t* data, int length) {
    if (data == nullptr) {
        return 0;
    }
    unsigned sum = 0;
    for (int i = 0; i < length; ++i) {
        sum += data[i];
    }
    return static_cast<uint8_t>(0x100 - (sum & 0xFF));
}

}  // namespace vorlix
