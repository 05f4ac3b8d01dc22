#pragma once

#include <QPainter>
#include <QPainterPath>
#include <QRect>

namespace vorlix::art {

// The top view of the eight-button mouse on the main face, in face pixels. The same shapes give the
// face its drawing and the hot-spots their skins and masks, so the masks match the buttons exactly.
class CMouseShapes {
public:
    static constexpr int kButtons = 8;

    static QPainterPath Body();
    // Button k (0 left, 1 right, 2 wheel, 3 back, 4 forward, 5 sensitivity up, 6 down, 7 top button).
    static QPainterPath Button(int k);
    // The hot-spot control's rectangle on the face (the size of its skins and mask).
    static QRect HotSpotRect(int k);
    // Draws the mouse; with accent, the lights glow.
    static void Draw(QPainter& painter);
};

}  // namespace vorlix::art
