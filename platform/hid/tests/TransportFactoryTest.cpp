#include <gtest/gtest.h>

#include <memory>

#include "platform/hid/HidTransportFactory.h"
#include "platform/hid/HidapiTransport.h"
#include "platform/hid/virtual/VirtualMouseClient.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

TEST(TransportFactory, TheEnvironmentChoosesTheVirtualMouse) {
    {
        testing::ScopedEnv env(kVirtualMouseVariable, "/nonexistent/mouse.sock");
        auto transport = CreateHidTransport();
        EXPECT_NE(dynamic_cast<CVirtualMouseClient*>(transport.get()), nullptr);
        // Nothing serves that socket: the mouse is not found, and that is said plainly.
        std::vector<HidInterfaceInfo> interfaces;
        EXPECT_EQ(transport->Enumerate(interfaces), HidStatus::NotFound);
        std::unique_ptr<IHidDevice> device;
        EXPECT_EQ(transport->Open("virtual/mouse0/if0", device), HidStatus::NotFound);
    }
    for (const char* value : {static_cast<const char*>(nullptr), ""}) {
        testing::ScopedEnv env(kVirtualMouseVariable, value);
        auto transport = CreateHidTransport();
        EXPECT_NE(dynamic_cast<CHidapiTransport*>(transport.get()), nullptr);
        std::unique_ptr<IHidDevice> device;
        EXPECT_EQ(transport->Open("/sys/devices/nonexistent/0003:3A7C:0D2E.0001", device),
                  HidStatus::NotFound);
    }
}

}  // namespace
}  // namespace vorlix
