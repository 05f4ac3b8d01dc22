#include "ProbeCommand.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <ostream>

#include "platform/DatagramEndpoint.h"
#include "platform/DatagramPoster.h"
#include "platform/UserPaths.h"
#include "platform/UserStore.h"
#include "shared/Messages.h"
#include "shared/StoreNames.h"

namespace vorlix::ctl {

namespace {

constexpr const char* kPostUsage =
    "usage: vorlixctl post NAME show|close|command ID|osd KIND VALUE|device KIND VALUE\n";
constexpr const char* kListenUsage = "usage: vorlixctl osd-listen [--timeout SECONDS]\n";

// A 32-bit message word: 0..0xFFFFFFFF, or a negative number as its two's complement (-1 = 0xFFFFFFFF).
bool ParseWord(const std::string& text, uint32_t& word) {
    long long value = 0;
    if (!ParseNumber(text, value) || value < INT32_MIN || value > UINT32_MAX) {
        return false;
    }
    word = static_cast<uint32_t>(value);
    return true;
}

std::optional<PostedMessage> ParsePost(const std::vector<std::string>& args) {
    if (args.size() < 2) {
        return std::nullopt;
    }
    const std::string& verb = args[1];
    const size_t operands = args.size() - 2;
    PostedMessage message;
    if (verb == "show" && operands == 0) {
        return PostedMessage{msg::kCommand, msg::kShowCommandId, 0};
    }
    if (verb == "close" && operands == 0) {
        return PostedMessage{msg::kClose, 0, 0};
    }
    long long id = 0;
    if (verb == "command" && operands == 1 && ParseNumber(args[2], id) && id >= 0 && id <= 0xFFFF) {
        return PostedMessage{msg::kCommand, static_cast<uint32_t>(id), 0};
    }
    if ((verb == "osd" || verb == "device") && operands == 2 && ParseWord(args[2], message.wParam) &&
        ParseWord(args[3], message.lParam)) {
        message.message = verb == "osd" ? msg::kOsdNotice : msg::kDeviceNotice;
        return message;
    }
    return std::nullopt;
}

// The value stored under a name, read as it is: ReadDword would write a value into a store that does
// not exist yet.
std::optional<StoreValue> ReadRaw(IStoreBackend& backend, const std::string& name) {
    if (backend.Open() != StoreStatus::Ok) {
        return std::nullopt;
    }
    StoreValue value;
    const StoreStatus status = backend.Get(name, value);
    backend.Close();
    if (status != StoreStatus::Ok) {
        return std::nullopt;
    }
    return value;
}

std::string RuntimeDirOrReport(Invocation& call) {
    std::string error;
    std::string dir = CUserPaths::RuntimeDir(&error);
    if (dir.empty()) {
        call.err << "vorlixctl: no private runtime folder: " << error << "\n";
    }
    return dir;
}

}  // namespace

int RunPostCommand(Invocation& call) {
    const std::optional<PostedMessage> message = ParsePost(call.args);
    if (!message) {
        call.err << kPostUsage;
        return kUsage;
    }
    const std::string& name = call.args[0];
    CUserStore user;
    const std::optional<StoreValue> stored = ReadRaw(user.Backend(), name);
    if (!stored || stored->type != StoreValueType::Dword || stored->bytes.size() > 4) {
        call.err << "vorlixctl: the store holds no handle named \"" << name << "\"\n";
        return kFailed;
    }
    const uint32_t handle = stored->AsDword();
    const std::string runtimeDir = RuntimeDirOrReport(call);
    if (runtimeDir.empty()) {
        return kFailed;
    }
    CDatagramPoster poster(runtimeDir);
    if (!store::IsWindowHandle(static_cast<int32_t>(handle)) || !poster.IsWindow(handle)) {
        call.err << "vorlixctl: \"" << name << "\" (" << static_cast<int32_t>(handle)
                 << ") names no live endpoint\n";
        return kFailed;
    }
    if (!poster.Post(handle, message->message, message->wParam, message->lParam)) {
        call.err << "vorlixctl: the endpoint of \"" << name << "\" took no message\n";
        return kFailed;
    }
    return kOk;
}

int RunOsdListenCommand(Invocation& call) {
    std::optional<double> timeoutSeconds;
    const auto& args = call.args;
    if (args.size() == 2 && args[0] == "--timeout") {
        char* end = nullptr;
        const double seconds = std::strtod(args[1].c_str(), &end);
        if (end == args[1].c_str() || *end != '\0' || !std::isfinite(seconds) || seconds < 0 ||
            seconds > 1e7) {
            call.err << kListenUsage;
            return kUsage;
        }
        timeoutSeconds = seconds;
    } else if (!args.empty()) {
        call.err << kListenUsage;
        return kUsage;
    }

    const std::string runtimeDir = RuntimeDirOrReport(call);
    if (runtimeDir.empty()) {
        return kFailed;
    }
    CDatagramEndpoint endpoint;
    std::string error;
    if (!endpoint.Create(runtimeDir, &error)) {
        call.err << "vorlixctl: cannot create an endpoint: " << error << "\n";
        return kFailed;
    }
    // Stop signals arrive as readable data beside the endpoint, so the handle is always put back.
    sigset_t stops;
    sigemptyset(&stops);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaddset(&stops, signal);
    }
    sigset_t oldMask;
    sigprocmask(SIG_BLOCK, &stops, &oldMask);
    const int signals = signalfd(-1, &stops, SFD_CLOEXEC | SFD_NONBLOCK);
    if (signals < 0) {
        sigprocmask(SIG_SETMASK, &oldMask, nullptr);
        call.err << "vorlixctl: cannot watch for stop signals\n";
        return kFailed;
    }

