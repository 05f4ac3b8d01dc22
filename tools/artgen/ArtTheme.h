#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRect>
#include <QString>
#include <functional>

#include "ui/skin/core/FrameStrip.h"

namespace vorlix::art {

// The colours of the dark theme.
namespace colour {
inline const QColor kKey(0, 64, 0);
inline const QColor kBed(19, 21, 25);  // flat area under controls
inline const QColor kPanelTop(28, 31, 37);
inline const QColor kPanelBottom(14, 15, 18);
inline const QColor kHeader(24, 26, 31);
inline const QColor kEdge(58, 62, 70);
inline const QColor kLine(40, 43, 50);
inline const QColor kAccent(215, 38, 46);
inline const QColor kAccentBright(255, 72, 72);
inline const QColor kAccentDark(120, 14, 18);
inline const QColor kText(236, 238, 240);
inline const QColor kMuted(138, 144, 153);
inline const QColor kDim(84, 88, 96);
inline const QColor kWarn(255, 170, 40);
}  // namespace colour

QFont Font(int pixelSize, bool bold = true, bool condensed = true);
void Text(QPainter& painter, const QRect& area, const QString& text, int pixelSize, const QColor& colour,
          int flags = Qt::AlignCenter, bool bold = true);

// A new opaque picture filled with one colour.
QImage Filled(int width, int height, const QColor& fill);
// A panel with cut corners on a key-coloured picture; its edge is drawn without antialiasing so that
// no pixel near the key fringes the shape.
void Panel(QPainter& painter, const QRect& area, int chamfer, const QColor& top, const QColor& bottom,
           bool accentBar = true);
QPainterPath Chamfered(const QRectF& area, qreal chamfer);

// One frame of a button: the look of normal, pressed, hover and disabled.
void ButtonFrame(QPainter& painter, const QRect& frame, EFrame look, const QColor& bed, bool chosen = false);
QColor LabelColour(EFrame look, bool chosen = false);
// A four-frame strip; draw paints one frame into its rectangle.
QImage Strip(int frameWidth, int frameHeight, bool horizontal,
             const std::function<void(QPainter&, const QRect&, EFrame)>& draw);
// A labelled four-frame button strip.
QImage LabelStrip(int frameWidth, int frameHeight, const QString& label, int pixelSize, bool chosen = false,
                  const QColor& bed = colour::kBed);

// A little picture drawn in a square: the glyphs of the toolbar buttons and icons.
enum class EGlyph {
    Plus,
    Folder,
    Disk,
    Trash,
    Up,
    Down,
    Cross,
    Check,
    Record,
    Stop,
    Wrench,
    Bulb,
    Script,
    Reset,
    Globe,
    Help,
    Tray,
    Key,
    Mouse,
    Launch,
    None,
    ArrowLeft,
    ArrowRight
};
void Glyph(QPainter& painter, const QRectF& box, EGlyph glyph, const QColor& colour);

}  // namespace vorlix::art
