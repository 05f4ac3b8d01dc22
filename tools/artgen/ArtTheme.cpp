#include "ArtTheme.h"

#include <QLinearGradient>
#include <QPolygonF>

namespace vorlix::art {

QFont Font(int pixelSize, bool bold, bool condensed) {
    QFont font(condensed ? QStringLiteral("DejaVu Sans Condensed") : QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void Text(QPainter& painter, const QRect& area, const QString& text, int pixelSize, const QColor& colour,
          int flags, bool bold) {
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(Font(pixelSize, bold));
    painter.setPen(colour);
    painter.drawText(area, flags, text);
    painter.restore();
}

QImage Filled(int width, int height, const QColor& fill) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QPainterPath Chamfered(const QRectF& area, qreal chamfer) {
    QPolygonF shape;
    shape << QPointF(area.left() + chamfer, area.top()) << QPointF(area.right() - chamfer, area.top())
          << QPointF(area.right(), area.top() + chamfer) << QPointF(area.right(), area.bottom() - chamfer)
          << QPointF(area.right() - chamfer, area.bottom()) << QPointF(area.left() + chamfer, area.bottom())
          << QPointF(area.left(), area.bottom() - chamfer) << QPointF(area.left(), area.top() + chamfer);
    QPainterPath path;
    path.addPolygon(shape);
    path.closeSubpath();
    return path;
}

void Panel(QPainter& painter, const QRect& area, int chamfer, const QColor& top, const QColor& bottom,
           bool accentBar) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QPainterPath outline = Chamfered(QRectF(area), chamfer);
    QLinearGradient fill(area.topLeft(), area.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(outline);
    // Edge lines inside the shape: the outermost ring stays the panel colour, never a key neighbour.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour::kEdge, 1));
    painter.drawPath(Chamfered(QRectF(area).adjusted(2, 2, -3, -3), chamfer - 1));
    if (accentBar) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour::kAccent);
        painter.drawRect(QRect(area.left() + chamfer + 18, area.top() + 3, 90, 3));
        painter.drawRect(QRect(area.right() - chamfer - 60, area.bottom() - 5, 40, 2));
    }
    painter.restore();
}

QColor LabelColour(EFrame look, bool chosen) {
    switch (look) {
        case EFrame::Pressed:
            return colour::kAccentBright;
        case EFrame::Hover:
            return QColor(255, 255, 255);
        case EFrame::Disabled:
            return colour::kDim;
        case EFrame::Normal:
            break;
    }
    return chosen ? QColor(255, 255, 255) : colour::kText;
}

void ButtonFrame(QPainter& painter, const QRect& frame, EFrame look, const QColor& bed, bool chosen) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(frame, bed);
    const QRectF body = QRectF(frame).adjusted(1.5, 1.5, -1.5, -1.5);
    const qreal cut = std::min<qreal>(8, frame.height() / 4.0);
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    QColor edge = colour::kEdge;
    switch (look) {
        case EFrame::Normal:
            fill.setColorAt(0, chosen ? QColor(150, 22, 26) : QColor(46, 50, 58));
            fill.setColorAt(1, chosen ? QColor(96, 12, 16) : QColor(28, 30, 36));
            edge = chosen ? colour::kAccentBright : QColor(70, 75, 85);
            break;
        case EFrame::Pressed:
            fill.setColorAt(0, QColor(14, 15, 18));
            fill.setColorAt(1, QColor(30, 20, 22));
            edge = colour::kAccent;
            break;
        case EFrame::Hover:
            fill.setColorAt(0, chosen ? QColor(190, 34, 40) : QColor(70, 34, 38));
            fill.setColorAt(1, chosen ? QColor(120, 18, 22) : QColor(40, 22, 26));
            edge = colour::kAccentBright;
            break;
        case EFrame::Disabled:
            fill.setColorAt(0, QColor(30, 31, 35));
            fill.setColorAt(1, QColor(24, 25, 28));
            edge = QColor(44, 46, 52);
            break;
    }
    painter.setBrush(fill);
    painter.setPen(QPen(edge, 1.2));
    painter.drawPath(Chamfered(body, cut));
    if (look == EFrame::Hover || (chosen && look == EFrame::Normal)) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour::kAccentBright);
        painter.drawRect(QRectF(body.left() + cut, body.bottom() - 2.5, body.width() - 2 * cut, 1.5));
    }
    painter.restore();
}

