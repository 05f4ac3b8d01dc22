// Every picture of the id table is embedded, has its table size and keeps to the rules of its key.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <cstdlib>

#include "ui/skin/QtRegion.h"
#include "ui/skin/SkinBackground.h"
#include "ui/skin/SkinImages.h"
#include "ui/skin/core/FrameStrip.h"
#include "ui/skin/core/SkinTable.h"
#include "ui/skin/tests/TestApp.h"

namespace vorlix {
namespace {

int Distance(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

TEST(Pictures, EveryIdIsEmbeddedAtItsSizeWithItsKey) {
    SkinTestApp();
    for (const SBitmapInfo& info : BitmapTable()) {
        for (int id = info.first; id <= info.last; ++id) {
            SCOPED_TRACE(id);
            const QImage image = CSkinImages::Image(id);
            ASSERT_FALSE(image.isNull());
            EXPECT_EQ(image.width(), info.width);
            EXPECT_EQ(image.height(), info.height);
            const long key = KeyRgb(info.key);
            if (info.key == EKey::Dialog || info.key == EKey::Overlay ||
                (info.key == EKey::Notice && id != 315 && (id < 305 || id > 314))) {
                if (id == 417) {
                    continue;  // the caption is a plate drawn inside the wheel: no outside of its own
                }
                // A shaped picture: its corner is outside, and its shape is not empty.
                EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFFu, static_cast<QRgb>(key));
                EXPECT_FALSE(RegionFromImage(image, static_cast<std::uint32_t>(key)).isEmpty());
            }
            if (info.key == EKey::Alpha) {
                EXPECT_TRUE(image.hasAlphaChannel());
            }
        }
    }
}

TEST(Pictures, ShapesHaveNoHolesAndNoFringe) {
    // Key pixels all belong to the outside (reachable from the border), and no pixel next to the key
    // is almost the key: such a pixel is inside the shape and would fringe it.
    SkinTestApp();
    for (const SBitmapInfo& info : BitmapTable()) {
        const long key = KeyRgb(info.key);
        if (key < 0 || info.key == EKey::Mask) {
            continue;
        }
        for (int id = info.first; id <= info.last; ++id) {
            const QImage image = CSkinImages::Image(id);
            const int w = image.width();
            const int h = image.height();
            const auto isKey = [&](int x, int y) {
                return (image.pixel(x, y) & 0xFFFFFFu) == static_cast<QRgb>(key);
            };
            std::vector<char> outside(static_cast<std::size_t>(w * h), 0);
            std::vector<QPoint> todo;
            for (int x = 0; x < w; ++x) {
                todo.emplace_back(x, 0);
                todo.emplace_back(x, h - 1);
            }
            for (int y = 0; y < h; ++y) {
                todo.emplace_back(0, y);
                todo.emplace_back(w - 1, y);
            }
            while (!todo.empty()) {
                const QPoint p = todo.back();
                todo.pop_back();
                if (p.x() < 0 || p.y() < 0 || p.x() >= w || p.y() >= h || outside[p.y() * w + p.x()] ||
                    !isKey(p.x(), p.y())) {
                    continue;
                }
                outside[p.y() * w + p.x()] = 1;
                todo.insert(todo.end(),
                            {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)});
            }
            int holes = 0;
            int fringe = 0;
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    if (isKey(x, y)) {
                        holes += outside[y * w + x] ? 0 : 1;
                        continue;
                    }
                    const bool nextToKey = (x > 0 && isKey(x - 1, y)) || (x + 1 < w && isKey(x + 1, y)) ||
                                           (y > 0 && isKey(x, y - 1)) || (y + 1 < h && isKey(x, y + 1));
                    if (nextToKey && Distance(image.pixel(x, y), static_cast<QRgb>(key)) < 60) {
                        ++fringe;
                    }
                }
            }
            if (info.key != EKey::White) {  // slider pictures may show the background through them
                EXPECT_EQ(holes, 0) << "picture " << id;
            }
            EXPECT_EQ(fringe, 0) << "picture " << id;
        }
    }
}

