#include "DeviceCommand.h"

#include "CtlMouse.h"

#include <cstdio>
#include <memory>
#include <ostream>

#include "device/HidClient.h"
#include "device/IcQT47.h"
#include "platform/MouseLock.h"
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
    mice.table.CreateDeviceTable(kAcceptedMice, kAcceptedMiceCount, kFamilyLowest, kFamilyHighest, true,
                                 false);
}

std::string ListLine(const CHidClient& table, int index) {
    char version[8];
    std::snprintf(version, sizeof version, "%x", table.GetDeviceVer(index));
    return std::to_string(index + 1) + "\t" + version + ": " + Utf16ToUtf8(table.GetDeviceName(index)) +
           "\t" + table.GetDevice(index);
}

// Takes "--mouse N" (1-based) out of the arguments into wanted (0 when not given); false after
// reporting bad usage: a bad number, --mouse given twice, or any other option.
bool TakeMouse(Invocation& call, int& wanted) {
    wanted = 0;
    std::vector<std::string> rest;
    for (size_t i = 0; i < call.args.size(); ++i) {
        const std::string& arg = call.args[i];
        long long number = 0;
        if (arg == "--mouse") {
            if (wanted != 0) {
                call.err << "vorlixctl: --mouse is given twice\n";
                return false;
            }
            if (i + 1 >= call.args.size() || !ParseNumber(call.args[i + 1], number) || number < 1 ||
                number > CHidClient::kTableSize) {
                call.err << "vorlixctl: --mouse needs a mouse number from 1 (see vorlixctl list)\n";
                return false;
            }
            wanted = static_cast<int>(number);
            ++i;
        } else if (arg.size() > 2 && arg.rfind("--", 0) == 0) {
            call.err << "vorlixctl: unknown option " << arg << "\n";
            return false;
        } else {
            rest.push_back(arg);
        }
    }
    call.args = rest;
    return true;
}

// Picks the mouse and opens its node once; false after reporting why not.
bool PickMouse(Invocation& call, SMice& mice, int wanted) {
    mice.index = ChooseMouse(call, mice.table, wanted);
    if (mice.index < 0) {
        return false;
    }
    // A node this user may not open is told apart at once, before the protocol's retries.
    if (!mice.table.Open(mice.index)) {
        call.err << "vorlixctl: " << mice.table.LastOpenErrorText() << "\n";
        return false;
    }
    return true;
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
        call.err
            << "vorlixctl: No Gamer Mouse Connected! (no mouse with the ids of this product was found)\n";
    }
    for (int i = 0; i < mice.table.GetRecognizedDevices(); ++i) {
        call.out << ListLine(mice.table, i) << "\n";
    }
    return kOk;
}

int RunDeviceInfo(Invocation& call) {
    int wanted = 0;
    if (!TakeMouse(call, wanted) || !call.args.empty()) {
        call.err << "usage: vorlixctl info [--mouse N]\n";
        return kUsage;
    }
    SMice mice;
    if (!PickMouse(call, mice, wanted)) {
        return kFailed;
    }
    SProtocol link(mice);
    const std::string path = mice.table.GetDevice(mice.index);
    const int signature = link.protocol.OpenDevice(path);
    if (!signature && link.protocol.LastError() == CIcQT47::kErrOpenFailed) {
        ReportMouseFailure(call, mice.table, link.protocol, "info");
        return kFailed;
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
    int wanted = 0;
    std::vector<long long> numbers;
    if (!TakeMouse(call, wanted) || !ParseArgs(call, 1, "read ADDR [--mouse N]", numbers)) {
        return kUsage;
    }
    SMice mice;
    if (!PickMouse(call, mice, wanted)) {
        return kFailed;
    }
    SProtocol link(mice);
    if (numbers[0] < 0 || numbers[0] >= link.protocol.MemorySize()) {
        call.err << "vorlixctl: the mouse's memory holds addresses 0 to " << link.protocol.MemorySize() - 1
                 << ", not " << numbers[0] << "\n";
        return kUsage;
    }
    const std::string path = mice.table.GetDevice(mice.index);
    link.protocol.SetDevicePath(path);
    int value = 0;
    if (!link.protocol.ReadByte(static_cast<unsigned>(numbers[0]), &value)) {
        ReportMouseFailure(call, mice.table, link.protocol, "read");
        return kFailed;
    }
    call.out << value << "\n";
    return kOk;
}

int RunDeviceWrite(Invocation& call) {
    int wanted = 0;
    std::vector<long long> numbers;
    if (!TakeMouse(call, wanted) || !ParseArgs(call, 2, "write ADDR VALUE [--mouse N]", numbers)) {
        return kUsage;
    }
    if (numbers[1] < 0 || numbers[1] > 255) {
        call.err << "vorlixctl: a value is one byte (0..255): " << numbers[1] << "\n";
        return kUsage;
    }
    if (ConfigurationProgramRunning(call)) {
        return kFailed;
    }
    SMice mice;
    if (!PickMouse(call, mice, wanted)) {
        return kFailed;
    }
    SProtocol link(mice);
    if (numbers[0] < 0 || numbers[0] >= link.protocol.MemorySize()) {
        call.err << "vorlixctl: the mouse's memory holds addresses 0 to " << link.protocol.MemorySize() - 1
                 << ", not " << numbers[0] << "\n";
        return kUsage;
    }
    const std::string path = mice.table.GetDevice(mice.index);
    CMouseLock lock(CSteadyClock::Instance());
    if (!LockMouse(call, lock, path)) {
        return kFailed;
    }
    link.protocol.SetDevicePath(path);
    if (!link.protocol.WriteByte(static_cast<unsigned>(numbers[0]), static_cast<int>(numbers[1]))) {
        ReportMouseFailure(call, mice.table, link.protocol, "write");
        return kFailed;
    }
    return kOk;
}

}  // namespace vorlix::ctl
