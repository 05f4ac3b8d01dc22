#include "SettingsCommand.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>

#include "CtlFiles.h"
#include "CtlMouse.h"
#include "CtlTexts.h"
#include "device/HidClient.h"
#include "device/IcQT47.h"
#include "device/TransferWait.h"
#include "lang/TextTables.h"
#include "macro/MacroLibrary.h"
#include "macro/platform/PosixMacroFileSystem.h"
#include "platform/DatagramPoster.h"
#include "platform/MouseLock.h"
#include "platform/UserPaths.h"
#include "platform/UserStore.h"
#include "platform/hid/HidTransportFactory.h"
#include "settings/ButtonCatalogue.h"
#include "settings/DeviceSession.h"
#include "settings/QuietSessionOwner.h"
#include "settings/Sensitivity.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsMap.h"
#include "settings/SettingsTransfer.h"
#include "shared/RegStore.h"
#include "shared/SteadyClock.h"
#include "shared/StoreNames.h"
#include "shared/Utf16.h"

namespace vorlix::ctl {

namespace {

constexpr int kMsgNoLeftButton = 10;
// An export is a few tens of kilobytes; one with a full macro on every button stays below this.
constexpr size_t kMaxSettingsFile = 1 << 20;

// Message n of the message table in the user's language.
std::string MessageText(int number) {
    return Utf16ToUtf8(UserTextTables().Text(ETextTable::Message, number));
}

// The session's owner for one command: no window, no timers that ever fire, the mouse chosen by
// --mouse when several are attached.
class CCtlOwner final : public CQuietSessionOwner {
public:
    explicit CCtlOwner(std::ostream& err) : m_err(err) {}
    void ShowMessage(int number) override { m_err << "vorlixctl: " << MessageText(number) << "\n"; }
    int ChooseMouse(const std::vector<std::u16string>& lines) override {
        // The mouse was chosen (and locked) before connecting; the table is the same one.
        if (m_mouse >= 0 && m_mouse < static_cast<int>(lines.size())) {
            // As a user picking the line would: the chosen mouse lights up, then goes dark at OK.
            if (session != nullptr) {
                session->SelectionChanged(m_mouse);
            }
            return m_mouse;
        }
        return -1;
    }
    CDeviceSession* session = nullptr;
    int m_mouse = -1;  // table index of the mouse chosen for the command

private:
    std::ostream& m_err;
};

// Everything a command needs to talk to the mouse, connected and loaded.
struct SMouse {
    SMouse(std::ostream& err, const std::string& runtimeDir)
        : lock(clock),
          transport(CreateHidTransport()),
          hid(transport),
          device(transport, clock, CRealTransferWaiter::Instance()),
          poster(runtimeDir),
          owner(err),
          session(owner, hid, device, user.Store(), poster, clock) {
        owner.session = &session;
    }
    ~SMouse() { session.Close(); }

