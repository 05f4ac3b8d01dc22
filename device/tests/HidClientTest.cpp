#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ScriptedTransport.h"
#include "device/HidClient.h"
#include "device/InterfaceRules.h"
#include "shared/ProductIds.h"
#include "virtualmouse/VirtualTransport.h"

namespace vorlix {
namespace {

using testing::CScriptedTransport;

const SUsbId kAccepted[] = {{kVendorId, kProductId}};

HidInterfaceInfo Interface(std::string path, uint16_t version, int number, bool composite,
                           std::vector<HidCollection> collections, uint16_t pid = kProductId) {
    HidInterfaceInfo info;
    info.path = std::move(path);
    info.vendorId = kVendorId;
    info.productId = pid;
    info.version = version;
    info.interfaceNumber = number;
    info.composite = composite;
    info.collections = std::move(collections);
    info.product = u"Vorlix Daze Gaming Mouse";
    info.manufacturer = u"Vorlix";
    return info;
}

std::vector<std::string> Paths(const CHidClient& client) {
    std::vector<std::string> paths;
    for (int i = 0; i < client.GetRecognizedDevices(); ++i) {
        paths.push_back(client.GetDevice(i));
    }
    return paths;
}

class HidClientTest : public ::testing::Test {
protected:
    std::shared_ptr<CScriptedTransport> transport = std::make_shared<CScriptedTransport>();
    CHidClient client{transport};
};

TEST_F(HidClientTest, SystemFormStoresTheFirstInterfaceOfEachAcceptedMouseInEnumerationOrder) {
    transport->interfaces = {
        Interface("a/if0", 0x2401, 0, true, {kMouseCollection}),
        Interface("a/if1", 0x2401, 1, true, {kKeyboardCollection, {0x0C, 1}, kDataCollection}),
        Interface("old/if0", 0x2400, 0, true, {kMouseCollection}),
        Interface("new/if0", 0x2404, 0, true, {kMouseCollection}),
        Interface("other/if0", 0x2401, 0, true, {kMouseCollection}, 0x1234),
        Interface("single", 0x2401, 0, false, {kMouseCollection}),
        Interface("b/if0", 0x2403, 0, true, {kMouseCollection}),
    };
    EXPECT_EQ(client.CreateDeviceTable(kAccepted, 1, kFamilyLowest, kFamilyHighest, true, false), 1);
    EXPECT_EQ(Paths(client), (std::vector<std::string>{"a/if0", "b/if0"}));
    EXPECT_EQ(client.GetDeviceVer(1), 0x2403);
    EXPECT_EQ(client.GetDeviceVID(0), kVendorId);
    EXPECT_EQ(client.GetDevicePID(0), kProductId);
    EXPECT_EQ(std::u16string(client.GetDeviceID(0)), CHidClient::Id2String(kVendorId, kProductId));
    EXPECT_EQ(std::u16string(client.GetVendorName(0)), u"Vorlix");
    EXPECT_EQ(CHidClient::Id2String(0x3A7C, 0x0D2E), u"VID=3A7C, PID=0D2E");
}

TEST_F(HidClientTest, EmptyOrFailedEnumerationGivesTheNoneValues) {
    EXPECT_EQ(client.CreateDeviceTable(kAccepted, 1, kFamilyLowest, kFamilyHighest, true, false), 0);
    transport->interfaces = {Interface("a/if0", 0x2401, 0, true, {kMouseCollection})};
    ASSERT_EQ(client.CreateDeviceTable(kAccepted, 1), 1);
    transport->enumerateStatus = HidStatus::IoFailed;
    EXPECT_EQ(client.CreateDeviceTable(kAccepted, 1), 0);  // a failed call leaves an empty table
    EXPECT_EQ(client.GetRecognizedDevices(), 0);
    EXPECT_EQ(client.GetDevice(0), nullptr);
    EXPECT_EQ(client.GetDeviceName(0), nullptr);
    EXPECT_EQ(client.GetVendorName(0), nullptr);
    EXPECT_EQ(client.GetDeviceID(0), nullptr);
    EXPECT_EQ(client.GetDeviceVer(0), 0xFFFF);
    EXPECT_EQ(client.GetDeviceVID(0), 0xFFFF);
    EXPECT_EQ(client.GetDevicePID(0), 0xFFFF);
}

// The six forms over one set of interfaces: this pins how the path tests map to interfaces.
TEST_F(HidClientTest, EachFormAppliesItsClassPathAndAttributeTests) {
    transport->interfaces = {
        Interface("a", 0x2401, 0, true, {kMouseCollection}),  // "&mi_00", mouse
        Interface("b", 0x2401, 1, true, {kKeyboardCollection, {0x0C, 1}, kDataCollection}),  // "&mi_01&col03"
        Interface("c", 0x2401, 1, true, {kKeyboardCollection}),        // "&mi_01", keyboard
        Interface("d", 0x2402, 0, false, {kMouseCollection}, 0x1234),  // no "&mi_"
        Interface("e", 0x2455, 1, true, {kMouseCollection}),           // "&mi_01", mouse
    };
    const uint16_t v2455[] = {0x2455};
    const uint16_t v2401[] = {0x2401};
    const uint16_t v2401and2402[] = {0x2401, 0x2402};
    const auto run = [&](auto&& form) {
        form();
        return Paths(client);
    };
    using P = std::vector<std::string>;
    EXPECT_EQ(run([&] { client.CreateDeviceTable(0, 0, true); }), (P{"a", "d", "e"}));
    EXPECT_EQ(run([&] { client.CreateDeviceTable(0, 0, false); }), (P{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(run([&] { client.CreateDeviceTable(kVendorId, 0x1234, true); }), (P{"d"}));
    EXPECT_EQ(run([&] { client.CreateDeviceTable(kAccepted, 1); }), (P{"a", "e"}));
    EXPECT_EQ(run([&] { client.CreateDeviceTable(kAccepted, 1, 0x2401, 0x2403, true, false); }), (P{"a"}));
    EXPECT_EQ(run([&] { client.CreateDeviceTable(kAccepted, 1, 0x2401, 0x2403, true, true); }), (P{"a"}));
    EXPECT_EQ(run([&] { client.CreateDeviceTable(kAccepted, 1, 0x2401, 0x2403, false, false); }), (P{}));
    EXPECT_EQ(client.InterfaceClass(), HidClass::Keyboard);
    EXPECT_EQ(run([&] { client.CreateDeviceTable(kAccepted, 1, 0x2300, 0x2300, uint16_t{0x2400}, true); }),
              (P{"c"}));
    EXPECT_EQ(run([&] { client.CreateDeviceTable(kAccepted, 1, v2455, 1); }), (P{"e"}));
    EXPECT_EQ(run([&] { client.CreateDeviceTable(v2401, 1, true, true); }), (P{"a"}));
    EXPECT_EQ(run([&] { client.CreateDeviceTable(v2401and2402, 2, true, false); }), (P{"a", "d"}));
    EXPECT_EQ(client.InterfaceClass(), HidClass::Mouse);
}

TEST_F(HidClientTest, ExaminesOnlyTheFirst127InterfacesOfTheClass) {
    for (int i = 0; i < 127; ++i) {
        transport->interfaces.push_back(
            Interface("x" + std::to_string(i), 0x2401, 0, true, {kMouseCollection}, 1));
    }
    // A keyboard-only node is not a member of the mouse class and does not count.
    transport->interfaces.insert(transport->interfaces.begin(),
                                 Interface("kbd", 0x2401, 1, true, {kKeyboardCollection}));
    transport->interfaces.push_back(Interface("late", 0x2401, 0, true, {kMouseCollection}));
    EXPECT_EQ(client.CreateDeviceTable(kAccepted, 1), 0);
    transport->interfaces.erase(transport->interfaces.begin() + 1);
    EXPECT_EQ(client.CreateDeviceTable(kAccepted, 1), 1);
    EXPECT_EQ(Paths(client), (std::vector<std::string>{"late"}));
}

TEST_F(HidClientTest, KeepsWholePathsAndCutsOrFillsNames) {
    HidInterfaceInfo info = Interface(std::string(3000, 'p'), 0x2401, 0, true, {kMouseCollection});
    info.product.clear();
    info.manufacturer = std::u16string(100, u'm');
    transport->interfaces = {info};
    ASSERT_EQ(client.CreateDeviceTable(kAccepted, 1, 0x2401, 0x2403, true, false), 1);
    EXPECT_EQ(std::string(client.GetDevice(0)).size(), 3000u);
    EXPECT_EQ(std::u16string(client.GetDeviceName(0)), u" ");
    EXPECT_EQ(std::u16string(client.GetVendorName(0)).size(), CHidClient::kMaxNameChars);
}

TEST_F(HidClientTest, TransfersOnAnEmptyTableFailWithoutReachingAnyDevice) {
    transport->interfaces = {Interface("stranger", 0x0100, 0, false, {kMouseCollection}, 1)};
    uint8_t report[9] = {};
    size_t length = sizeof report;
    EXPECT_EQ(client.Write(0, report, sizeof report), 0);
    EXPECT_EQ(client.Read(0, report, sizeof report), 0);
    EXPECT_EQ(client.ReadInputReport(0, report, length), 0);
    EXPECT_EQ(client.SetFeatureReport(0, report, 9), 0);
    EXPECT_EQ(transport->enumerations, 0);
    EXPECT_EQ(transport->opens, 0);
    EXPECT_EQ(client.LastOpenError().status, HidStatus::NotFound);
}

TEST_F(HidClientTest, ReportsWhyAnOpenOrATransferFailed) {
    transport->interfaces = {Interface("a/if0", 0x2401, 0, true, {kMouseCollection})};
    ASSERT_EQ(client.CreateDeviceTable(kAccepted, 1, 0x2401, 0x2403, true, false), 1);
    uint8_t report[9] = {};

    transport->openStatus = HidStatus::PermissionDenied;
    EXPECT_EQ(client.Write(0, report, sizeof report), 0);
    EXPECT_EQ(client.LastOpenError().status, HidStatus::PermissionDenied);
    EXPECT_EQ(client.LastOpenError().path, "a/if0");
    EXPECT_NE(client.LastOpenErrorText().find("udev rule"), std::string::npos);

    transport->openStatus = HidStatus::NotFound;
    EXPECT_EQ(client.GetFeatureReport(0, report, 9), 0);
    EXPECT_EQ(client.LastOpenErrorText().find("udev"), std::string::npos);

    // A report the device refused is not reported as sent.
    transport->openStatus = HidStatus::Ok;
    transport->setStatus = HidStatus::IoFailed;
    EXPECT_EQ(client.SetFeatureReport(0, report, 9), 0);
    transport->setStatus = HidStatus::Ok;
    EXPECT_EQ(client.SetFeatureReport(0, report, 9), 1);
    EXPECT_EQ(client.SetFeatureReport(1, report, 9), 0);
}

TEST(HidClientNotify, DeliversArrivalAndRemovalOfTheEnumeratedClassToTheCurrentOwner) {
    auto mice = std::make_shared<CVirtualMouseSet>(SVirtualMouseOptions{});
    CHidClient client(std::make_shared<CVirtualTransport>(mice));
    ASSERT_EQ(client.CreateDeviceTable(kAccepted, 1, kFamilyLowest, kFamilyHighest, true, false), 1);
    std::vector<std::pair<uint32_t, std::string>> first;
    std::vector<std::pair<uint32_t, std::string>> second;
    const auto record = [](auto& list) {
        return [&list](uint32_t event, const std::string& path) { list.emplace_back(event, path); };
    };

    ASSERT_EQ(client.RegisterNotify(record(first)), 1);
    mice->Unplug();
    mice->Plug();
    // Only the mouse-class interface: the data interface is no mouse.
    EXPECT_EQ(first,
              (std::vector<std::pair<uint32_t, std::string>>{{kDeviceRemoveComplete, "virtual/mouse0/if0"},
                                                             {kDeviceArrival, "virtual/mouse0/if0"}}));

    // Another owner for a while; recovering goes back to the remembered one.
    first.clear();
    ASSERT_EQ(client.ReRegisterNotify(record(second)), 1);
    mice->Unplug();
    EXPECT_TRUE(first.empty());
    EXPECT_EQ(second.size(), 1u);
    ASSERT_EQ(client.RecoverRegisterNotify(), 1);
    mice->Plug();
    EXPECT_EQ(first.size(), 1u);
    EXPECT_EQ(second.size(), 1u);

    // A copy has the table but not the registration.
    CHidClient copy(client);
    EXPECT_EQ(copy.GetRecognizedDevices(), 1);
    EXPECT_EQ(copy.UnRegisterNotify(), 0);

    EXPECT_EQ(client.UnRegisterNotify(), 1);
    EXPECT_EQ(client.UnRegisterNotify(), 0);
    EXPECT_EQ(client.RecoverRegisterNotify(), 1);  // nobody remembered: nothing to do
    mice->Unplug();
    EXPECT_EQ(first.size(), 1u);
}

}  // namespace
}  // namespace vorlix
