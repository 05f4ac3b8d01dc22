// vorlix-virtual-mouse: a model of the mouse's firmware served on a local socket, so the programs and
// the tests can run without the mouse. Also the control commands that poke at a running one.
#include <signal.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/hid/virtual/SocketLine.h"
#include "platform/hid/virtual/VirtualMouseClient.h"
#include "virtualmouse/VirtualMouseSet.h"
#include "virtualmouse/socket/VirtualMouseServer.h"

namespace {

using namespace vorlix;

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

const char kHelp[] =
    "usage: vorlix-virtual-mouse [--socket PATH] COMMAND [ARGS] [OPTIONS]\n"
    "\n"
    "A virtual Vorlix Daze mouse for running the programs and tests without the real one. Programs use\n"
    "it instead of real HID when the environment variable VORLIX_VIRTUAL_MOUSE names its socket.\n"
    "--socket defaults to $VORLIX_VIRTUAL_MOUSE.\n"
    "\n"
    "commands:\n"
    "  serve [OPTIONS]        run the mice in the foreground until stopped (SIGINT or SIGTERM)\n"
    "  peek ADDR              print the byte at memory address ADDR in decimal\n"
    "  poke ADDR VALUE        set the byte at ADDR\n"
    "  unplug | plug          take the mice away / bring them back (removal and arrival events)\n"
    "  event KIND A B C       send vendor event report 3 with event KIND (0xA1..0xA5) and arguments\n"
    "  button 4|5             press and release side button 4 or 5\n"
    "  journal [--clear]      every command and data report the mouse received, oldest first, one line\n"
    "                         each as hex bytes (the latest 10000); --clear empties it after printing\n"
    "  script N               the script stored as number N (button + 19 x profile), as hex bytes\n"
    "  peek, poke, event, button, journal and script take --mouse INDEX (default 0).\n"
    "\n"
    "serve options:\n"
    "  --family ID            controller family id, the HID version number (default 0x2401)\n"
    "  --firmware N           firmware version the mouse identifies with (default 9)\n"
    "  --mice N               number of identical mice, differing only by path (default 1)\n"
    "  --product TEXT         product string (default \"Vorlix Daze Gaming Mouse\")\n"
    "  --busy N               busy answers (0xB1) before each answer (default 0)\n"
    "  --state FILE           keep the mice's memory in FILE across runs\n"
    "  --fault NAME           misbehave; may be repeated:\n"
    "                           drop        never answer (every answer reads 0xFF)\n"
    "                           wrong-echo  answer memory commands with another address\n"
    "                           hang        data-channel transfers never return\n"
    "                           unplug      the mice go away during the first data-channel transfer\n"
    "                           short       answers arrive cut short\n"
    "                           deny        opening refused: permission denied\n"
    "\n"
    "Numbers are decimal or 0x hexadecimal. Reports the mouse ignores (a wrong checksum, a block that\n"
    "was not selected) are logged on stderr.\n";

bool ParseNumber(const std::string& text, long& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    value = std::strtol(text.c_str(), &end, 0);
    return errno == 0 && end != nullptr && *end == '\0';
}

bool LoadState(const std::string& path, CVirtualMouseSet& mice) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return true;  // first run: factory memory
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() != kMouseMemorySize * static_cast<size_t>(mice.MouseCount())) {
        std::cerr << "vorlix-virtual-mouse: " << path << " does not fit " << mice.MouseCount()
                  << " mice; starting from factory memory\n";
        return true;
    }
    for (int i = 0; i < mice.MouseCount(); ++i) {
        const auto first = bytes.begin() + static_cast<long>(kMouseMemorySize) * i;
        mice.LoadMemory(i, std::vector<uint8_t>(first, first + static_cast<long>(kMouseMemorySize)));
    }
    return true;
}

void SaveState(const std::string& path, const CVirtualMouseSet& mice) {
    // Written beside and renamed over, so a crash never leaves half a memory image.
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        for (int i = 0; i < mice.MouseCount(); ++i) {
            const auto memory = mice.Memory(i);
            out.write(reinterpret_cast<const char*>(memory.data()),
                      static_cast<std::streamsize>(memory.size()));
        }
        if (!out) {
            std::cerr << "vorlix-virtual-mouse: cannot write " << temp << "\n";
            return;
        }
    }
    std::rename(temp.c_str(), path.c_str());
}