    CSteadyClock clock;
    // Held from before the first read to after the last write; released after the session closed.
    CMouseLock lock;
    std::shared_ptr<IHidTransport> transport;
    CHidClient hid;
    CIcQT47 device;
    CUserStore user;
    CDatagramPoster poster;
    CCtlOwner owner;
    CDeviceSession session;
};

// The arguments of one command after the common options were taken out.
struct SArgs {
    std::vector<std::string> words;
    int mouse = 0;  // --mouse N, from 1; 0 when not given
    bool json = false;
    std::optional<std::string> program;
};

// Which options a command takes besides --mouse.
enum EOptions { kMouseOnly = 0, kJson = 1, kProgram = 2 };

// Takes the options out of the arguments. An option the command does not take, or one given twice, is
// refused: a typing error must not run a different command than the one meant.
bool ParseArgs(Invocation& call, SArgs& args, int options = kMouseOnly) {
    bool mouseGiven = false;
    for (size_t i = 0; i < call.args.size(); ++i) {
        const std::string& arg = call.args[i];
        const bool known = arg == "--mouse" || (arg == "--json" && (options & kJson) != 0) ||
                           (arg == "--program" && (options & kProgram) != 0);
        if (!known) {
            if (arg.size() > 2 && arg.rfind("--", 0) == 0) {
                call.err << "vorlixctl: unknown option " << arg << "\n";
                return false;
            }
            args.words.push_back(arg);
            continue;
        }
        if ((arg == "--mouse" && mouseGiven) || (arg == "--json" && args.json) ||
            (arg == "--program" && args.program)) {
            call.err << "vorlixctl: " << arg << " is given twice\n";
            return false;
        }
        if (arg == "--json") {
            args.json = true;
            continue;
        }
        if (i + 1 >= call.args.size()) {
            call.err << "vorlixctl: " << arg << " needs a value\n";
            return false;
        }
        const std::string& value = call.args[++i];
        long long number = 0;
        if (arg == "--program") {
            args.program = value;
        } else if (ParseNumber(value, number) && number >= 1 && number <= CHidClient::kTableSize) {
            args.mouse = static_cast<int>(number);
            mouseGiven = true;
        } else {
            call.err << "vorlixctl: --mouse needs a mouse number from 1 (see vorlixctl list)\n";
            return false;
        }
    }
    return true;
}

// A number the user gives, within low..high.
bool Number(Invocation& call, const std::string& text, const char* what, int low, int high, int& value) {
    long long number = 0;
    if (!ParseNumber(text, number) || number < low || number > high) {
        call.err << "vorlixctl: " << what << " must be a number from " << low << " to " << high << ", not \""
                 << text << "\"\n";
        return false;
    }
    value = static_cast<int>(number);
    return true;
}

bool Usage(Invocation& call, const char* usage) {
    call.err << "usage: vorlixctl " << usage << "\n";
    return false;
}

// Chooses the mouse, takes its lock, connects and loads its settings; null after saying why.
std::unique_ptr<SMouse> Connect(Invocation& call, const SArgs& args) {
    std::string error;
    auto mouse = std::make_unique<SMouse>(call.err, CUserPaths::RuntimeDir(&error));
    const int index = ChooseMouse(call, mouse->hid, args.mouse);
    if (index < 0) {
        return nullptr;
    }
    const std::string path = mouse->hid.GetDevice(index);
    if (!LockMouse(call, mouse->lock, path)) {
        return nullptr;
    }
    mouse->owner.m_mouse = index;
    mouse->session.Connect();
    if (!mouse->session.Connected()) {
        ReportMouseFailure(call, mouse->hid, mouse->device, "cannot connect to the mouse");
        return nullptr;
    }
    if (mouse->device.DevicePath() != path) {
        call.err << "vorlixctl: the attached mice changed while connecting; run the command again\n";
        return nullptr;
    }
    if (!mouse->session.Ready()) {
        ReportMouseFailure(call, mouse->hid, mouse->device, "cannot read the mouse's settings");
        return nullptr;
    }
    return mouse;
}

// Reads the profiles back and compares them with what was written: the mouse gives no answer to a
// block it ignored, so success is only reported for blocks it holds.
int VerifyProfiles(Invocation& call, SMouse& mouse, int first, int last) {
    for (int p = first; p <= last; ++p) {
        std::array<int, map::kBlockUsed> written{};
        for (int k = 0; k < map::kBlockUsed; ++k) {
            written[static_cast<size_t>(k)] = mouse.device.Cell(map::BlockBase(p) + k).value & 0xFF;
        }
        bool same = mouse.device.ReadProfileBlock(static_cast<unsigned>(p)) != 0;
        for (int k = 0; k < map::kBlockUsed && same; ++k) {
            same = (mouse.device.Cell(map::BlockBase(p) + k).value & 0xFF) == written[static_cast<size_t>(k)];
        }
        if (!same) {
            call.err << "vorlixctl: profile " << p + 1
                     << " was sent, but the mouse does not hold it; run the command again\n";
            return kFailed;
        }
    }
    return kOk;
}

std::string JsonText(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::optional<std::string> StoreText(CRegStore& store, const std::string& name) {
    std::u16string text;
    if (!store.ReadText(name, text)) {
        return std::nullopt;
    }
    return Utf16ToUtf8(text);
}

// One button as dump shows it.
struct SButtonView {
    std::string function = "none";
    int kind = 0;
    std::optional<std::string> macroName;
    std::optional<std::string> program;
    std::optional<std::string> programName;
};

SButtonView ViewButton(SMouse& mouse, int profile, int button) {
    SButtonView view;
    CButtonCatalogue catalogue(mouse.device, &mouse.user.Store());
    const int index = catalogue.SlotIndex(button, profile);
    if (index >= 0) {
        view.function = CButtonCatalogue::Table()[static_cast<size_t>(index)].name;
    }
    view.kind = CSettingsMap(mouse.device).SlotKind(profile, button);
    if (view.kind == CButtonCatalogue::kKindMacro) {
        view.macroName = StoreText(mouse.user.Store(), store::ButtonMacroName(profile, button + 1));
    } else if (view.kind == CButtonCatalogue::kKindLauncher) {
        view.program = StoreText(mouse.user.Store(), store::ButtonProgram(profile, button + 1));
        view.programName = StoreText(mouse.user.Store(), store::ButtonProgramName(profile, button + 1));
    }
    return view;
}

std::string ProfileSummary(SMouse& mouse, int profile) {
    const CSettingsMap settings(mouse.device);
    const SSensitivityScale scale = SSensitivityScale::ForVariant(mouse.session.Variant());
    std::ostringstream out;
    out << "report rate " << settings.ReportRateHz(profile) << " Hz, lift-off " << settings.LiftOff(profile)
        << ", level " << settings.ActiveLevel(profile) + 1 << ", DPI";
    for (int level = 0; level < map::kEditedLevels; ++level) {
        out << " " << scale.DeviceToDpi(settings.ShownLevelValue(profile, level));
    }
    return out.str();
}

void DumpText(std::ostream& out, SMouse& mouse) {
    const CSettingsMap settings(mouse.device);
    const SSensitivityScale scale = SSensitivityScale::ForVariant(mouse.session.Variant());
    char family[8];
    std::snprintf(family, sizeof family, "%04x", mouse.device.Family());
    out << "mouse family 0x" << family << ", active profile " << mouse.session.ActiveProfile() + 1 << " of "
        << settings.ProfileCount() << "\n";
    for (int p = 0; p < map::kProfiles; ++p) {
        out << "\nprofile " << p + 1 << (p == mouse.session.ActiveProfile() ? " (active)" : "") << "\n";
        out << "  report rate " << settings.ReportRateHz(p) << " Hz\n";
        out << "  lift-off    " << settings.LiftOff(p) << "\n";
        out << "  level       " << settings.ActiveLevel(p) + 1 << "\n";
        for (int level = 0; level < map::kEditedLevels; ++level) {
            const int shown = settings.ShownLevelValue(p, level);
            out << "  level " << level + 1 << "     " << scale.DeviceToDpi(shown) << " DPI (x "
                << settings.LevelX(p, level) << ", y " << settings.LevelY(p, level) << ")\n";
        }
        for (int z = 0; z < map::kLedRecords; ++z) {
            const auto colour = settings.LedColour(p, z);
            out << "  led " << z + 1 << "       mode " << settings.LedMode(p, z) << ", rgb " << colour[0]
                << " " << colour[1] << " " << colour[2] << "\n";
        }
        for (int b = 0; b < map::kButtons; ++b) {
            const SButtonView view = ViewButton(mouse, p, b);
            out << "  button " << b + 1 << "    " << view.function;
            if (view.macroName) {
                out << " \"" << *view.macroName << "\"";
            }
            if (view.program) {
                out << " " << *view.program;
            }
            out << "\n";
        }
    }
}

void DumpJson(std::ostream& out, SMouse& mouse) {
    const CSettingsMap settings(mouse.device);
    const SSensitivityScale scale = SSensitivityScale::ForVariant(mouse.session.Variant());
    const auto optional = [](const std::optional<std::string>& text) {
        return text ? JsonText(*text) : std::string("null");
    };
    out << "{\n  \"family\": " << mouse.device.Family()
        << ",\n  \"active_profile\": " << mouse.session.ActiveProfile() + 1
        << ",\n  \"profile_count\": " << settings.ProfileCount() << ",\n  \"profiles\": [";
    for (int p = 0; p < map::kProfiles; ++p) {
        out << (p ? "," : "") << "\n    {\"profile\": " << p + 1
            << ", \"report_rate_hz\": " << settings.ReportRateHz(p)
            << ", \"lift_off\": " << settings.LiftOff(p)
            << ", \"active_level\": " << settings.ActiveLevel(p) + 1 << ",\n     \"levels\": [";
        for (int level = 0; level < map::kEditedLevels; ++level) {
            out << (level ? ", " : "") << "{\"level\": " << level + 1
                << ", \"x\": " << settings.LevelX(p, level) << ", \"y\": " << settings.LevelY(p, level)
                << ", \"dpi\": " << scale.DeviceToDpi(settings.ShownLevelValue(p, level)) << "}";
        }
        out << "],\n     \"leds\": [";
        for (int z = 0; z < map::kLedRecords; ++z) {
            const auto colour = settings.LedColour(p, z);
            out << (z ? ", " : "") << "{\"record\": " << z + 1 << ", \"mode\": " << settings.LedMode(p, z)
                << ", \"rgb\": [" << colour[0] << ", " << colour[1] << ", " << colour[2] << "]}";
        }
        out << "],\n     \"buttons\": [";
        for (int b = 0; b < map::kButtons; ++b) {
            const SButtonView view = ViewButton(mouse, p, b);
            out << (b ? "," : "") << "\n       {\"button\": " << b + 1
                << ", \"function\": " << JsonText(view.function) << ", \"kind\": " << view.kind
                << ", \"macro_name\": " << optional(view.macroName)
                << ", \"program\": " << optional(view.program)
                << ", \"program_name\": " << optional(view.programName) << "}";
        }
        out << "]}";
    }
    out << "\n  ]\n}\n";
}

// Runs a change on the connected mouse. Refused while the configuration program runs: its next save
// would write its own, older image over the change.
template <typename Change>
int ChangeConnectedMouse(Invocation& call, const SArgs& args, Change change) {
    if (ConfigurationProgramRunning(call)) {
        return kFailed;
    }
    auto mouse = Connect(call, args);
    if (!mouse) {
        return kFailed;
    }
    return change(*mouse);
}

// Runs a change to one profile: connect, edit, write that profile's block and put it into effect.
template <typename Edit>
int ChangeProfile(Invocation& call, const SArgs& args, int profile, Edit edit) {
    return ChangeConnectedMouse(call, args, [&](SMouse& mouse) {
        const int status = edit(mouse);
        if (status != kOk) {
            return status;
        }
        if (!mouse.session.SaveProfile(profile)) {
            ReportMouseFailure(call, mouse.hid, mouse.device, "profile " + std::to_string(profile + 1));
            return kFailed;
        }
        return VerifyProfiles(call, mouse, profile, profile);
    });
}

// "P" arguments: 1..5 on the command line, 0..4 inside.
bool ProfileArg(Invocation& call, const std::string& text, int& profile) {
    if (!Number(call, text, "the profile", 1, map::kProfiles, profile)) {
        return false;
    }
    --profile;
    return true;
}

}  // namespace

int RunDumpCommand(Invocation& call) {
    SArgs args;
    if (!ParseArgs(call, args, kJson) || !args.words.empty()) {
        Usage(call, "dump [--json] [--mouse N]");
        return kUsage;
    }
    auto mouse = Connect(call, args);
    if (!mouse) {
        return kFailed;
    }
    if (args.json) {
        DumpJson(call.out, *mouse);
    } else {
        DumpText(call.out, *mouse);
    }
    return kOk;
}

int RunProfileCommand(Invocation& call) {
    SArgs args;
    int profile = 0;
    if (!ParseArgs(call, args) || args.words.size() != 1 || !ProfileArg(call, args.words[0], profile)) {
        Usage(call, "profile P");
        return kUsage;
    }
    return ChangeConnectedMouse(call, args, [&](SMouse& mouse) {
        if (!mouse.session.SwitchProfile(profile)) {
            call.err << "vorlixctl: the mouse allows profiles 1 to "
                     << CSettingsMap(mouse.device).ProfileCount() << " only\n";
            return kFailed;
        }
        return kOk;
    });
}

int RunRateCommand(Invocation& call) {
    SArgs args;
    int profile = 0;
    int hz = 0;
    if (!ParseArgs(call, args) || args.words.size() != 2 || !ProfileArg(call, args.words[0], profile) ||
        !Number(call, args.words[1], "the report rate", 125, 1000, hz)) {
        Usage(call, "rate P 125|250|500|1000");
        return kUsage;
    }
    if (CSettingsMap::ValidReportRate(hz) == false) {
        call.err << "vorlixctl: the report rate is one of 125, 250, 500 and 1000 Hz\n";
        return kUsage;
    }
    return ChangeProfile(call, args, profile, [&](SMouse& mouse) {
        CSettingsMap(mouse.device).SetReportRateHz(profile, hz);
        return kOk;
    });
}

int RunLiftOffCommand(Invocation& call) {
    SArgs args;
    int profile = 0;
    int value = 0;
    if (!ParseArgs(call, args) || args.words.size() != 2 || !ProfileArg(call, args.words[0], profile) ||
        !Number(call, args.words[1], "the lift-off value", 0, 31, value)) {
        Usage(call, "liftoff P 0..31");
        return kUsage;
    }
    return ChangeProfile(call, args, profile, [&](SMouse& mouse) {
        CSettingsMap(mouse.device).SetLiftOff(profile, value);
        return kOk;
    });
}

int RunLevelCommand(Invocation& call) {
    SArgs args;
    int profile = 0;
    int level = 0;
    if (!ParseArgs(call, args) || args.words.size() != 2 || !ProfileArg(call, args.words[0], profile) ||
        !Number(call, args.words[1], "the level", 1, map::kEditedLevels, level)) {
        Usage(call, "level P 1..4");
        return kUsage;
    }
    return ChangeProfile(call, args, profile, [&](SMouse& mouse) {
        CSettingsMap(mouse.device).SetActiveLevel(profile, level - 1);
        return kOk;
    });
}

int RunDpiCommand(Invocation& call) {
    SArgs args;
    int profile = 0;
    int level = 0;
    int dpi = 0;
    if (!ParseArgs(call, args) || args.words.size() != 3 || !ProfileArg(call, args.words[0], profile) ||
        !Number(call, args.words[1], "the level", 1, map::kEditedLevels, level) ||
        !Number(call, args.words[2], "the DPI", 1, 1000000, dpi)) {
        Usage(call, "dpi P 1..4 DPI");
        return kUsage;
    }
    return ChangeProfile(call, args, profile, [&](SMouse& mouse) {
        const SSensitivityScale scale = SSensitivityScale::ForVariant(mouse.session.Variant());
        const int value = scale.DpiToDevice(dpi);
        CSettingsMap(mouse.device).SetLevelValue(profile, level - 1, value);
        call.out << "profile " << profile + 1 << " level " << level << ": " << scale.DeviceToDpi(value)
                 << " DPI (device value " << value << ")\n";
        return kOk;
    });
}

int RunLedCommand(Invocation& call) {
    SArgs args;
    int profile = 0;
    int record = 0;
    int rgb[3] = {};
    const char* names[] = {"red", "green", "blue"};
    bool ok = ParseArgs(call, args) && args.words.size() == 5 && ProfileArg(call, args.words[0], profile) &&
              Number(call, args.words[1], "the LED record", 1, map::kLedRecords, record);
    for (int c = 0; ok && c < 3; ++c) {
        ok = Number(call, args.words[static_cast<size_t>(2 + c)], names[c], 0, 255, rgb[c]);
    }
    if (!ok) {
        Usage(call, "led P 1..4 R G B");
        return kUsage;
    }
    return ChangeProfile(call, args, profile, [&](SMouse& mouse) {
        CSettingsMap(mouse.device).SetLedColour(profile, record - 1, rgb[0], rgb[1], rgb[2]);
        return kOk;
    });
}

int RunButtonCommand(Invocation& call) {
    SArgs args;
    int profile = 0;
    int button = 0;
    if (!ParseArgs(call, args, kProgram) || args.words.size() < 3 ||
        !ProfileArg(call, args.words[0], profile) ||
        !Number(call, args.words[1], "the button", 1, map::kButtons, button)) {
        Usage(call, "button P 1..8 NAME [--program PATH]");
        return kUsage;
    }
    --button;
    std::string name = args.words[2];
    for (size_t i = 3; i < args.words.size(); ++i) {
        name += " " + args.words[i];
    }
    const int index = CButtonCatalogue::FindByName(name);
    if (index < 0) {
        call.err << "vorlixctl: no button function \"" << name << "\"; the functions are:";
        for (const ButtonFunction& entry : CButtonCatalogue::Table()) {
            call.err << " \"" << entry.name << "\"";
        }
        call.err << "\n";
        return kUsage;
    }
    if (index == CButtonCatalogue::kMacroKey) {
        call.err << "vorlixctl: a macro key needs its macro: bind one with \"vorlixctl macro bind "
                 << profile + 1 << " " << button + 1
                 << " NAME\", which writes the script and the button together\n";
        return kUsage;
    }
    if ((index == CButtonCatalogue::kLaunch) != args.program.has_value()) {
        call.err << "vorlixctl: "
                 << (args.program ? "--program belongs to LAUNCH only" : "LAUNCH needs --program PATH")
                 << "\n";
        return kUsage;
    }
    std::u16string program;
    std::u16string programName;
    if (args.program && args.program->empty()) {
        call.err << "vorlixctl: --program needs the path of a program\n";
        return kUsage;
    }
    if (args.program && !IsUtf8(*args.program)) {
        call.err << "vorlixctl: the program path is not valid UTF-8; the store keeps texts as Unicode\n";
        return kUsage;
    }
    if (args.program) {
        std::error_code ignored;
        const std::filesystem::path path = std::filesystem::absolute(*args.program, ignored);
        program = Utf8ToUtf16(path.string());
        programName = Utf8ToUtf16(path.stem().string());
        if (program.size() > CRegStore::kMaxTextLength) {
            call.err << "vorlixctl: the program path is longer than " << CRegStore::kMaxTextLength
                     << " characters\n";
            return kUsage;
        }
    }
    return ChangeProfile(call, args, profile, [&](SMouse& mouse) {
        CButtonCatalogue catalogue(mouse.device, &mouse.user.Store());
        if (!catalogue.AssignFunction(button, profile, index, false)) {
            call.err << "vorlixctl: " << MessageText(kMsgNoLeftButton)
                     << " (another button must keep the left click first)\n";
            return kFailed;
        }
        // The program goes into the store before the button into the mouse: a launch button without
        // its program would start nothing.
        CRegStore& store = mouse.user.Store();
        if (args.program && (!store.WriteText(store::ButtonProgram(profile, button + 1), program) ||
                             !store.WriteText(store::ButtonProgramName(profile, button + 1), programName))) {
            call.err << "vorlixctl: cannot store the program: " << store.LastErrorText()
                     << "; the mouse was not changed\n";
            return kFailed;
        }
        catalogue.AssignFunction(button, profile, index, true);
        return kOk;
    });
}

int RunDefaultCommand(Invocation& call) {
    SArgs args;
    int profile = 0;
    int button = 0;
    if (!ParseArgs(call, args) || args.words.size() != 2 || !ProfileArg(call, args.words[0], profile) ||
        !Number(call, args.words[1], "the button", 1, map::kButtons, button)) {
        Usage(call, "default P 1..8");
        return kUsage;
    }
    return ChangeProfile(call, args, profile, [&](SMouse& mouse) {
        if (!mouse.session.DefaultButtonFunction(profile, button - 1)) {
            call.err << "vorlixctl: " << MessageText(kMsgNoLeftButton)
                     << " (another button must keep the left click first)\n";
            return kFailed;
        }
        return kOk;
    });
}

int RunResetCommand(Invocation& call) {
    SArgs args;
    int profile = 0;
    if (!ParseArgs(call, args) || args.words.size() != 1 || !ProfileArg(call, args.words[0], profile)) {
        Usage(call, "reset P");
        return kUsage;
    }
    return ChangeConnectedMouse(call, args, [&](SMouse& mouse) {
        if (!mouse.session.ResetProfile(profile)) {
            ReportMouseFailure(call, mouse.hid, mouse.device, "profile " + std::to_string(profile + 1));
            return kFailed;
        }
        return VerifyProfiles(call, mouse, profile, profile);
    });
}

int RunExportCommand(Invocation& call) {
    SArgs args;
    if (!ParseArgs(call, args) || args.words.size() != 1) {
        Usage(call, "export FILE|-");
        return kUsage;
    }
    auto mouse = Connect(call, args);
    if (!mouse) {
        return kFailed;
    }
    CMacroTableTexts texts = CtlTexts(call.err);
    CPosixMacroFileSystem files;
    CMacroLibrary library(files, texts, CPosixMacroFileSystem::LibraryFolder());
    SSettingsSnapshot snapshot;
    std::string error;
    if (!CSettingsTransfer(mouse->session, library, texts).Export(snapshot, error)) {
        call.err << "vorlixctl: " << error << "\n";
        return kFailed;
    }
    std::array<std::string, map::kProfiles> notes;
    for (int p = 0; p < map::kProfiles; ++p) {
        notes[static_cast<size_t>(p)] = ProfileSummary(*mouse, p);
    }
    const std::string file = CSettingsFile::Format(snapshot, notes);
    const std::string& target = args.words[0];
    if (target == "-") {
        // Whether it reached its reader is checked when the output is flushed and closed.
        call.out << file;
        return kOk;
    }
    return WriteOutputFile(call, target, file) ? kOk : kFailed;
}

int RunImportCommand(Invocation& call) {
    SArgs args;
    if (!ParseArgs(call, args) || args.words.size() != 1) {
        Usage(call, "import FILE|-");
        return kUsage;
    }
    const std::string& source = args.words[0];
    std::string text;
    if (!ReadInputFile(call, source, kMaxSettingsFile, text)) {
        return kFailed;
    }
    SSettingsSnapshot snapshot;
    std::string error;
    if (!CSettingsFile::Parse(text, snapshot, error)) {
        call.err << "vorlixctl: " << source << ": " << error << "; the mouse was not changed\n";
        return kFailed;
    }
    return ChangeConnectedMouse(call, args, [&](SMouse& mouse) {
        CMacroTableTexts texts = CtlTexts(call.err);
        CPosixMacroFileSystem files;
        CMacroLibrary library(files, texts, CPosixMacroFileSystem::LibraryFolder());
        if (!CSettingsTransfer(mouse.session, library, texts).Import(snapshot, error)) {
            call.err << "vorlixctl: " << source << ": " << error << "\n";
            return kFailed;
        }
        return VerifyProfiles(call, mouse, 0, map::kProfiles - 1);
    });
}

int ChangeMouse(Invocation& call, int mouseNumber, const std::function<int(CDeviceSession&)>& change) {
    SArgs args;
    args.mouse = mouseNumber;
    return ChangeConnectedMouse(call, args, [&](SMouse& mouse) { return change(mouse.session); });
}

bool TakeMouseOption(Invocation& call, std::vector<std::string>& words, int& mouseNumber) {
    SArgs args;
    // The command's own options stay among the words for it to parse.
    std::vector<std::string> mouseOnly;
    std::vector<std::string> rest;
    for (size_t i = 0; i < words.size(); ++i) {
        if (words[i] == "--mouse") {
            mouseOnly.push_back(words[i]);
            if (i + 1 < words.size()) {
                mouseOnly.push_back(words[++i]);
            }
        } else {
            rest.push_back(words[i]);
        }
    }
    Invocation scan{mouseOnly, call.out, call.err};
    if (!ParseArgs(scan, args)) {
        return false;
    }
    words = rest;
    mouseNumber = args.mouse;
    return true;
}

}  // namespace vorlix::ctl
