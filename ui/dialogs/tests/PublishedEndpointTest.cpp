#include <gtest/gtest.h>

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "platform/DatagramPoster.h"
#include "platform/qt/PublishedEndpoint.h"
#include "shared/MemoryStoreBackend.h"
#include "shared/RegStore.h"
#include "tests/support/TempDir.h"
#include "ui/dialogs/CommandClick.h"
#include "ui/skin/tests/TestApp.h"

namespace vorlix::testing {
namespace {

class PublishedEndpointTest : public ::testing::Test, protected SAppFirst {
protected:
    TempDir runtime;
    CMemoryStoreBackend backend;
    CRegStore store{backend};
    CDatagramPoster poster{runtime.Path()};
};

TEST_F(PublishedEndpointTest, PublishesItsIdAndWithdrawsIt) {
    {
        CPublishedEndpoint endpoint(store, "LED Edit Handle");
        ASSERT_TRUE(endpoint.Publish(runtime.Path()));
        EXPECT_EQ(static_cast<uint32_t>(store.ReadDword("LED Edit Handle")), endpoint.Id());
        EXPECT_TRUE(poster.IsWindow(endpoint.Id()));
    }
    EXPECT_EQ(store.ReadDword("LED Edit Handle"), -1);

    // A window that took the name over since keeps it.
    CPublishedEndpoint first(store, "Configure Handle");
    ASSERT_TRUE(first.Publish(runtime.Path()));
    store.WriteDword("Configure Handle", 1234);
    first.Withdraw();
    EXPECT_EQ(store.ReadDword("Configure Handle"), 1234);
}

TEST_F(PublishedEndpointTest, PostedCommandsClickTheWindowsControlsOnTheGuiThread) {
    CPublishedEndpoint endpoint(store, "Macro Edit Handle");
    ASSERT_TRUE(endpoint.Publish(runtime.Path()));
    QWidget window;
    auto* button = new QPushButton(&window);
    SetControlId(button, 1081);
    int clicks = 0;
    QObject::connect(button, &QAbstractButton::clicked, [&] { ++clicks; });
    RouteCommands(endpoint, &window);
    QSignalSpy commands(&endpoint, &CPublishedEndpoint::Command);
    QSignalSpy messages(&endpoint, &CPublishedEndpoint::Message);

    ASSERT_TRUE(poster.Post(endpoint.Id(), msg::kCommand, 1081, 0));
    ASSERT_TRUE(poster.Post(endpoint.Id(), msg::kDeviceNotice, devnotice::kFirmwareUpdate, 3));
    ASSERT_TRUE(QTest::qWaitFor([&] { return messages.size() == 1; }, 5000));
    ASSERT_EQ(commands.size(), 1);
    EXPECT_EQ(commands[0][0].toInt(), 1081);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(messages[0][0].toUInt(), msg::kDeviceNotice);
    EXPECT_EQ(messages[0][1].toUInt(), devnotice::kFirmwareUpdate);
    EXPECT_EQ(messages[0][2].toUInt(), 3u);
}

TEST_F(PublishedEndpointTest, UnusableRuntimeFolderPublishesNothing) {
    CPublishedEndpoint endpoint(store, "Configure Handle");
    std::string error;
    EXPECT_FALSE(endpoint.Publish(runtime / "missing", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(endpoint.IsPublished());
    EXPECT_LE(store.ReadDword("Configure Handle"), 0);
}

}  // namespace
}  // namespace vorlix::testing
