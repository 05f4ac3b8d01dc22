// vorlix-pointer: shows which desktop backend the programs use for the profile pointer settings, applies
// values by hand, and puts the desktop's own values (recorded before the first profile was applied)
// back.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/UserStore.h"
#include "platform/pointer/BaselineKeepingPointerSettings.h"
#include "platform/pointer/DesktopPointerSettings.h"
#include "shared/StoreNames.h"

namespace {

using namespace vorlix;

int Usage() {
    std::fprintf(
        stderr,
        "usage: vorlix-pointer show\n"
        "       vorlix-pointer apply SPEED DOUBLE_CLICK_MS WHEEL_LINES   (speed 1..20, lines 1..10 or page)\n"
        "       vorlix-pointer restore\n");
    return 2;
}

void PrintValue(const char* label, int32_t value, const char* unit = "") {
    if (value > 0) {
        std::printf("  %-14s %d%s\n", label, value, unit);
    } else {
        std::printf("  %-14s (not held by this desktop)\n", label);
    }
}

bool ParseInt(const char* text, int* value) {
    char* end = nullptr;
    const long n = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || n < -100000 || n > 100000) {
        return false;
    }
    *value = static_cast<int>(n);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return Usage();
    }
    const std::string command = argv[1];
    const SDesktopInfo info = SDesktopInfo::FromEnvironment();
    const EPointerDesktop desktop = ChoosePointerDesktop(info);
    std::unique_ptr<IPointerSettings> backend = CreateDesktopPointerSettings(info);

    if (command == "show" && argc == 2) {
        std::printf("desktop: %s\n",
                    backend ? PointerDesktopName(desktop) : "none (the store keeps the values)");
        SPointerValues now{0, 0, 0};
        if (backend && backend->Read(now)) {
            std::printf("current:\n");
            PrintValue("speed", now.speed);
            PrintValue("double-click", now.doubleClickMs, " ms");
            PrintValue("wheel lines", now.wheelLines);
        }
        CUserStore user;
        CRegStore& store = user.Store();
        if (store.ReadDword(store::kDesktopBaselineRecorded) == 1) {
            std::printf("desktop's own values, recorded before the first profile was applied:\n");
            PrintValue("speed", store.ReadDword(store::kDesktopBaselineSpeed));
            PrintValue("double-click", store.ReadDword(store::kDesktopBaselineDoubleClick), " ms");
            PrintValue("wheel lines", store.ReadDword(store::kDesktopBaselineWheelLines));
        } else {
            std::printf("no profile was applied to this desktop yet\n");
        }
        return 0;
    }
    if (!backend) {
        std::fprintf(stderr, "vorlix-pointer: no desktop backend fits this session\n");
        return 1;
    }
    CUserStore user;
    CBaselineKeepingPointerSettings settings(std::move(backend), user.Store());
    if (command == "apply" && argc == 5) {
        SPointerValues values;
        const bool page = std::strcmp(argv[4], "page") == 0;
        if (!ParseInt(argv[2], &values.speed) || !ParseInt(argv[3], &values.doubleClickMs) ||
            (!page && !ParseInt(argv[4], &values.wheelLines))) {
            return Usage();
        }
        if (page) {
            values.wheelLines = SPointerValues::kWheelPage;
        }
        if (!settings.Apply(values)) {
            std::fprintf(stderr,
                         "vorlix-pointer: the desktop did not take every value (VORLIX_TRACE=1 tells why)\n");
            return 1;
        }
        return 0;
    }
    if (command == "restore" && argc == 2) {
        if (!settings.HasBaseline()) {
            std::fprintf(stderr,
                         "vorlix-pointer: nothing recorded: no profile was applied to this desktop yet\n");
            return 1;
        }
        if (!settings.RestoreBaseline()) {
            std::fprintf(stderr,
                         "vorlix-pointer: the desktop did not take every value (VORLIX_TRACE=1 tells why)\n");
            return 1;
        }
        return 0;
    }
    return Usage();
}
