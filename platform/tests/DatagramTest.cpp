#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "platform/DatagramEndpoint.h"
#include "platform/DatagramPoster.h"
#include "shared/Messages.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

TEST(DatagramTest, PostedMessagesArriveInOrder) {
    testing::TempDir dir;
    CDatagramEndpoint endpoint;
    ASSERT_TRUE(endpoint.Create(dir.Path()));
    EXPECT_NE(endpoint.Id(), 0u);
    EXPECT_NE(endpoint.Id(), 0xFFFFFFFFu);
    CDatagramPoster poster(dir.Path());
    EXPECT_TRUE(poster.IsWindow(endpoint.Id()));
    EXPECT_TRUE(poster.Post(endpoint.Id(), msg::kCommand, msg::kShowCommandId, 0));
    EXPECT_TRUE(poster.Post(endpoint.Id(), msg::kOsdNotice, 0, 0x80FFFF01u));
    auto first = endpoint.Receive();
    auto second = endpoint.Receive();
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->message, msg::kCommand);
    EXPECT_EQ(first->wParam, msg::kShowCommandId);
    EXPECT_EQ(second->lParam, 0x80FFFF01u);
    EXPECT_FALSE(endpoint.Receive());
}

TEST(DatagramTest, PostsToNoWindowOrAGoneWindowAreDroppedQuietly) {
    testing::TempDir dir;
    CDatagramPoster poster(dir.Path());
    CDatagramEndpoint endpoint;
    ASSERT_TRUE(endpoint.Create(dir.Path()));
    const WindowHandle id = endpoint.Id();
    endpoint.Destroy();
    for (WindowHandle target : {WindowHandle{0}, WindowHandle{0xFFFFFFFF}, id}) {
        EXPECT_FALSE(poster.IsWindow(target));
        EXPECT_FALSE(poster.Post(target, msg::kClose, 0, 0));
    }
}

TEST(DatagramTest, FullEndpointDropsWithoutBlocking) {
    testing::TempDir dir;
    CDatagramEndpoint endpoint;
    ASSERT_TRUE(endpoint.Create(dir.Path()));
    CDatagramPoster poster(dir.Path());
    int delivered = 0;
    for (int i = 0; i < 100000 && poster.Post(endpoint.Id(), 1, 2, 3); ++i) {
        ++delivered;
    }
    EXPECT_GT(delivered, 0);
    EXPECT_LT(delivered, 100000);
}

TEST(DatagramTest, MalformedDatagramsAreIgnored) {
    testing::TempDir dir;
    CDatagramEndpoint endpoint;
    ASSERT_TRUE(endpoint.Create(dir.Path()));
    const std::string path = CDatagramPoster::EndpointPath(dir.Path(), endpoint.Id());
    const int fd = socket(AF_UNIX, SOCK_DGRAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const char* junk[] = {"short", "VXM1 but far too long for a message", "XXXX0123456789AB"};
    for (const char* j : junk) {
        sendto(fd, j, std::strlen(j), 0, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    }
    close(fd);
    CDatagramPoster poster(dir.Path());
    ASSERT_TRUE(poster.Post(endpoint.Id(), 7, 8, 9));
    auto message = endpoint.Receive();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->message, 7u);
    EXPECT_FALSE(endpoint.Receive());
}

}  // namespace
}  // namespace vorlix
