#include "DeviceCommand.h"

#include <cstdio>
#include <memory>
#include <ostream>

#include "device/HidClient.h"
#include "device/IcQT47.h"
#include "platform/hid/HidTransportFactory.h"
#include "shared/ProductIds.h"
#include "shared/SteadyClock.h"
#include "shared/Utf16.h"

namespace vorlix::ctl {

namespace {

// The mice the system's device-table form finds, and the one the command is about.
struct SMice {
    std::shared_ptr<IHidTransport> transport = CreateHidTransport();
    CHidClient table{transport};
    int index = -1;
};

void FindMice(SMice& mice) {
    const SUsbId accepted[] = {{kVendorId, kProductId}};
    mice.table.CreateDeviceTable(accepted, 1, kFamilyLowest, kFamilyHighest, true, false);
}

std::string ListLine(const CHidClient& table, int index) {
    char version[8];
    std::snprintf(version, sizeof version, "%x", table.GetDeviceVer(index));
    return std::to_string(index) + "\t" + version + ": " + Utf16ToUtf8(table.GetDeviceName(index)) + "\t" +
           table.GetDevice(index);
}

// Takes "--mouse INDEX" out of the arguments and picks the mouse; false after reporting why not.
bool PickMouse(Invocation& call, SMice& mice, int& status) {
    long long wanted = -1;
    for (size_t i = 0; i < call.args.size(); ++i) {
        if (call.args[i] == "--mouse") {
            if (i + 1 >= call.args.size() || !ParseNumber(call.args[i + 1], wanted) || wanted < 0) {
                call.err << "vorlixctl: --mouse needs an index\n";
                status = kUsage;
                return false;
            }
            call.args.erase(call.args.begin() + static_cast<long>(i),
                            call.args.begin() + static_cast<long>(i) + 2);
            break;
        }
    }
    FindMice(mice);
    const int count = mice.table.GetRecognizedDevices();
    status = kFailed;
    if (count == 0) {
        call.err << "vorlixctl: no mouse found\n";
        return false;
    }
    if (wanted >= count) {
        call.err << "vorlixctl: there is no mouse " << wanted << "; " << count << " found\n";
        return false;
    }
    if (wanted < 0 && count > 1) {
        call.err << "vorlixctl: " << count << " mice found; pick one with --mouse INDEX:\n";
        for (int i = 0; i < count; ++i) {
            call.err << ListLine(mice.table, i) << "\n";
        }
        return false;
    }
    mice.index = wanted < 0 ? 0 : static_cast<int>(wanted);
    // A node this user may not open is told apart at once, before the protocol's retries.
    if (!mice.table.Open(mice.index)) {
        call.err << "vorlixctl: " << mice.table.LastOpenErrorText() << "\n";
        return false;
    }
    return true;
}

// Why talking to the mouse failed, in the user's terms.
int ReportFailure(Invocation& call, const CIcQT47& protocol, const std::string& path, const char* what) {
    if (protocol.LastError() == CIcQT47::kErrOpenFailed) {
        call.err << "vorlixctl: cannot open the mouse at " << path << ": "
                 << HidStatusText(protocol.LastOpenStatus()) << "\n";
        if (protocol.LastOpenStatus() == HidStatus::PermissionDenied) {
            call.err << CHidClient::PermissionHint() + 1 << "\n";
        }
    } else {
        call.err << "vorlixctl: " << what << ": the mouse did not answer\n";
    }
    return kFailed;
}

struct SProtocol {
    CIcQT47 protocol;
    explicit SProtocol(const SMice& mice)
        : protocol(mice.transport, CSteadyClock::Instance(), CRealTransferWaiter::Instance()) {
        protocol.Reset();
        protocol.SetFamily(mice.table.GetDeviceVer(mice.index));
    }
};

bool ParseArgs(Invocation& call, size_t count, const char* usage, std::vector<long long>& numbers) {
    if (call.args.size() != count) {
        call.err << "usage: vorlixctl " << usage << "\n";
        return false;
    }
    for (const std::string& arg : call.args) {
        long long value = 0;
        if (!ParseNumber(arg, value)) {
            call.err << "vorlixctl: not a number: " << arg << "\n";
            return false;
        }
        numbers.push_back(value);
    }
    return true;
}

}  // namespace

int RunDeviceList(Invocation& call) {
    if (!call.args.empty()) {
        call.err << "usage: vorlixctl list\n";
        return kUsage;
    }
    SMice mice;
    FindMice(mice);
    if (mice.table.GetRecognizedDevices() == 0) {
        call.err << "vorlixctl: no mouse found\n";
    }
    for (int i = 0; i < mice.table.GetRecognizedDevices(); ++i) {
        call.out << ListLine(mice.table, i) << "\n";
    }
    return kOk;
}

int RunDeviceInfo(Invocation& call) {
    SMice mice;
    int status = kFailed;
    if (!PickMouse(call, mice, status)) {
        return status;
    }
    if (!call.args.empty()) {
        call.err << "usage: vorlixctl info [--mouse INDEX]\n";
        return kUsage;
    }
    SProtocol link(mice);
    const std::string path = mice.table.GetDevice(mice.index);
    const int signature = link.protocol.OpenDevice(path);
    if (!signature && link.protocol.LastError() == CIcQT47::kErrOpenFailed) {
        return ReportFailure(call, link.protocol, path, "info");
    }
    char family[16];
    std::snprintf(family, sizeof family, "0x%04x", mice.table.GetDeviceVer(mice.index));
    call.out << "family\t" << family << "\n";
    call.out << "signature\t" << (signature ? "ok" : "failed") << "\n";
    int mode = 0;
    unsigned version = 0;
    if (link.protocol.Identify(&mode, &version)) {
        call.out << "mode\t" << (mode == 1 ? "firmware" : "boot loader") << "\n";
        call.out << "version\t" << version << "\n";
    } else {
        call.out << "mode\tunknown (no answer to identify)\n";
    }
    return kOk;
}

int RunDeviceRead(Invocation& call) {
    SMice mice;
    int status = kFailed;
    if (!PickMouse(call, mice, status)) {
        return status;
    }
    std::vector<long long> numbers;
    if (!ParseArgs(call, 1, "read ADDR [--mouse INDEX]", numbers)) {
        return kUsage;
    }
    if (numbers[0] < 0 || numbers[0] > 0xFFFF) {
        call.err << "vorlixctl: address out of range (0..0xFFFF): " << numbers[0] << "\n";
        return kUsage;
    }
    SProtocol link(mice);
    const std::string path = mice.table.GetDevice(mice.index);
    link.protocol.SetDevicePath(path);
    int value = 0;
    if (!link.protocol.ReadByte(static_cast<unsigned>(numbers[0]), &value)) {
        return ReportFailure(call, link.protocol, path, "read");
    }
    call.out << value << "\n";
    return kOk;
}

int RunDeviceWrite(Invocation& call) {
    SMice mice;
    int status = kFailed;
    if (!PickMouse(call, mice, status)) {
        return status;
    }
    std::vector<long long> numbers;
    if (!ParseArgs(call, 2, "write ADDR VALUE [--mouse INDEX]", numbers)) {
        return kUsage;
    }
    if (numbers[0] < 0 || numbers[0] > 0xFFFF || numbers[0] % 0x8000 >= 0x4000) {
        call.err << "vorlixctl: address not writable: " << numbers[0] << "\n";
        return kUsage;
    }
    if (numbers[1] < 0 || numbers[1] > 255) {
        call.err << "vorlixctl: a value is one byte (0..255): " << numbers[1] << "\n";
        return kUsage;
    }
    SProtocol link(mice);
    const std::string path = mice.table.GetDevice(mice.index);
    link.protocol.SetDevicePath(path);
    if (!link.protocol.WriteByte(static_cast<unsigned>(numbers[0]), static_cast<int>(numbers[1]))) {
        return ReportFailure(call, link.protocol, path, "write");
    }
    return kOk;
}

}  // namespace vorlix::ctl