int Serve(const std::string& socketPath, const std::vector<std::string>& args) {
    SVirtualMouseOptions options;
    std::string statePath;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (i + 1 >= args.size()) {
            std::cerr << "vorlix-virtual-mouse: " << option << " needs a value\n";
            return kUsage;
        }
        const std::string& value = args[++i];
        long number = 0;
        const bool isNumber = ParseNumber(value, number);
        if (option == "--family" && isNumber && number > 0 && number <= 0xFFFF) {
            options.family = static_cast<uint16_t>(number);
        } else if (option == "--firmware" && isNumber && number >= 0 && number <= 255) {
            options.firmware = static_cast<uint8_t>(number);
        } else if (option == "--mice" && isNumber && number >= 1 && number <= 16) {
            options.mice = static_cast<int>(number);
        } else if (option == "--busy" && isNumber && number >= 0 && number <= 100) {
            options.busy = static_cast<int>(number);
        } else if (option == "--product") {
            options.product = value;
        } else if (option == "--state") {
            statePath = value;
        } else if (option == "--fault") {
            VirtualFault fault;
            if (!ParseVirtualFault(value, fault)) {
                std::cerr << "vorlix-virtual-mouse: unknown fault \"" << value << "\"\n";
                return kUsage;
            }
            options.faults.push_back(fault);
        } else {
            std::cerr << "vorlix-virtual-mouse: bad option " << option << " " << value << "\n";
            return kUsage;
        }
    }
    auto mice = std::make_shared<CVirtualMouseSet>(options);
    mice->SetLogSink([](const std::string& line) { std::cerr << "vorlix-virtual-mouse: " << line << "\n"; });
    if (!statePath.empty()) {
        LoadState(statePath, *mice);
        std::weak_ptr<CVirtualMouseSet> weak = mice;
        mice->SetMemoryObserver([weak, statePath] {
            if (auto alive = weak.lock()) {
                SaveState(statePath, *alive);
            }
        });
    }
    // Stop signals are taken synchronously by this thread; the server threads never see them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    CVirtualMouseServer server(mice, socketPath);
    std::string error;
    if (!server.Start(error)) {
        std::cerr << "vorlix-virtual-mouse: " << error << "\n";
        return kFailed;
    }
    std::cout << "vorlix-virtual-mouse: serving " << mice->MouseCount() << " mouse(s) of family 0x"
              << std::hex << options.family << std::dec << " on " << socketPath << std::endl;
    int signal = 0;
    sigwait(&stopSignals, &signal);
    server.Stop();
    if (!statePath.empty()) {
        SaveState(statePath, *mice);
    }
    std::cout << "vorlix-virtual-mouse: stopped" << std::endl;
    return kOk;
}

// Bytes as upper-case hex pairs separated by spaces: "00 C4 07 01".
std::string SpacedHex(const std::string& compact) {
    std::vector<uint8_t> bytes;
    if (!CSocketLine::FromHex(compact, bytes)) {
        return "?";
    }
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (uint8_t byte : bytes) {
        if (!text.empty()) {
            text.push_back(' ');
        }
        text.push_back(kDigits[byte >> 4]);
        text.push_back(kDigits[byte & 0xF]);
    }
    return text;
}

// journal: the answer line holds the count, then one line per report follows.
int Journal(const std::string& socketPath, long mouse, bool clear) {
    CSocketLine line;
    std::string answer;
    if (!line.Connect(socketPath) ||
        !line.Request("JOURNAL " + std::to_string(mouse) + (clear ? " 1" : " 0"), answer)) {
        std::cerr << "vorlix-virtual-mouse: no virtual mouse serves " << socketPath << "\n";
        return kFailed;
    }
    const auto head = CSocketLine::Split(answer);
    long count = 0;
    if (head.size() != 2 || head[0] != "OK" || !ParseNumber(head[1], count)) {
        std::cerr << "vorlix-virtual-mouse: journal refused (no such mouse)\n";
        return kFailed;
    }
    for (long i = 0; i < count; ++i) {
        std::string report;
        if (!line.Receive(report) || report.rfind("J ", 0) != 0) {
            std::cerr << "vorlix-virtual-mouse: the journal ended early\n";
            return kFailed;
        }
        std::cout << SpacedHex(report.substr(2)) << "\n";
    }
    return kOk;
}

