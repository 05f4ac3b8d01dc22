#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "ui/dialogs/core/ModalRun.h"

namespace vorlix::testing {

// Answers the modal runs of a test in order. Each answer may first act on the dialog that is about to
// run (pick a list entry, type a name); with real = true the dialog is then shown for real (exec), and
// the action is expected to end it (for example through a zero-delay timer that clicks a button).
// A run with no answer left is answered Cancel and recorded, so a test sees an unexpected dialog.
class CScriptedModalRunner final : public IModalRunner {
public:
    struct SAnswer {
        int result = kModalCancel;
        std::function<void()> act;
        bool real = false;
    };

    CScriptedModalRunner() : m_scope(*this) {}

    CScriptedModalRunner& Answer(int result, std::function<void()> act = {}) {
        m_answers.push_back({result, std::move(act), false});
        return *this;
    }
    CScriptedModalRunner& ShowForReal(std::function<void()> act) {
        m_answers.push_back({kModalCancel, std::move(act), true});
        return *this;
    }

    int Run(const SModalRequest& request, const std::function<int()>& showForReal) override {
        requests.push_back(request);
        if (m_answers.empty()) {
            ++unexpected;
            return kModalCancel;
        }
        SAnswer answer = std::move(m_answers.front());
        m_answers.pop_front();
        if (answer.act) {
            answer.act();
        }
        return answer.real ? showForReal() : answer.result;
    }

    bool AllAnswered() const { return m_answers.empty(); }

    std::vector<SModalRequest> requests;
    int unexpected = 0;

private:
    std::deque<SAnswer> m_answers;
    CModalRunnerScope m_scope;
};

}  // namespace vorlix::testing
