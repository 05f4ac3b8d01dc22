#include <gtest/gtest.h>

#include <cerrno>

#include "platform/hid/SysfsHid.h"

namespace vorlix {
namespace {

TEST(SysfsHid, ReadsVendorAndProductFromTheHidId) {
    uint16_t vid = 0;
    uint16_t pid = 0;
    ASSERT_TRUE(ParseHidId("0003:00003A7C:00000D2E", vid, pid));
    EXPECT_EQ(vid, 0x3A7C);
    EXPECT_EQ(pid, 0x0D2E);
    for (const char* bad : {"", "0003:00003A7C", "0003:00013A7C:00000D2E", "0003:x:y", "0003:1:2junk"}) {
        EXPECT_FALSE(ParseHidId(bad, vid, pid)) << bad;
    }
    EXPECT_FALSE(ParseHidId(nullptr, vid, pid));
}

TEST(SysfsHid, TheStablePathIsTheHidDeviceAboveTheNode) {
    EXPECT_EQ(HidPathOfHidraw(
                  "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.1/0003:3A7C:0D2E.0007/hidraw/hidraw3"),
              "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.1/0003:3A7C:0D2E.0007");
    EXPECT_EQ(HidPathOfHidraw("/sys/devices/virtual/misc/uhid"), "");
}

TEST(SysfsHid, OpenFailuresKeepTheirMeaning) {
    EXPECT_EQ(StatusOfErrno(EACCES), HidStatus::PermissionDenied);
    EXPECT_EQ(StatusOfErrno(EPERM), HidStatus::PermissionDenied);
    EXPECT_EQ(StatusOfErrno(ENOENT), HidStatus::NotFound);
    EXPECT_EQ(StatusOfErrno(ENODEV), HidStatus::NotFound);
    EXPECT_EQ(StatusOfErrno(EIO), HidStatus::IoFailed);
}

}  // namespace
}  // namespace vorlix