TEST(Pictures, HotSpotMasksAreBlackAndWhiteAndStripsChangeWithTheState) {
    SkinTestApp();
    for (int k = 0; k < 8; ++k) {
        const QImage mask = CSkinImages::Image(kHotSpotMask + k);
        for (int y = 0; y < mask.height(); ++y) {
            for (int x = 0; x < mask.width(); ++x) {
                const QRgb pixel = mask.pixel(x, y) & 0xFFFFFFu;
                ASSERT_TRUE(pixel == 0xFFFFFFu || pixel == 0) << k;
            }
        }
        const QRegion shape = RegionFromMask(mask);
        EXPECT_FALSE(shape.isEmpty());
        EXPECT_LT(shape.boundingRect().width() * shape.boundingRect().height(),
                  mask.width() * mask.height() + 1);
    }
    // The four frames of a strip differ from each other.
    for (const SBitmapInfo& info : BitmapTable()) {
        if (info.kind != EKind::StripH && info.kind != EKind::StripV) {
            continue;
        }
        const QImage strip = CSkinImages::Image(info.first);
        const SFrameSize frame = FrameSizeOf(strip.width(), strip.height(), info.kind == EKind::StripH);
        const auto frameAt = [&](int i) {
            return info.kind == EKind::StripH ? strip.copy(i * frame.width, 0, frame.width, frame.height)
                                              : strip.copy(0, i * frame.height, frame.width, frame.height);
        };
        for (int a = 0; a < kFrameCount; ++a) {
            for (int b = a + 1; b < kFrameCount; ++b) {
                if (info.first != 388) {  // the started look is disabled in every frame
                    EXPECT_NE(frameAt(a), frameAt(b)) << info.first << " frames " << a << " " << b;
                }
            }
        }
    }
}

TEST(Pictures, MissingPictureLeavesTheWindowUnshapedAndUnsized) {
    SkinTestApp();
    EXPECT_TRUE(CSkinImages::Image(99999).isNull());
    QWidget window;
    window.resize(123, 45);
    CSkinBackground background;
    EXPECT_EQ(background.Load(99999, 0x004000), 0);
    EXPECT_EQ(background.ApplyTo(&window), 0);
    EXPECT_EQ(window.size(), QSize(123, 45));
    EXPECT_TRUE(window.mask().isEmpty());
    // The main face is sized and shaped by its picture: its cut corners are outside.
    EXPECT_EQ(background.Load(kMainFace, 0x004000), 1);
    EXPECT_EQ(background.ApplyTo(&window), 1);
    EXPECT_EQ(window.size(), QSize(990, 760));
    EXPECT_FALSE(window.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(window.mask().contains(QPoint(495, 380)));
}

TEST(Pictures, BatchedRegionEqualsThePixelsOutsideTheKey) {
    // A checker of 2 × 1 cells gives 6000 runs, so the region is merged from two full batches.
    SkinTestApp();
    QImage image(200, 60, QImage::Format_RGB32);
    QRegion expected;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool inside = ((x / 2 + y) % 2) == 0;
            image.setPixel(x, y, inside ? qRgb(0, 64, 1) : qRgb(0, 64, 0));
            if (inside) {
                expected += QRect(x, y, 1, 1);
            }
        }
    }
    EXPECT_EQ(RegionFromImage(image, 0x004000), expected);
    // Other pixel formats are read the same way.
    EXPECT_EQ(RegionFromImage(image.convertToFormat(QImage::Format_RGB888), 0x004000), expected);
}

TEST(Pictures, AllKeyPictureGivesAnInvisibleWindow) {
    SkinTestApp();
    QImage allKey(40, 30, QImage::Format_RGB32);
    allKey.fill(QColor(0, 64, 0));
    CSkinBackground background;
    ASSERT_EQ(background.LoadImage(allKey, 0x004000), 1);
    EXPECT_TRUE(background.Region().isEmpty());
    QWidget window;
    background.ApplyTo(&window);
    EXPECT_EQ(window.size(), QSize(40, 30));
    EXPECT_FALSE(window.mask().isEmpty());  // set, but covering nothing of the window
    EXPECT_TRUE(window.mask().intersected(window.rect()).isEmpty());
}

}  // namespace
}  // namespace vorlix