    CUserStore user;
    const std::optional<StoreValue> previous = ReadRaw(user.Backend(), store::kOsdHandle);
    if (user.Store().WriteDword(store::kOsdHandle, endpoint.Id()) != 1) {
        call.err << "vorlixctl: cannot publish \"OSD Handle\": " << user.Store().LastErrorText() << "\n";
        ::close(signals);
        sigprocmask(SIG_SETMASK, &oldMask, nullptr);
        return kFailed;
    }
    call.err << "vorlixctl: listening as \"OSD Handle\" " << static_cast<int32_t>(endpoint.Id()) << std::endl;

    using Clock = std::chrono::steady_clock;
    const std::optional<Clock::time_point> deadline =
        timeoutSeconds ? std::optional(Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                                          std::chrono::duration<double>(*timeoutSeconds)))
                       : std::nullopt;
    bool running = true;
    int status = kOk;
    while (running) {
        int waitMs = -1;
        if (deadline) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now()).count();
            if (left <= 0) {
                break;
            }
            waitMs = static_cast<int>(std::min<long long>(left, 60 * 60 * 1000));
        }
        pollfd watched[2] = {{endpoint.Fd(), POLLIN, 0}, {signals, POLLIN, 0}};
        if (::poll(watched, 2, waitMs) < 0 && errno != EINTR) {
            status = kFailed;
            break;
        }
        if (watched[1].revents != 0) {
            // Taken, so it does not strike again when the mask is restored.
            signalfd_siginfo taken{};
            while (::read(signals, &taken, sizeof taken) == static_cast<ssize_t>(sizeof taken)) {
            }
            break;
        }
        while (const std::optional<PostedMessage> message = endpoint.Receive()) {
            if (message->message == msg::kOsdNotice) {
                call.out << message->wParam << '\t' << message->lParam << std::endl;
                if (!call.out) {
                    running = false;  // nobody reads any more
                    status = kFailed;
                    break;
                }
            } else if (message->message == msg::kClose) {
                running = false;
                break;
            }
        }
    }

    // Put the earlier handle back, unless another window has published itself meanwhile.
    IStoreBackend& backend = user.Backend();
    if (backend.Open() == StoreStatus::Ok) {
        StoreValue now;
        if (backend.Get(store::kOsdHandle, now) == StoreStatus::Ok && now.type == StoreValueType::Dword &&
            now.AsDword() == endpoint.Id()) {
            if (previous) {
                backend.Put(store::kOsdHandle, *previous);
            } else {
                backend.Remove(store::kOsdHandle);
            }
        }
        backend.Close();
    }
    endpoint.Destroy();
    ::close(signals);
    sigprocmask(SIG_SETMASK, &oldMask, nullptr);
    return status;
}

}  // namespace vorlix::ctl
