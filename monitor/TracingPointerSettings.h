#pragma once

#include <memory>

#include "platform/UserStore.h"
#include "shared/PointerSettings.h"

namespace vorlix {

// The pointer settings the monitor puts into effect on a profile change, with a trace line for each
// (VORLIX_TRACE), in front of the backend that does the work.
class CTracingPointerSettings final : public IPointerSettings {
public:
    explicit CTracingPointerSettings(std::unique_ptr<IPointerSettings> inner) : m_inner(std::move(inner)) {}
    bool Apply(const SPointerValues& values) override;
    bool Read(SPointerValues& values) override { return m_inner->Read(values); }

private:
    std::unique_ptr<IPointerSettings> m_inner;
};

// The monitor's pointer settings backend.
std::unique_ptr<IPointerSettings> CreateMonitorPointerSettings();

}  // namespace vorlix
