#include "MouseShapes.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include "ArtTheme.h"
#include "ui/skin/core/SkinTable.h"

namespace vorlix::art {

QPainterPath CMouseShapes::Body() {
    QPainterPath body;
    body.moveTo(280, 186);
    body.cubicTo(362, 186, 410, 232, 412, 322);
    body.cubicTo(414, 402, 398, 442, 400, 502);
    body.cubicTo(404, 604, 378, 702, 280, 704);
    body.cubicTo(182, 702, 156, 604, 160, 502);
    body.cubicTo(162, 442, 146, 402, 148, 322);
    body.cubicTo(150, 232, 198, 186, 280, 186);
    body.closeSubpath();
    return body;
}

QRect CMouseShapes::HotSpotRect(int k) {
    const SPlace* place = FindPlace(kMainFace, kHotSpotControl + k);
    const SBitmapInfo* info = FindBitmap(kHotSpotMask + k);
    return QRect(place->x, place->y, info->width, info->height);
}

QPainterPath CMouseShapes::Button(int k) {
    QPainterPath shape;
    QPainterPath wheelWell;
    wheelWell.addRoundedRect(QRectF(262, 222, 36, 86), 14, 14);
    switch (k) {
        case 0:
        case 1: {
            QPainterPath half;
            half.addRect(k == 0 ? QRectF(150, 196, 124, 192) : QRectF(286, 196, 124, 192));
            QPainterPath bottom;  // the buttons end in a gentle curve above the waist
            bottom.addEllipse(QRectF(100, 60, 360, 326));
            shape = Body().intersected(half).intersected(bottom).subtracted(wheelWell);
            break;
        }
        case 2:
            shape.addRoundedRect(QRectF(267, 227, 26, 74), 12, 12);
            break;
        case 3:
        case 4: {
            const QRect r = HotSpotRect(k);
            shape.addRoundedRect(QRectF(r.left() + 3, r.top() + 3, r.width() - 6, r.height() - 6), 8, 8);
            break;
        }
        case 5:
        case 6:
        case 7: {
            const QRect r = HotSpotRect(k);
            shape.addRoundedRect(QRectF(r.left() + 3, r.top() + 3, r.width() - 6, r.height() - 6), 6, 6);
            break;
        }
        default:
            break;
    }
    return shape.simplified();
}

void CMouseShapes::Draw(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Shadow and body.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 110));
    painter.drawPath(Body().translated(6, 10));
    QLinearGradient shell(148, 0, 412, 0);
    shell.setColorAt(0, QColor(22, 24, 29));
    shell.setColorAt(0.5, QColor(44, 48, 56));
    shell.setColorAt(1, QColor(20, 22, 27));
    painter.setBrush(shell);
    painter.setPen(QPen(QColor(82, 88, 100), 2));
    painter.drawPath(Body());
    // Light strips along both sides and the rear.
    painter.setPen(QPen(colour::kAccent, 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(QRectF(158, 420, 60, 200), 150 * 16, 60 * 16);
    painter.drawArc(QRectF(342, 420, 60, 200), -30 * 16, 60 * 16);
    painter.setPen(QPen(colour::kAccentBright, 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(QRectF(222, 610, 116, 80), 200 * 16, 140 * 16);
    // Logo: a claw of three strokes.
    painter.setPen(QPen(colour::kAccent, 5, Qt::SolidLine, Qt::RoundCap));
    for (int i = -1; i <= 1; ++i) {
        painter.drawLine(QPointF(280 + i * 14, 530), QPointF(280 + i * 8, 572));
    }
    // Buttons.
    for (int k = 0; k < kButtons; ++k) {
        const QPainterPath button = Button(k);
        QLinearGradient face(button.boundingRect().topLeft(), button.boundingRect().bottomLeft());
        face.setColorAt(0, QColor(58, 63, 72));
        face.setColorAt(1, QColor(32, 35, 41));
        painter.setBrush(face);
        painter.setPen(QPen(QColor(96, 102, 114), 1.5));
        painter.drawPath(button);
    }
    // Wheel ridges.
    painter.setPen(QPen(QColor(20, 22, 26), 2));
    for (int y = 236; y < 296; y += 7) {
        painter.drawLine(QPointF(272, y), QPointF(288, y));
    }
    // Markers on the small buttons.
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour::kMuted);
    Glyph(painter, QRectF(270, 324, 20, 22), EGlyph::Up, colour::kMuted);
    Glyph(painter, QRectF(270, 362, 20, 22), EGlyph::Down, colour::kMuted);
    painter.setBrush(colour::kAccent);
    painter.drawEllipse(QPointF(280, 419), 4, 4);
    Glyph(painter, QRectF(131, 390, 18, 22), EGlyph::Up, colour::kMuted);
    Glyph(painter, QRectF(131, 470, 18, 22), EGlyph::Down, colour::kMuted);
    painter.restore();
}

}  // namespace vorlix::art
