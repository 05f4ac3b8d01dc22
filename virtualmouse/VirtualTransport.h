#pragma once

#include <memory>

#include "VirtualMouseSet.h"
#include "device/HidTransport.h"

namespace vorlix {

// The virtual mice behind the transport interface, in the same process: what the tests and the
// benchmark talk to, and what the socket server serves.
class CVirtualTransport final : public IHidTransport {
public:
    explicit CVirtualTransport(std::shared_ptr<CVirtualMouseSet> mice) : m_mice(std::move(mice)) {}

    HidStatus Enumerate(std::vector<HidInterfaceInfo>& interfaces) override;
    HidStatus Open(const std::string& path, std::unique_ptr<IHidDevice>& device) override;
    int Subscribe(HidClass cls, HidNotifyCallback callback) override;
    bool Unsubscribe(int id) override;
    bool IsVirtualMouse() const override { return true; }

    CVirtualMouseSet& Mice() { return *m_mice; }

private:
    std::shared_ptr<CVirtualMouseSet> m_mice;
};

}  // namespace vorlix