QImage Strip(int frameWidth, int frameHeight, bool horizontal,
             const std::function<void(QPainter&, const QRect&, EFrame)>& draw) {
    const int width = horizontal ? frameWidth * kFrameCount : frameWidth;
    const int height = horizontal ? frameHeight : frameHeight * kFrameCount;
    QImage image = Filled(width, height, colour::kBed);
    QPainter painter(&image);
    for (int i = 0; i < kFrameCount; ++i) {
        const QRect frame = horizontal ? QRect(i * frameWidth, 0, frameWidth, frameHeight)
                                       : QRect(0, i * frameHeight, frameWidth, frameHeight);
        painter.save();
        painter.setClipRect(frame);
        draw(painter, frame, static_cast<EFrame>(i));
        painter.restore();
    }
    return image;
}

QImage LabelStrip(int frameWidth, int frameHeight, const QString& label, int pixelSize, bool chosen,
                  const QColor& bed) {
    return Strip(frameWidth, frameHeight, true, [&](QPainter& painter, const QRect& frame, EFrame look) {
        ButtonFrame(painter, frame, look, bed, chosen);
        const QRect text = look == EFrame::Pressed ? frame.translated(1, 1) : frame;
        Text(painter, text.adjusted(4, 0, -4, 0), label, pixelSize, LabelColour(look, chosen),
             Qt::AlignCenter | Qt::TextWordWrap);
    });
}

