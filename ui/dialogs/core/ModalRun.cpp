#include "ui/dialogs/core/ModalRun.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace vorlix {

namespace {

bool EnvSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

}  // namespace

bool UnattendedByEnvironment() {
    if (std::getenv("VORLIX_UNATTENDED") != nullptr) {
        return true;
    }
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr) {
        const std::string_view name(platform);
        if (name.starts_with("offscreen") || name.starts_with("minimal")) {
            return true;
        }
    }
    return !EnvSet("DISPLAY") && !EnvSet("WAYLAND_DISPLAY");
}

namespace {

const char* AnswerName(int answer) {
    return answer == kModalOk ? "OK" : "Cancel";
}

class CDefaultModalRunner final : public IModalRunner {
public:
    int Run(const SModalRequest& request, const std::function<int()>& showForReal) override {
        if (!IsUnattendedRun() && showForReal) {
            return showForReal();
        }
        const int answer = UnattendedAnswer(request);
        if (!request.what.empty()) {
            std::fprintf(stderr, "%s [unattended: %s]\n", request.what.c_str(), AnswerName(answer));
            std::fflush(stderr);
        }
        return answer;
    }
};

CDefaultModalRunner g_defaultRunner;
IModalRunner* g_runner = nullptr;
std::function<bool()> g_probe;

}  // namespace

int UnattendedAnswer(const SModalRequest& request) {
    switch (request.kind) {
        case ModalKind::Information:
            return kModalOk;
        case ModalKind::Question:
        case ModalKind::Choice:
        case ModalKind::MouseChoice:
        case ModalKind::FileChooser:
        case ModalKind::FirmwareOffer:
        case ModalKind::FirmwareUpdate:
            break;
    }
    return kModalCancel;
}

bool IsUnattendedRun() {
    return g_probe ? g_probe() : UnattendedByEnvironment();
}

void SetUnattendedProbe(std::function<bool()> probe) {
    g_probe = std::move(probe);
}

IModalRunner& ModalRunner() {
    return g_runner != nullptr ? *g_runner : g_defaultRunner;
}

void SetModalRunner(IModalRunner* runner) {
    g_runner = runner;
}

CModalRunnerScope::CModalRunnerScope(IModalRunner& runner) : m_previous(g_runner) {
    g_runner = &runner;
}

CModalRunnerScope::~CModalRunnerScope() {
    g_runner = m_previous;
}

}  // namespace vorlix
