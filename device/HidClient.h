#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>

#include "HidTransport.h"
#include "shared/ProductIds.h"

namespace vorlix {

// One accepted device: vendor id, then product id.
struct SUsbId {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
};

// The devices every search of the suite accepts: this product's mouse.
inline constexpr SUsbId kAcceptedMice[] = {{kVendorId, kProductId}};
inline constexpr int kAcceptedMiceCount = static_cast<int>(std::size(kAcceptedMice));

// Finds the mouse among the HID interfaces that are present, keeps what it learned about each matching
// interface in a fixed table, moves feature and input reports to and from a table entry, and passes
// device arrival and removal on to its owner.
class CHidClient {
public:
    static constexpr int kTableSize = 127;
    // Product and manufacturer strings are kept to what a 128-byte UTF-16 buffer holds.
    static constexpr size_t kMaxNameChars = 63;
    static constexpr size_t kInputReadLength = 256;

    // Why the last transfer helper failed, for the caller to show.
    struct SOpenError {
        HidStatus status = HidStatus::Ok;
        std::string path;
    };

    explicit CHidClient(std::shared_ptr<IHidTransport> transport);
    virtual ~CHidClient();
    // Copies take the whole table, but not the notification registration: that stays with the
    // object that made it, so it is ended exactly once.
    CHidClient(const CHidClient& other);
    CHidClient& operator=(const CHidClient& other);

    int LoadDll();

    // The six table forms. Each empties the table first and returns 1 when it stored an entry.
    int CreateDeviceTable(uint16_t vid, uint16_t pid, bool mouseClass);
    int CreateDeviceTable(const SUsbId* list, int count);
    int CreateDeviceTable(const SUsbId* list, int count, uint16_t low, uint16_t high, bool mouseClass,
                          bool firstInterfaceOnly);
    int CreateDeviceTable(const SUsbId* list, int count, uint16_t low, uint16_t high, uint16_t family,
                          bool keyboardClass);
    int CreateDeviceTable(const SUsbId* list, int count, const uint16_t* versions, int versionCount);
    int CreateDeviceTable(const uint16_t* versions, int versionCount, bool mouseClass,
                          bool firstInterfaceOnly);

    // Table getters: nullptr or 0xFFFF for an index at or beyond the entry count.
    const char* GetDevice(int index) const;
    const char16_t* GetDeviceName(int index) const;
    const char16_t* GetVendorName(int index) const;
    const char16_t* GetDeviceID(int index) const;
    uint16_t GetDeviceVID(int index) const;
    uint16_t GetDevicePID(int index) const;
    uint16_t GetDeviceVer(int index) const;
    int GetRecognizedDevices() const { return m_count; }

    static std::u16string Id2String(uint16_t vid, uint16_t pid);

    // Transfers: each opens the entry's node, does one transfer and closes it again. On an empty
    // table or an index beyond it they fail; an open failure is kept in LastOpenError.
    int Write(int index, const void* report, size_t length);
    int Read(int index, void* report, size_t length);
    int ReadInputReport(int index, void* report, size_t& length, int timeoutMs = 1000);
    int SetFeatureReport(int index, const uint8_t* report, int length);
    int GetFeatureReport(int index, uint8_t* report, int length);
    std::unique_ptr<IHidDevice> Open(int index);
    int Close(std::unique_ptr<IHidDevice>& device);
    // One read of up to 256 bytes; the number of bytes read, 0 on failure.
    unsigned long Read(IHidDevice* device, void* buffer, int timeoutMs = 1000);

    const SOpenError& LastOpenError() const { return m_lastError; }
    // A sentence for the user about LastOpenError, with the udev hint when access was refused.
    std::string LastOpenErrorText() const;
    // The advice for a node this user may not open.
    static const char* PermissionHint();

    // Device-change notifications for interfaces of the class of the last enumeration.
    int RegisterNotify(HidNotifyCallback owner);
    int UnRegisterNotify();
    int ReRegisterNotify(HidNotifyCallback owner);
    int RecoverRegisterNotify();
    HidClass InterfaceClass() const { return m_class; }

private:
    struct SEntry {
        std::string path;
        std::u16string product;
        std::u16string manufacturer;
        std::u16string idText;
        uint16_t version = 0;
        uint16_t vendorId = 0;
        uint16_t productId = 0;
    };
    template <typename PathTest, typename AttributeTest>
    int Enumerate(HidClass cls, PathTest pathTest, AttributeTest attributeTest);
    const SEntry* Entry(int index) const;
    HidStatus OpenEntry(int index, std::unique_ptr<IHidDevice>& device);

    std::shared_ptr<IHidTransport> m_transport;
    int m_count = 0;
    HidClass m_class = HidClass::Mouse;
    int m_registration = 0;
    HidNotifyCallback m_owner;
    std::array<SEntry, kTableSize> m_entries;
    SOpenError m_lastError;
};

}  // namespace vorlix