int Control(const std::string& socketPath, const std::string& command, std::vector<std::string> args) {
    long mouse = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--mouse") {
            if (i + 1 >= args.size() || !ParseNumber(args[i + 1], mouse) || mouse < 0) {
                std::cerr << "vorlix-virtual-mouse: --mouse needs an index\n";
                return kUsage;
            }
            args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
            break;
        }
    }
    if (command == "journal") {
        if (args.size() > 1 || (args.size() == 1 && args[0] != "--clear")) {
            std::cerr << "vorlix-virtual-mouse: bad use of journal\n" << kHelp;
            return kUsage;
        }
        return Journal(socketPath, mouse, args.size() == 1);
    }
    std::vector<long> numbers;
    for (const std::string& arg : args) {
        long value = 0;
        if (!ParseNumber(arg, value)) {
            std::cerr << "vorlix-virtual-mouse: not a number: " << arg << "\n";
            return kUsage;
        }
        numbers.push_back(value);
    }
    const std::string m = std::to_string(mouse);
    std::string request;
    if (command == "peek" && numbers.size() == 1) {
        request = "PEEK " + m + " " + std::to_string(numbers[0]);
    } else if (command == "poke" && numbers.size() == 2) {
        request = "POKE " + m + " " + std::to_string(numbers[0]) + " " + std::to_string(numbers[1]);
    } else if (command == "unplug" && numbers.empty()) {
        request = "UNPLUG";
    } else if (command == "plug" && numbers.empty()) {
        request = "PLUG";
    } else if (command == "event" && numbers.size() >= 1 && numbers.size() <= 4) {
        numbers.resize(4, 0);
        request = "EVENT " + m;
        for (long value : numbers) {
            request += " " + std::to_string(value);
        }
    } else if (command == "button" && numbers.size() == 1) {
        request = "BUTTON " + m + " " + std::to_string(numbers[0]);
    } else if (command == "script" && numbers.size() == 1 && numbers[0] >= 0) {
        request = "SCRIPT " + m + " " + std::to_string(numbers[0]);
    } else {
        std::cerr << "vorlix-virtual-mouse: bad use of " << command << "\n" << kHelp;
        return kUsage;
    }
    CVirtualMouseClient client(socketPath);
    std::string answer;
    if (!client.Control(request, answer)) {
        std::cerr << "vorlix-virtual-mouse: no virtual mouse serves " << socketPath << "\n";
        return kFailed;
    }
    if (command == "script" && answer.rfind("OK", 0) != 0) {
        std::cerr << "vorlix-virtual-mouse: mouse " << mouse << " holds no script " << numbers[0] << "\n";
        return kFailed;
    }
    if (answer.rfind("OK", 0) != 0) {
        std::cerr << "vorlix-virtual-mouse: " << command
                  << " refused (unplugged, or no such mouse or address)\n";
        return kFailed;
    }
    if (command == "peek") {
        std::cout << answer.substr(3) << "\n";
    } else if (command == "script") {
        std::cout << SpacedHex(answer.substr(3)) << "\n";
    }
    return kOk;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string socketPath;
    if (const char* env = std::getenv("VORLIX_VIRTUAL_MOUSE")) {
        socketPath = env;
    }
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            std::cout << kHelp;
            return kOk;
        }
    }
    if (args.size() >= 2 && args[0] == "--socket") {
        socketPath = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() >= 2 && args[0] == "--mouse") {
        // --mouse may come before the command word too.
        args.push_back(args[0]);
        args.push_back(args[1]);
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty()) {
        std::cerr << kHelp;
        return kUsage;
    }
    if (socketPath.empty()) {
        std::cerr << "vorlix-virtual-mouse: no socket: give --socket PATH or set VORLIX_VIRTUAL_MOUSE\n";
        return kUsage;
    }
    const std::string command = args[0];
    args.erase(args.begin());
    if (command == "serve") {
        return Serve(socketPath, args);
    }
    return Control(socketPath, command, args);
}
