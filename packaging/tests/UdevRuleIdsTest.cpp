#include <gtest/gtest.h>

#include "packaging/udev/UdevRuleIds.h"

namespace vorlix {
namespace {

TEST(UdevRuleIdsTest, EveryIdMatchGetsTheBuiltIds) {
    const std::string rules =
        "# ids 3a7c:0d2e stay as written in a comment\n"
        "SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"3a7c\", ATTRS{idProduct}==\"0d2e\", TAG+=\"uaccess\"\n"
        "\n"
        "SUBSYSTEM==\"input\", KERNEL==\"event*\", ENV{ID_VENDOR_ID}==\"3a7c\", ENV{ID_MODEL_ID}==\"0d2e\", "
        "ENV{ID_INPUT_MOUSE}==\"1\", TAG+=\"uaccess\"\n"
        "SUBSYSTEM==\"usb\", ATTR{idVendor}==\"3A7C\", ATTR{idProduct}==\"D2E\", MODE=\"0660\"";  // no final
                                                                                                  // newline
    const auto result = CUdevRuleIds::Apply(rules, 0x1234, 0x00AB);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(
        result.text,
        "# ids 3a7c:0d2e stay as written in a comment\n"
        "SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"1234\", ATTRS{idProduct}==\"00ab\", TAG+=\"uaccess\"\n"
        "\n"
        "SUBSYSTEM==\"input\", KERNEL==\"event*\", ENV{ID_VENDOR_ID}==\"1234\", ENV{ID_MODEL_ID}==\"00ab\", "
        "ENV{ID_INPUT_MOUSE}==\"1\", TAG+=\"uaccess\"\n"
        "SUBSYSTEM==\"usb\", ATTR{idVendor}==\"1234\", ATTR{idProduct}==\"00ab\", MODE=\"0660\"\n");
}

TEST(UdevRuleIdsTest, RefusesRulesThatWouldReachOtherDevices) {
    struct Case {
        const char* rules;
        const char* error;
    };
    const Case cases[] = {
        {"SUBSYSTEM==\"hidraw\", TAG+=\"uaccess\"\n", "line 1: the rule does not match both"},
        {"# mouse\nSUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"3a7c\", TAG+=\"uaccess\"\n",
         "line 2: the rule does not match both"},
        {"  KERNEL==\"event*\", ENV{ID_MODEL_ID}==\"0d2e\", TAG+=\"uaccess\"\n",
         "line 1: the rule does not match both"},
        {"ATTRS{idProduct}==\"0d2e\", ATTRS{idVendor}==\"3a7c\n", "line 1: an id value has no closing quote"},
    };
    for (const Case& c : cases) {
        const auto result = CUdevRuleIds::Apply(c.rules, 0x3A7C, 0x0D2E);
        EXPECT_FALSE(result.ok) << c.rules;
        EXPECT_EQ(result.error.rfind(c.error, 0), 0u) << result.error;
    }
}

}  // namespace
}  // namespace vorlix
