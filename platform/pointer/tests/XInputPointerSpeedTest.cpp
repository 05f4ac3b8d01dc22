#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sstream>

#include "DialogGrid.h"
#include "platform/pointer/XInputPointerSpeed.h"
#include "tests/support/ChildProcess.h"

namespace vorlix {
namespace {

std::string FindProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        const size_t end = dirs.find(':', start);
        const std::string dir =
            dirs.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!dir.empty() && std::filesystem::exists(dir + "/" + name)) {
            return dir + "/" + name;
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return {};
}

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

// An X server of the test's own on a display number it picks itself; a libinput-like acceleration
// property is put on one of its slave pointers (its mouse), never on the XTEST pointer.
class XInputPointerSpeedTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string xvfb = FindProgram("Xvfb");
        if (xvfb.empty()) {
            GTEST_SKIP() << "Xvfb is not installed";
        }
        m_server = std::make_unique<testing::ChildProcess>(std::vector<std::string>{
            xvfb, "-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "320x240x24"});
        // The display number comes as a line of digits on stdout; the server's warnings share the pipe.
        for (size_t lines = 1; m_display.empty() && m_server->WaitForOutput("\n", 10000, lines); ++lines) {
            std::istringstream output(m_server->Output());
            std::string line;
            while (std::getline(output, line)) {
                if (!line.empty() && line.find_first_not_of("0123456789") == std::string::npos) {
                    m_display = ":" + line;
                }
            }
        }
        ASSERT_FALSE(m_display.empty()) << m_server->Output();
        m_x.reset(XOpenDisplay(m_display.c_str()));
        ASSERT_NE(m_x, nullptr);
    }
    void TearDown() override {
        m_x.reset();
        if (m_server) {
            // Asked to end, the server removes its lock file and socket.
            m_server->Kill(SIGTERM);
            m_server->Wait();
        }
    }

    // Slave pointers by name: id.
    std::vector<std::pair<std::string, int>> Pointers() {
        std::vector<std::pair<std::string, int>> pointers;
        int count = 0;
        XIDeviceInfo* info = XIQueryDevice(m_x.get(), XIAllDevices, &count);
        for (int i = 0; i < count; ++i) {
            if (info[i].use == XISlavePointer) {
                pointers.emplace_back(info[i].name, info[i].deviceid);
            }
        }
        XIFreeDeviceInfo(info);
        return pointers;
    }
    void CreateProperty(int device, float value) {
        const Atom property = XInternAtom(m_x.get(), CXInputPointerSpeed::kProperty, False);
        const Atom floatType = XInternAtom(m_x.get(), "FLOAT", False);
        XIChangeProperty(m_x.get(), device, property, floatType, 32, XIPropModeReplace,
                         reinterpret_cast<unsigned char*>(&value), 1);
        XSync(m_x.get(), False);
    }
    // The device's property as a float; false when it has none.
    bool Property(int device, float* value) {
        const Atom property = XInternAtom(m_x.get(), CXInputPointerSpeed::kProperty, False);
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        XIGetProperty(m_x.get(), device, property, 0, 1, False, AnyPropertyType, &type, &format, &items,
                      &after, &data);
        const bool found = type != None && items == 1;
        if (found) {
            std::memcpy(value, data, sizeof(float));
        }
        if (data != nullptr) {
            XFree(data);
        }
        return found;
    }
    std::unique_ptr<CXInputPointerSpeed> Make(const std::string& display) {
        auto faults = std::make_shared<CPointerFaults>(
            [this](std::string_view line) { m_faults.lines.emplace_back(line); });
        return std::make_unique<CXInputPointerSpeed>(display, faults);
    }

    std::unique_ptr<testing::ChildProcess> m_server;
    std::string m_display;
    std::unique_ptr<Display, DisplayCloser> m_x;
    testing::FaultLines m_faults;
};

TEST_F(XInputPointerSpeedTest, EveryDialogSpeedComesBackAndDevicesWithoutThePropertyAreSkipped) {
    int mouse = -1, xtest = -1;
    for (const auto& [name, id] : Pointers()) {
        (name.find("XTEST") != std::string::npos ? xtest : mouse) = id;
    }
    ASSERT_NE(mouse, -1);
    ASSERT_NE(xtest, -1);
    CreateProperty(mouse, 0.0f);

    auto speed = Make(m_display);
    for (const SPointerValues& values : testing::DialogGrid()) {
        ASSERT_TRUE(speed->Apply(values)) << testing::Describe(values);
        SPointerValues back{0, 0, 0};
        ASSERT_TRUE(speed->Read(back));
        EXPECT_EQ(back, (SPointerValues{values.speed, 0, 0}));
    }
    float accel = 0;
    ASSERT_TRUE(Property(mouse, &accel));
    EXPECT_FLOAT_EQ(accel, 1.0f);  // the last grid speed, 20
    EXPECT_FALSE(Property(xtest, &accel));
    EXPECT_TRUE(m_faults.lines.empty()) << m_faults.lines.front();
}

TEST_F(XInputPointerSpeedTest, WithoutThePropertyNothingIsWrittenAndItIsToldOnce) {
    auto speed = Make(m_display);
    EXPECT_FALSE(speed->Apply({15, 500, 3}));
    EXPECT_FALSE(speed->Apply({15, 500, 3}));
    SPointerValues values{7, 555, 4};
    EXPECT_FALSE(speed->Read(values));
    EXPECT_EQ(values, (SPointerValues{7, 555, 4}));
    EXPECT_EQ(m_faults.CountContaining("no pointer device"), 1u);
    for (const auto& [name, id] : Pointers()) {
        float accel = 0;
        EXPECT_FALSE(Property(id, &accel)) << name;
    }
}

TEST_F(XInputPointerSpeedTest, AnOutOfRangeSpeedOnTheDeviceReadsAsTheNearestEnd) {
    CreateProperty(Pointers().front().second, 4.0f);
    auto speed = Make(m_display);
    SPointerValues values{0, 0, 0};
    ASSERT_TRUE(speed->Read(values));
    EXPECT_EQ(values.speed, 20);
    EXPECT_EQ(m_faults.CountContaining("out of range"), 1u);
}

TEST_F(XInputPointerSpeedTest, AnUnreachableServerIsToldOnce) {
    auto speed = Make(":65533");
    EXPECT_FALSE(speed->Apply({15, 500, 3}));
    EXPECT_FALSE(speed->Apply({15, 500, 3}));
    EXPECT_EQ(m_faults.lines.size(), 1u);
    EXPECT_TRUE(ListXPointerNames(":65533").empty());
}

}  // namespace
}  // namespace vorlix
