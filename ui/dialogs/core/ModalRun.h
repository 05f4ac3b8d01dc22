#pragma once

#include <functional>
#include <string>

namespace vorlix {

// What a modal run asks of the person in front of the screen. The kind decides the answer an unattended
// run gives in their place.
enum class ModalKind {
    Information,     // a message with OK only
    Question,        // a confirmation or an input page: OK goes ahead
    Choice,          // a list choice (single key, macro)
    MouseChoice,     // the choice among several mice
    FileChooser,     // a file dialog
    FirmwareOffer,   // "update the firmware?": never accepted without a person
    FirmwareUpdate,  // the update page with its Start button: never started without a person
};

struct SModalRequest {
    ModalKind kind = ModalKind::Information;
    int page = 0;      // the skinned page, when there is one
    std::string what;  // a readable description, written to stderr when answered unattended
};

constexpr int kModalOk = 1;
constexpr int kModalCancel = 2;

// Every modal run of the programs goes through one runner, so that tests can answer each one and an
// unattended run never blocks on a window nobody will ever see.
class IModalRunner {
public:
    virtual ~IModalRunner() = default;
    // Returns the run's result: showForReal() when a person answers, else the runner's own answer
    // (kModalOk or kModalCancel) without showing anything.
    virtual int Run(const SModalRequest& request, const std::function<int()>& showForReal) = 0;
};

// The answer given when nobody can answer: OK to plain information, Cancel to everything else, and
// never OK to a firmware offer or update.
int UnattendedAnswer(const SModalRequest& request);

// True when no person can answer: VORLIX_UNATTENDED is set, the Qt platform is "offscreen" or
// "minimal", or there is no display at all. SetUnattendedProbe replaces the check (nullptr restores it).
bool IsUnattendedRun();
// The check IsUnattendedRun makes when no probe is set: the environment alone.
bool UnattendedByEnvironment();
void SetUnattendedProbe(std::function<bool()> probe);

// The process-wide runner. SetModalRunner installs another one (tests); nullptr restores the default,
// which shows for real when a person can answer and gives UnattendedAnswer otherwise.
IModalRunner& ModalRunner();
void SetModalRunner(IModalRunner* runner);

// Installs a runner for the life of a scope and restores the previous one.
class CModalRunnerScope {
public:
    explicit CModalRunnerScope(IModalRunner& runner);
    ~CModalRunnerScope();
    CModalRunnerScope(const CModalRunnerScope&) = delete;
    CModalRunnerScope& operator=(const CModalRunnerScope&) = delete;

private:
    IModalRunner* m_previous;
};

}  // namespace vorlix