void Glyph(QPainter& painter, const QRectF& box, EGlyph glyph, const QColor& colour) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const qreal s = std::min(box.width(), box.height());
    const QRectF b(box.center().x() - s / 2, box.center().y() - s / 2, s, s);
    const qreal u = s / 16.0;
    const auto P = [&](qreal x, qreal y) { return QPointF(b.left() + x * u, b.top() + y * u); };
    QPen pen(colour, std::max<qreal>(1.2, 1.6 * u), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    switch (glyph) {
        case EGlyph::Plus:
            painter.drawLine(P(8, 3), P(8, 13));
            painter.drawLine(P(3, 8), P(13, 8));
            break;
        case EGlyph::Folder: {
            QPolygonF f;
            f << P(2, 4) << P(6, 4) << P(8, 6) << P(14, 6) << P(14, 13) << P(2, 13);
            painter.drawPolygon(f);
            break;
        }
        case EGlyph::Disk:
            painter.drawRect(QRectF(P(3, 3), P(13, 13)));
            painter.drawRect(QRectF(P(5, 3), P(11, 7)));
            painter.drawRect(QRectF(P(5, 9), P(11, 13)));
            break;
        case EGlyph::Trash:
            painter.drawLine(P(3, 4), P(13, 4));
            painter.drawLine(P(6, 4), P(6, 2.5));
            painter.drawLine(P(6, 2.5), P(10, 2.5));
            painter.drawLine(P(10, 2.5), P(10, 4));
            painter.drawPolyline(QPolygonF() << P(4, 4) << P(5, 14) << P(11, 14) << P(12, 4));
            painter.drawLine(P(8, 6.5), P(8, 12));
            break;
        case EGlyph::Up:
        case EGlyph::Down: {
            const bool up = glyph == EGlyph::Up;
            painter.setBrush(colour);
            QPolygonF t;
            t << P(8, up ? 4 : 12) << P(13, up ? 11 : 5) << P(3, up ? 11 : 5);
            painter.drawPolygon(t);
            break;
        }
        case EGlyph::ArrowLeft:
        case EGlyph::ArrowRight: {
            const bool left = glyph == EGlyph::ArrowLeft;
            painter.setBrush(colour);
            QPolygonF t;
            t << P(left ? 3 : 13, 8) << P(left ? 9 : 7, 3) << P(left ? 9 : 7, 6) << P(left ? 14 : 2, 6)
              << P(left ? 14 : 2, 10) << P(left ? 9 : 7, 10) << P(left ? 9 : 7, 13);
            painter.drawPolygon(t);
            break;
        }
        case EGlyph::Cross:
            painter.drawLine(P(4, 4), P(12, 12));
            painter.drawLine(P(12, 4), P(4, 12));
            break;
        case EGlyph::Check:
            painter.drawPolyline(QPolygonF() << P(3, 8.5) << P(6.5, 12) << P(13, 4));
            break;
        case EGlyph::Record:
            painter.setBrush(colour);
            painter.drawEllipse(QRectF(P(3.5, 3.5), P(12.5, 12.5)));
            break;
        case EGlyph::Stop:
            painter.setBrush(colour);
            painter.drawRect(QRectF(P(4, 4), P(12, 12)));
            break;
        case EGlyph::Wrench:
            painter.drawEllipse(QRectF(P(2, 2), P(8, 8)));
            painter.drawLine(P(7, 7), P(13.5, 13.5));
            painter.drawLine(P(4, 11), P(11, 4));
            break;
        case EGlyph::Bulb:
            painter.drawEllipse(QRectF(P(4, 2), P(12, 10)));
            painter.drawLine(P(6.5, 12), P(9.5, 12));
            painter.drawLine(P(7, 14), P(9, 14));
            break;
        case EGlyph::Script:
            painter.drawRect(QRectF(P(3, 2), P(13, 14)));
            painter.drawLine(P(5.5, 5), P(10.5, 5));
            painter.drawLine(P(5.5, 8), P(10.5, 8));
            painter.drawLine(P(5.5, 11), P(8.5, 11));
            break;
        case EGlyph::Reset:
            painter.drawArc(QRectF(P(3, 3), P(13, 13)), 60 * 16, 280 * 16);
            painter.setBrush(colour);
            painter.drawPolygon(QPolygonF() << P(10, 1.5) << P(13, 4.5) << P(9, 5.5));
            break;
        case EGlyph::Globe:
            painter.drawEllipse(QRectF(P(2.5, 2.5), P(13.5, 13.5)));
            painter.drawEllipse(QRectF(P(5.5, 2.5), P(10.5, 13.5)));
            painter.drawLine(P(2.5, 8), P(13.5, 8));
            break;
        case EGlyph::Help:
            painter.drawEllipse(QRectF(P(2, 2), P(14, 14)));
            painter.drawArc(QRectF(P(5.5, 4), P(10.5, 9)), -30 * 16, 210 * 16);
            painter.drawLine(P(8, 9), P(8, 10));
            painter.drawPoint(P(8, 12));
            break;
        case EGlyph::Tray:
            painter.drawLine(P(4, 11), P(12, 11));
            painter.drawPolyline(QPolygonF() << P(5, 5) << P(8, 8) << P(11, 5));
            break;
        case EGlyph::Key:
            painter.drawRoundedRect(QRectF(P(2, 3), P(14, 13)), 2 * u, 2 * u);
            painter.drawLine(P(5, 10), P(11, 10));
            break;
        case EGlyph::Mouse:
            painter.drawRoundedRect(QRectF(P(4, 1.5), P(12, 14.5)), 4 * u, 4 * u);
            painter.drawLine(P(8, 1.5), P(8, 6));
            painter.drawLine(P(4, 6), P(12, 6));
            break;
        case EGlyph::Launch:
            painter.drawRect(QRectF(P(2, 4), P(11, 14)));
            painter.drawLine(P(7, 9), P(14, 2));
            painter.drawPolyline(QPolygonF() << P(9.5, 2) << P(14, 2) << P(14, 6.5));
            break;
        case EGlyph::None:
            painter.drawEllipse(QRectF(P(3, 3), P(13, 13)));
            painter.drawLine(P(4.5, 11.5), P(11.5, 4.5));
            break;
    }
    painter.restore();
}

}  // namespace vorlix::art
