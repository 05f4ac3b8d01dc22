// The start-up picture cache: each named picture is decoded exactly once, whether the worker or the
// main thread gets to it first, and pictures never named are left to the caller.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <mutex>

#include "ui/skin/SkinImageCache.h"
#include "ui/skin/SkinImages.h"

namespace vorlix {
namespace {

// Decodes "picture id" as an id×1 image and counts how often each id was decoded.
struct SCountingDecoder {
    std::mutex mutex;
    std::map<int, int> calls;
    QImage operator()(int id) {
        std::lock_guard lock(mutex);
        ++calls[id];
        return QImage(id, 1, QImage::Format_ARGB32);
    }
};

TEST(SkinImageCache, NamedPicturesAreDecodedOnceWhoeverAsksFirst) {
    SCountingDecoder decoder;
    {
        CSkinImageCache cache([&decoder](int id) { return decoder(id); });
        cache.Prefetch({3, 5, 7, 5, 9, 11, 13});
        cache.Prefetch({7, 15});  // named twice: still one decode
        // The main thread asks in another order than the worker decodes, racing it.
        for (const int id : {15, 3, 13, 5, 7, 9, 11, 15, 3}) {
            const std::optional<QImage> image = cache.Find(id);
            ASSERT_TRUE(image.has_value()) << id;
            EXPECT_EQ(image->width(), id);
        }
        EXPECT_FALSE(cache.Find(4).has_value()) << "a picture never named is not the cache's";
    }
    for (const int id : {3, 5, 7, 9, 11, 13, 15}) {
        EXPECT_EQ(decoder.calls[id], 1) << id;
    }
    EXPECT_EQ(decoder.calls.count(4), 0u);
}

TEST(SkinImageCache, ADestroyedCacheStopsItsWorkerEarly) {
    std::atomic<int> decoded{0};
    {
        CSkinImageCache cache([&decoded](int id) {
            ++decoded;
            return QImage(id, 1, QImage::Format_ARGB32);
        });
        std::vector<int> many;
        for (int id = 1; id <= 2000; ++id) {
            many.push_back(id);
        }
        cache.Prefetch(many);
    }
    EXPECT_LE(decoded.load(), 2000);  // joined without a hang or a crash, whatever it reached
}

TEST(SkinImageCache, TheProgramsPicturesMatchAFreshDecode) {
    CSkinImageCache::Instance().Prefetch({121, 124});
    for (const int id : {121, 124}) {
        EXPECT_EQ(CSkinImages::Image(id), CSkinImages::Decode(id)) << id;
    }
}

}  // namespace
}  // namespace vorlix
