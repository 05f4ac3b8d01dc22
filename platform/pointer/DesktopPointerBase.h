#pragma once

#include <memory>
#include <string>

#include "PointerFaults.h"
#include "shared/PointerSettings.h"

namespace vorlix {

// What every desktop backend does around its own writes: values are brought into the range the desktop
// accepts first, and afterwards the desktop is read again, so a desktop that puts a value straight back
// is noticed (and told once) instead of being taken as success.
class CDesktopPointerBase : public IPointerSettings {
public:
    bool Apply(const SPointerValues& values) final;

protected:
    // name: the desktop's name in fault texts, e.g. "KDE".
    CDesktopPointerBase(std::string name, std::shared_ptr<CPointerFaults> faults);

    // Writes the normalized values the desktop holds. False when any write failed (told already).
    virtual bool Put(const SPointerValues& values) = 0;

    void Fault(const std::string& key, const std::string& text);
    CPointerFaults& Faults() { return *m_faults; }
    const std::shared_ptr<CPointerFaults>& SharedFaults() const { return m_faults; }
    const std::string& Name() const { return m_name; }

private:
    std::string m_name;
    std::shared_ptr<CPointerFaults> m_faults;
};

}  // namespace vorlix
