#include "DesktopPointerBase.h"

#include "PointerScale.h"

namespace vorlix {

CDesktopPointerBase::CDesktopPointerBase(std::string name, std::shared_ptr<CPointerFaults> faults)
    : m_name(std::move(name)), m_faults(faults ? std::move(faults) : std::make_shared<CPointerFaults>()) {}

bool CDesktopPointerBase::Apply(const SPointerValues& values) {
    const SPointerValues wanted = Normalized(values);
    if (!Put(wanted)) {
        return false;
    }
    // Zero marks a setting this desktop does not hold: Read leaves it as it is.
    SPointerValues now{0, 0, 0};
    if (!Read(now)) {
        return true;  // written; a failing read-back was told by Read itself
    }
    const SPointerValues expect = Recorded(wanted);
    const bool kept = (now.speed == 0 || now.speed == expect.speed) &&
                      (now.doubleClickMs == 0 || now.doubleClickMs == expect.doubleClickMs) &&
                      (now.wheelLines == 0 || now.wheelLines == expect.wheelLines);
    if (!kept) {
        Fault("changed-back", m_name + ": the desktop did not keep the pointer settings written to it");
    }
    return kept;
}

void CDesktopPointerBase::Fault(const std::string& key, const std::string& text) {
    m_faults->Report(m_name + "/" + key, text);
}

}  // namespace vorlix
