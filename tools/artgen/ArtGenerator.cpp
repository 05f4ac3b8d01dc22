#include "ArtGenerator.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "ArtTheme.h"
#include "MouseShapes.h"
#include "ui/skin/core/SkinTable.h"

namespace vorlix::art {
namespace {

using namespace colour;

const SBitmapInfo& Info(int id) {
    return *FindBitmap(id);
}

QRect PlaceRect(int window, int control) {
    const SPlace* place = FindPlace(window, control);
    return place == nullptr ? QRect() : QRect(place->x, place->y, place->width, place->height);
}

// A small section caption: a red tick and muted capitals.
void Caption(QPainter& painter, int x, int y, const QString& text, int width = 300) {
    painter.fillRect(QRect(x, y + 3, 3, 10), kAccent);
    Text(painter, QRect(x + 8, y, width, 16), text, 11, kMuted, Qt::AlignLeft | Qt::AlignVCenter);
}

// A sunken frame for a box the program fills (edit, list, swatch).
void Well(QPainter& painter, const QRect& area, const QColor& fill = QColor(43, 43, 43)) {
    painter.fillRect(area.adjusted(-2, -2, 2, 2), QColor(8, 9, 11));
    painter.fillRect(area.adjusted(-1, -1, 1, 1), QColor(56, 60, 68));
    painter.fillRect(area, fill);
}

// The common face of every dialog and page: a chamfered panel on the key, a title at its top.
QImage Dialog(int id, const QString& title, int chamfer = 18, int titleSize = 20, bool titleLine = true) {
    const SBitmapInfo& info = Info(id);
    QImage image = Filled(info.width, info.height, kKey);
    QPainter painter(&image);
    Panel(painter, image.rect(), chamfer, kBed, kBed);
    Text(painter, QRect(24, 10, info.width - 120, 30), title, titleSize, kText,
         Qt::AlignLeft | Qt::AlignVCenter);
    if (titleLine) {
        painter.setPen(kLine);
        painter.drawLine(20, 44, info.width - 21, 44);
    }
    return image;
}

QColor Hue(int p) {
    return QColor::fromHsv(static_cast<int>(p * 360.0 / 234.0) % 360, 255, 255);
}

enum class EPageIcon { None, Warning, Question, Info };

void PageIcon(QPainter& painter, const QRect& box, EPageIcon icon) {
    if (icon == EPageIcon::None) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QColor tone =
        icon == EPageIcon::Warning ? kWarn : (icon == EPageIcon::Question ? kAccentBright : kMuted);
    painter.setPen(QPen(tone, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(QColor(tone.red(), tone.green(), tone.blue(), 40));
    if (icon == EPageIcon::Warning) {
        painter.drawPolygon(QPolygonF() << QPointF(box.center().x(), box.top() + 4)
                                        << QPointF(box.right() - 2, box.bottom() - 4)
                                        << QPointF(box.left() + 2, box.bottom() - 4));
        Text(painter, box.adjusted(0, 10, 0, 0), "!", 30, tone);
    } else {
        painter.drawEllipse(box.adjusted(6, 6, -6, -6));
        Text(painter, box, icon == EPageIcon::Question ? "?" : "i", 30, tone);
    }
    painter.restore();
}

}  // namespace

QImage CArtGenerator::Cached(int id) {
    auto found = m_cache.find(id);
    if (found == m_cache.end()) {
        found = m_cache.emplace(id, Draw(id)).first;
    }
    return found->second;
}

QImage CArtGenerator::Draw(int id) {
    const SBitmapInfo* info = FindBitmap(id);
    if (info == nullptr) {
        return {};
    }
    switch (id) {
        case kMainFace:
            return MainFace();
        case kWarningFace:
            return WarningFace();
        case kAdvancedDialog:
            return Performance();
        case kLedDialog:
            return Lighting();
        case kMacroEditor:
            return MacroEditor();
        case 125:
        case 156:
        case 248:
        case 251:
        case 287:
        case 352:
        case 353:
        case 447:
        case 448:
        case 469:
        case 470:
        case 474:
            return Page(id);
        case 417:
            return OverlayCaption();
        default:
            break;
    }
    if ((id >= 423 && id <= 446) || (id >= 475 && id <= 490)) {
        return HotSpot(id);
    }
    if (id >= 1746 && id <= 1755) {
        return LedZone(id);
    }
    if (id >= 300 && id <= 329) {
        return Notice(id);
    }
    if (id >= 405 && id <= 416) {
        return OverlayFrame(id - 405);
    }
    if (id >= 418 && id <= 422) {
        return TypeRow(id == 418 ? 4 : id - 419);
    }
    if (info->key == EKey::White) {
        return Slider(id);
    }
    if (info->key == EKey::Alpha) {
        return Icon(id);
    }
    return Button(id);
}

QImage CArtGenerator::MainFace() {
    QImage image = Filled(990, 760, kKey);
    QPainter painter(&image);
    Panel(painter, image.rect(), 28, kBed, kBed);
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Header band: name and a red edge under it.
    painter.fillRect(QRect(30, 3, 930, 86), kHeader);
    painter.fillRect(QRect(3, 30, 28, 59), kHeader);
    painter.fillRect(QRect(959, 30, 28, 59), kHeader);
    painter.fillRect(QRect(3, 89, 984, 2), kAccentDark);
    Text(painter, QRect(44, 16, 400, 44), "VORLIX", 36, kText, Qt::AlignLeft | Qt::AlignVCenter);
    Text(painter, QRect(200, 16, 300, 44), "DAZE", 36, kAccent, Qt::AlignLeft | Qt::AlignVCenter);
    Text(painter, QRect(46, 58, 400, 18), "GAMING MOUSE CONFIGURATION", 12, kMuted,
         Qt::AlignLeft | Qt::AlignVCenter, false);
    for (int i = 0; i < 6; ++i) {  // a row of slanted bars as decoration
        QPolygonF bar;
        const int x = 600 + i * 18;
        bar << QPointF(x, 60) << QPointF(x + 10, 60) << QPointF(x + 4, 74) << QPointF(x - 6, 74);
        painter.setPen(Qt::NoPen);
        painter.setBrush(i == 5 ? kAccent : QColor(50, 54, 62));
        painter.drawPolygon(bar);
    }
    // Mouse stage: a dark well with a soft spotlight.
    const QRect stage(24, 152, 500, 582);
    QRadialGradient spot(QPointF(280, 420), 320);
    spot.setColorAt(0, QColor(40, 44, 52));
    spot.setColorAt(1, QColor(12, 13, 16));
    painter.setPen(QPen(kLine, 1));
    painter.setBrush(spot);
    painter.drawPath(Chamfered(QRectF(stage), 16));
    painter.setPen(QPen(QColor(34, 37, 43), 1));
    for (int y = stage.top() + 30; y < stage.bottom(); y += 30) {  // faint grid
        painter.drawLine(stage.left() + 12, y, stage.right() - 12, y);
    }
    CMouseShapes::Draw(painter);
    Text(painter, QRect(40, 700, 470, 20), "Click a button on the mouse to choose it", 12, kMuted,
         Qt::AlignCenter, false);
    // Right column captions.
    Caption(painter, 560, 176, "BUTTON FUNCTION");
    Caption(painter, 560, 270, "ASSIGN FUNCTION");
    Caption(painter, 560, 410, "LIGHTING MODE");
    Caption(painter, 560, 486, "SETTINGS");
    Caption(painter, 560, 580, "PROFILE AND SUPPORT");
    painter.setPen(kLine);
    painter.drawLine(548, 676, 962, 676);
    painter.drawLine(540, 160, 540, 730);
    return image;
}

QImage CArtGenerator::WarningFace() {
    QImage image = Filled(557, 174, kKey);
    QPainter painter(&image);
    Panel(painter, image.rect(), 16, kBed, kBed);
    PageIcon(painter, QRect(26, 34, 64, 60), EPageIcon::Warning);
    Text(painter, QRect(110, 22, 420, 30), "NO MOUSE FOUND", 22, kText, Qt::AlignLeft | Qt::AlignVCenter);
    Text(painter, QRect(110, 58, 430, 22), "Please plug in your VORLIX DAZE mouse.", 15, kText,
         Qt::AlignLeft | Qt::AlignVCenter, false);
    Text(painter, QRect(110, 84, 430, 20), "The settings appear as soon as it is found.", 13, kMuted,
         Qt::AlignLeft | Qt::AlignVCenter, false);
    Text(painter, QRect(110, 134, 320, 20), "Press YES to close the program.", 12, kMuted,
         Qt::AlignLeft | Qt::AlignVCenter, false);
    return image;
}

QImage CArtGenerator::Performance() {
    QImage image = Dialog(kAdvancedDialog, "PERFORMANCE");
    QPainter painter(&image);
    Text(painter, QRect(196, 10, 380, 30), "sensitivity, rates and pointer", 12, kMuted,
         Qt::AlignLeft | Qt::AlignVCenter, false);
    const QRect dpi = PlaceRect(kAdvancedDialog, 1806);
    Caption(painter, dpi.left() - 8, 66, "DPI");
    Text(painter, QRect(dpi.left() - 10, dpi.top() - 14, 64, 12), "HIGH", 10, kMuted);
    Text(painter, QRect(dpi.left() - 10, dpi.bottom() + 4, 64, 12), "LOW", 10, kMuted);
    const QRect box = PlaceRect(kAdvancedDialog, 1215);
    Caption(painter, box.left(), box.top() - 24, "SENSITIVITY");
    Well(painter, box);
    Text(painter, QRect(box.left(), box.bottom() + 6, box.width(), 14), "DPI", 11, kAccent);
    struct Row {
        int control;
        const char* title;
        const char* low;
        const char* high;
    };
    const Row rows[] = {{1210, "DPI LEVELS", "1", "4"},
                        {1045, "DOUBLE CLICK SPEED", "SLOW", "FAST"},
                        {1044, "CURSOR SPEED", "SLOW", "FAST"},
                        {1046, "SCROLL SPEED", "1 LINE", "10 LINES"}};
    for (const Row& row : rows) {
        const QRect slider = PlaceRect(kAdvancedDialog, row.control);
        Caption(painter, slider.left(), slider.top() - 19, row.title);
        Text(painter, QRect(slider.left(), slider.bottom() + 2, 80, 12), row.low, 10, kDim,
             Qt::AlignLeft | Qt::AlignVCenter);
        Text(painter, QRect(slider.right() - 80, slider.bottom() + 2, 80, 12), row.high, 10, kDim,
             Qt::AlignRight | Qt::AlignVCenter);
    }
    painter.setPen(kLine);
    painter.drawLine(370, 440, 370, 505);
    Caption(painter, 49, 426, "POLLING RATE");
    const QRect lift = PlaceRect(kAdvancedDialog, 1047);
    Caption(painter, lift.left(), lift.top() - 22, "LIFT-OFF CONTROL");
    Text(painter, QRect(lift.left(), lift.bottom() + 2, 60, 12), "LOW", 10, kDim, Qt::AlignLeft);
    Text(painter, QRect(lift.right() - 60, lift.bottom() + 2, 60, 12), "HIGH", 10, kDim, Qt::AlignRight);
    painter.drawLine(20, 515, 585, 515);
    return image;
}

QImage CArtGenerator::Lighting() {
    QImage image = Dialog(kLedDialog, "LIGHTING");
    QPainter painter(&image);
    Text(painter, QRect(140, 10, 400, 30), "zones and colours", 12, kMuted, Qt::AlignLeft | Qt::AlignVCenter,
         false);
    Text(painter, QRect(24, 56, 320, 40), "Click a zone of the mouse,\nthen pick its colour.", 12, kMuted,
         Qt::AlignLeft | Qt::AlignTop, false);
    // The mouse, smaller, with its five light zones.
    painter.save();
    painter.translate(197 - 280 * 0.78, 130 - 186 * 0.78);
    painter.scale(0.78, 0.78);
    CMouseShapes::Draw(painter);
    painter.restore();
    // Light bars beside the sides and under the rear: the zones the user clicks.
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(kAccentBright, 4, Qt::SolidLine, Qt::RoundCap));
    const QRect left = PlaceRect(kLedDialog, 1741);
    const QRect right = PlaceRect(kLedDialog, 1744);
    const QRect under = PlaceRect(kLedDialog, 1743);
    painter.drawLine(QPointF(left.left() + 10, left.top() + 14), QPointF(left.left() + 10, left.top() + 82));
    painter.drawLine(QPointF(right.left() + 30, right.top() + 14),
                     QPointF(right.left() + 30, right.top() + 82));
    painter.drawLine(QPointF(under.left() + 14, under.top() + 30),
                     QPointF(under.left() + 76, under.top() + 30));
    Caption(painter, 355, 126, "COLOUR");
    Well(painter, QRect(355, 150, 234, 234), QColor(20, 20, 20));
    Caption(painter, 596, 126, "HUE");
    // The hue column: the slider's position p picks the colour at (619, 150 + p).
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(611, 148, 17, 238), QColor(8, 9, 11));
    for (int p = 0; p < 234; ++p) {
        painter.fillRect(QRect(612, 150 + p, 15, 1), Hue(p));
    }
    Well(painter, QRect(355, 402, 137, 35), QColor(20, 20, 20));
    Well(painter, QRect(492, 402, 136, 35), QColor(20, 20, 20));
    Text(painter, QRect(355, 440, 137, 16), "BEFORE", 11, kMuted);
    Text(painter, QRect(492, 440, 136, 16), "AFTER", 11, kMuted);
    painter.setPen(kLine);
    painter.drawLine(20, 520, 659, 520);
    return image;
}

QImage CArtGenerator::MacroEditor() {
    QImage image = Dialog(kMacroEditor, "MACRO EDITOR", 18, 18, false);
    QPainter painter(&image);
    Caption(painter, 20, 40 - 2 + 2, "MACRO");
    Caption(painter, 250, 38, "FILE");
    Caption(painter, 530, 38, "RECORDING");
    const QRect list = PlaceRect(kMacroEditor, 1089);
    Well(painter, list, QColor(10, 10, 10));
    Caption(painter, 510, 88, "LINE");
    Caption(painter, 510, 158, "DELAY (ms)");
    Well(painter, PlaceRect(kMacroEditor, 1088));
    Caption(painter, 510, 210, "RECORDED DELAYS");
    Well(painter, PlaceRect(kMacroEditor, 1093));
    Text(painter, QRect(594, 292, 24, 24), "ms", 11, kMuted);
    Caption(painter, 510, 330, "COMMAND");
    Caption(painter, 510, 386, "OPTIONS");
    painter.setPen(kLine);
    painter.drawLine(20, 500, 739, 500);
    return image;
}

QImage CArtGenerator::Page(int id) {
    struct SPageText {
        int id;
        const char* title;
        const char* body;
        EPageIcon icon;
    };
    static const SPageText texts[] = {
        {125, "NEW MACRO", "Enter a name for the new macro.", EPageIcon::None},
        {156, "FIRMWARE UPDATE",
         "A new firmware is ready for your mouse.\nPress START and keep the mouse plugged in\nuntil the "
         "update has finished.",
         EPageIcon::None},
        {248, "RESET PROFILE", "This profile will be reset to the\nfactory defaults. Continue?",
         EPageIcon::Warning},
        {251, "WARNING", "", EPageIcon::Warning},
        {287, "QUESTION", "", EPageIcon::Question},
        {352, "SAVE PROFILE", "Each profile is saved on its own.\nSave the changes of this profile now?",
         EPageIcon::Info},
        {353, "INFORMATION", "", EPageIcon::Info},
        {447, "BATTLE MODE",
         "In Battle mode the lighting follows your click rate:\nthe faster you click, the brighter it glows.",
         EPageIcon::Info},
        {448, "LEFT BUTTON", "At least one button must stay\nthe left button (CLICK).", EPageIcon::Warning},
        {469, "SINGLE KEY", "Choose a command to assign", EPageIcon::None},
        {470, "T KEY MACRO", "Choose a macro to assign", EPageIcon::None},
        {474, "REPEAT COUNT", "", EPageIcon::None},
    };
    const SPageText* page = nullptr;
    for (const SPageText& text : texts) {
        if (text.id == id) {
            page = &text;
        }
    }
    const SBitmapInfo& info = Info(id);
    QImage image = Filled(info.width, info.height, kKey);
    QPainter painter(&image);
    Panel(painter, image.rect(), 12, kBed, kBed, info.width > 300);
    if (id == 474) {
        Text(painter, QRect(18, 12, 170, 22), page->title, 16, kText, Qt::AlignLeft | Qt::AlignVCenter);
        Text(painter, QRect(18, 32, 170, 16), "How many times?", 11, kMuted, Qt::AlignLeft | Qt::AlignVCenter,
             false);
        Well(painter, PlaceRect(474, 1809));
        return image;
    }
    Text(painter, QRect(20, 8, info.width - 80, 30), page->title, 18, kText,
         Qt::AlignLeft | Qt::AlignVCenter);
    painter.setPen(kLine);
    painter.drawLine(16, 40, info.width - 17, 40);
    if (info.height == 173) {
        PageIcon(painter, QRect(24, 54, 60, 56), page->icon);
        Text(painter, QRect(104, 52, info.width - 124, 64), page->body, 14, kText,
             Qt::AlignLeft | Qt::AlignVCenter, false);
        return image;
    }
    if (id == 125) {
        Text(painter, QRect(24, 46, 300, 20), page->body, 12, kMuted, Qt::AlignLeft | Qt::AlignVCenter,
             false);
        Text(painter, QRect(24, 76, 96, 20), "NAME", 12, kText, Qt::AlignRight | Qt::AlignVCenter);
        Well(painter, PlaceRect(125, 1809));
    } else if (id == 156) {
        Text(painter, QRect(30, 58, 370, 80), page->body, 13, kText, Qt::AlignLeft | Qt::AlignVCenter, false);
        Caption(painter, 55, 192, "PROGRESS");
        Well(painter, PlaceRect(156, 1004), QColor(10, 10, 10));
        Text(painter, QRect(30, 150, 370, 20), "Do not unplug the mouse during the update.", 12, kWarn,
             Qt::AlignLeft | Qt::AlignVCenter, false);
    } else {
        Text(painter, QRect(15, 56, 253, 22), page->body, 12, kMuted, Qt::AlignLeft | Qt::AlignVCenter,
             false);
        Well(painter, PlaceRect(id, 1807), QColor(75, 75, 75));
    }
    return image;
}

QImage CArtGenerator::HotSpot(int id) {
    int base = kHotSpotNormal;
    for (int candidate : {kHotSpotNormal, kHotSpotHover, kHotSpotMask, kHotSpotSelected, kHotSpotPressed}) {
        if (id >= candidate && id < candidate + CMouseShapes::kButtons) {
            base = candidate;
        }
    }
    const int k = id - base;
    const QRect area = CMouseShapes::HotSpotRect(k);
    const QPainterPath shape = CMouseShapes::Button(k).translated(-area.topLeft());
    if (base == kHotSpotMask) {
        QImage mask = Filled(area.width(), area.height(), Qt::white);
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawPath(shape);
        return mask;
    }
    QImage skin = Cached(kMainFace).copy(area);
    if (base == kHotSpotNormal) {
        return skin;
    }
    QPainter painter(&skin);
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (base == kHotSpotHover) {
        painter.setBrush(QColor(255, 72, 72, 60));
        painter.setPen(QPen(kAccentBright, 1.5));
    } else if (base == kHotSpotSelected) {
        painter.setBrush(QColor(215, 38, 46, 120));
        painter.setPen(QPen(QColor(255, 120, 120), 2.5));
    } else {
        painter.setBrush(QColor(0, 0, 0, 120));
        painter.setPen(QPen(kAccent, 2));
    }
    painter.drawPath(shape);
    return skin;
}

QImage CArtGenerator::LedZone(int id) {
    const int zone = (id - 1746) % 5;
    const bool selected = id >= 1751;
    const SBitmapInfo& info = Info(id);
    const QRect place = PlaceRect(kLedDialog, 1740 + zone);
    const QImage under = Cached(kLedDialog).copy(QRect(place.topLeft(), QSize(info.width / 4, info.height)));
    return Strip(info.width / 4, info.height, true, [&](QPainter& painter, const QRect& frame, EFrame look) {
        painter.drawImage(frame.topLeft(), under);
        painter.setRenderHint(QPainter::Antialiasing, true);
        const QRectF ring = QRectF(frame).adjusted(2.5, 2.5, -2.5, -2.5);
        QColor edge = selected ? kAccentBright : QColor(120, 126, 138, 160);
        QColor fill = selected ? QColor(215, 38, 46, 90) : QColor(0, 0, 0, 0);
        if (look == EFrame::Hover) {
            edge = QColor(255, 140, 140);
            fill = QColor(255, 72, 72, selected ? 120 : 60);
        } else if (look == EFrame::Pressed) {
            fill = QColor(0, 0, 0, 110);
            edge = kAccent;
        } else if (look == EFrame::Disabled) {
            fill = QColor(0, 0, 0, 140);
            edge = QColor(60, 62, 68);
        }
        painter.setBrush(fill);
        painter.setPen(QPen(edge, selected ? 2.5 : 1.5, selected ? Qt::SolidLine : Qt::DashLine));
        painter.drawRoundedRect(ring, 8, 8);
    });
}

QImage CArtGenerator::Notice(int id) {
    const SBitmapInfo& info = Info(id);
    const QColor key(64, 64, 64);
    const QColor plate(16, 18, 22);
    QImage image = Filled(info.width, info.height, key);
    QPainter painter(&image);
    const auto plateShape = [&](const QRect& area, int chamfer) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        painter.setBrush(plate);
        painter.drawPath(Chamfered(QRectF(area), chamfer));
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(kAccent, 2));
        painter.drawPath(Chamfered(QRectF(area).adjusted(2, 2, -3, -3), chamfer - 1));
        painter.restore();
    };
    if (id >= 305 && id <= 315) {  // digits and blank: flat plate, composed onto the LEVEL picture
        image.fill(plate);
        if (id <= 314) {
            Text(painter, image.rect(), QString::number(id - 305), 28, kText);
        }
        return image;
    }
    if (id == 320 || id == 321) {  // side-button arrows: the arrow is the shape
        const bool back = id == 320;
        const qreal w = info.width;
        const qreal h = info.height;
        QPolygonF arrow;
        arrow << QPointF(0, h / 2) << QPointF(w * 0.45, 0) << QPointF(w * 0.45, h * 0.27)
              << QPointF(w, h * 0.27) << QPointF(w, h * 0.73) << QPointF(w * 0.45, h * 0.73)
              << QPointF(w * 0.45, h);
        if (!back) {
            for (QPointF& point : arrow) {
                point.setX(w - point.x());
            }
        }
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kAccent);
        painter.drawPolygon(arrow);
        QPolygonF inner;
        const QPointF centre(w / 2, h / 2);
        for (const QPointF& point : arrow) {
            inner << centre + (point - centre) * 0.8;
        }
        painter.setBrush(plate);
        painter.drawPolygon(inner);
        return image;
    }
    plateShape(image.rect(), std::min(10, info.height / 4));
    if (id <= 304) {
        Text(painter, QRect(0, 0, info.width / 2 - 2, info.height), "P", 28, kAccentBright,
             Qt::AlignRight | Qt::AlignVCenter);
        Text(painter, QRect(info.width / 2 + 2, 0, info.width / 2, info.height), QString::number(id - 299),
             28, kText, Qt::AlignLeft | Qt::AlignVCenter);
    } else if (id <= 319) {
        Text(painter, QRect(20, 4, 200, 28), QString("LEVEL %1").arg(id - 315), 20, kText,
             Qt::AlignLeft | Qt::AlignVCenter);
        painter.fillRect(QRect(20, 34, 4 * 34, 31), plate);
        Text(painter, QRect(162, 34, 66, 31), "DPI", 20, kAccentBright, Qt::AlignLeft | Qt::AlignVCenter);
    } else if (id <= 323) {
        Text(painter, image.rect(), id == 322 ? "NORMAL" : "BATTLE", 32, id == 322 ? kText : kAccentBright);
    } else if (id <= 325) {
        const bool locked = id == 324;
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(locked ? kAccentBright : kMuted, 2.5));
        painter.setBrush(Qt::NoBrush);
        const QRectF body(14, info.height / 2.0 - 3, 18, 13);
        painter.drawRect(body);
        painter.drawArc(QRectF(17, body.top() - 10, 12, 20), locked ? 0 : 30 * 16, 180 * 16);
        Text(painter, QRect(40, 0, info.width - 48, info.height), locked ? "LOCK" : "UNLOCK", 24, kText,
             Qt::AlignLeft | Qt::AlignVCenter);
    } else {
        static const char* rates[] = {"125Hz", "250Hz", "500Hz", "1000Hz"};
        Text(painter, QRect(0, 8, info.width, 22), "POLLING RATE", 15, kMuted);
        Text(painter, QRect(0, 34, info.width, 54), rates[id - 326], 36, kText);
    }
    return image;
}

QImage CArtGenerator::OverlayFrame(int frame) {
    QImage image = Filled(172, 172, QColor(0, 255, 0));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(18, 20, 24));
    painter.drawEllipse(QRect(2, 2, 168, 168));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(58, 62, 70), 1.5));
    painter.drawEllipse(QPointF(86, 86), 79, 79);
    for (int spoke = 0; spoke < 12; ++spoke) {
        const int age = (frame - spoke + 12) % 12;  // 0: the leading spoke
        QColor tone = age == 0 ? kAccentBright : QColor(60, 64, 72);
        if (age > 0 && age < 5) {
            const double fade = age / 5.0;
            tone = QColor(static_cast<int>(255 * (1 - fade) + 60 * fade),
                          static_cast<int>(72 * (1 - fade) + 64 * fade),
                          static_cast<int>(72 * (1 - fade) + 72 * fade));
        }
        const double angle = spoke * M_PI / 6 - M_PI / 2;
        painter.setPen(QPen(tone, 7, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(86 + 62 * std::cos(angle), 86 + 62 * std::sin(angle)),
                         QPointF(86 + 74 * std::cos(angle), 86 + 74 * std::sin(angle)));
    }
    return image;
}

QImage CArtGenerator::OverlayCaption() {
    QImage image = Filled(114, 33, QColor(18, 20, 24));
    QPainter painter(&image);
    Text(painter, image.rect(), "Loading", 20, kText);
    return image;
}

QImage CArtGenerator::TypeRow(int type) {
    static const EGlyph glyphs[] = {EGlyph::Script, EGlyph::Key, EGlyph::Mouse, EGlyph::Launch, EGlyph::None};
    static const char* names[] = {"MACRO", "SINGLE KEY", "DEFAULT", "LAUNCHER", "NO FUNCTION"};
    return Strip(200, 64, true, [&](QPainter& painter, const QRect& frame, EFrame look) {
        ButtonFrame(painter, frame, look, kBed);
        const QRect icon(frame.left() + 12, frame.top() + 10, 52, 44);
        painter.fillRect(icon, QColor(14, 15, 18));
        painter.fillRect(QRect(icon.left(), icon.bottom() - 1, icon.width(), 2), type == 4 ? kDim : kAccent);
        Glyph(painter, QRectF(icon).adjusted(10, 6, -10, -6), glyphs[type],
              look == EFrame::Disabled ? kDim : (type == 4 ? kMuted : kText));
        Text(painter, QRect(frame.left() + 77, frame.top() + 8, 116, 14), names[type], 10,
             type == 4 ? kDim : kAccentBright, Qt::AlignLeft | Qt::AlignVCenter);
    });
}

QImage CArtGenerator::Slider(int id) {
    const SBitmapInfo& info = Info(id);
    QImage image = Filled(info.width, info.height, Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const auto groove = [&](const QRect& area, const QColor& fill) {
        painter.fillRect(area.adjusted(-1, -1, 1, 1), QColor(8, 9, 11));
        painter.fillRect(area, fill);
        painter.fillRect(QRect(area.left(), area.top(), area.width(), 1), fill.lighter(140));
    };
    const auto thumb = [&](const QRect& area, bool active) {
        QLinearGradient fill(area.topLeft(), area.bottomLeft());
        fill.setColorAt(0, active ? QColor(255, 90, 90) : QColor(96, 102, 114));
        fill.setColorAt(1, active ? QColor(160, 20, 26) : QColor(44, 47, 54));
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(10, 11, 13));
        painter.drawPath(Chamfered(QRectF(area), 4));
        painter.setBrush(fill);
        painter.drawPath(Chamfered(QRectF(area).adjusted(1, 1, -1, -1), 3));
    };
    switch (id) {
        case 177:
        case 186:
        case 237:
            groove(QRect(3, info.height / 2 - 3, info.width - 6, 6), QColor(40, 43, 50));
            break;
        case 467:  // above the thumb: the levels still free
            groove(QRect(info.width / 2 - 4, 2, 8, info.height - 4), QColor(40, 43, 50));
            break;
        case 468:  // below the thumb: the sensitivity in use
            groove(QRect(info.width / 2 - 4, 2, 8, info.height - 4), kAccent);
            break;
        case 178:
        case 179:
        case 180:
        case 181:
        case 236:
            thumb(QRect(1, 3, info.width - 2, info.height - 6), id == 179 || id == 181);
            painter.fillRect(QRect(info.width / 2 - 1, 9, 2, info.height - 18), QColor(225, 228, 232));
            break;
        case kDpiThumb:
            thumb(QRect(4, 1, info.width - 8, info.height - 2), false);
            painter.fillRect(QRect(10, info.height / 2 - 1, info.width - 20, 2), kAccentBright);
            break;
        case 1756:  // frame around the background's hue column, transparent inside
            painter.setPen(QColor(70, 75, 85));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRect(14, 1, 18, 235));
            break;
        case 1757: {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(230, 232, 236));
            painter.drawPolygon(QPolygon() << QPoint(2, 0) << QPoint(12, 4) << QPoint(2, 8));
            painter.drawPolygon(QPolygon() << QPoint(44, 0) << QPoint(34, 4) << QPoint(44, 8));
            break;
        }
        default:
            break;
    }
    return image;
}

QImage CArtGenerator::Icon(int id) {
    const SBitmapInfo& info = Info(id);
    QImage image(info.width, info.height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (id == 107 || id == 108 || id == 800) {
        const qreal s = info.width;
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(22, 24, 29));
        painter.drawRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s * 0.2, s * 0.2);
        painter.setPen(QPen(kAccent, std::max(1.5, s / 12), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF() << QPointF(s * 0.22, s * 0.25) << QPointF(s * 0.5, s * 0.78)
                                         << QPointF(s * 0.78, s * 0.25));
        if (s >= 32) {
            painter.setPen(QPen(kText, s / 24, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(QPointF(s * 0.36, s * 0.25), QPointF(s * 0.5, s * 0.55));
            painter.drawLine(QPointF(s * 0.64, s * 0.25), QPointF(s * 0.5, s * 0.55));
        }
        return image;
    }
    // Instruction icons: a picture of what the line does and, for presses and releases, an arrow.
    const QRectF left(0, 0, 16, 16);
    const QRectF right(15, 3, 9, 10);
    // Presses and releases: the device's picture and an arrow for the direction.
    struct SPressIcon {
        int id;
        EGlyph device;
        QColor deviceColour;
        EGlyph arrow;
        QColor arrowColour;
    };
    const SPressIcon pressIcons[] = {
        {901, EGlyph::Key, kText, EGlyph::Down, kAccentBright},
        {902, EGlyph::Key, kMuted, EGlyph::Up, kMuted},
        {903, EGlyph::Mouse, kText, EGlyph::Down, kWarn},
        {904, EGlyph::Mouse, kText, EGlyph::Up, kWarn},
        {905, EGlyph::Mouse, kText, EGlyph::Down, kAccentBright},
        {906, EGlyph::Mouse, kMuted, EGlyph::Up, kMuted},
    };
    for (const SPressIcon& icon : pressIcons) {
        if (icon.id == id) {
            Glyph(painter, left, icon.device, icon.deviceColour);
            Glyph(painter, right, icon.arrow, icon.arrowColour);
            return image;
        }
    }
    switch (id) {
        case 907:
            painter.setPen(QPen(kMuted, 1.5));
            painter.drawEllipse(QRectF(2, 1, 14, 14));
            painter.drawLine(QPointF(9, 8), QPointF(9, 4));
            painter.drawLine(QPointF(9, 8), QPointF(12, 10));
            break;
        case 908:
            Glyph(painter, left, EGlyph::Bulb, kWarn);
            break;
        case 909:
            Glyph(painter, QRectF(0, 0, 12, 16), EGlyph::ArrowLeft, kText);
            Glyph(painter, QRectF(12, 0, 12, 16), EGlyph::ArrowRight, kText);
            break;
        case 910:
            Glyph(painter, left, EGlyph::Script, kMuted);
            break;
        case 911:
            Text(painter, image.rect(), "IF", 12, kAccentBright);
            break;
        case 912:
            Glyph(painter, QRectF(4, 0, 16, 16), EGlyph::ArrowRight, kAccentBright);
            break;
        case 913:
            Text(painter, image.rect(), "SET", 10, kWarn);
            break;
        default:
            painter.setPen(Qt::NoPen);
            painter.setBrush(kDim);
            painter.drawEllipse(QPointF(12, 8), 3, 3);
            break;
    }
    return image;
}

QImage CArtGenerator::Button(int id) {
    const SBitmapInfo& info = Info(id);
    const int fw = info.kind == EKind::StripH ? info.width / 4 : info.width;
    const int fh = info.kind == EKind::StripV ? info.height / 4 : info.height;
    // Glyph-only buttons.
    struct SGlyphButton {
        int id;
        EGlyph glyph;
    };
    static const SGlyphButton glyphButtons[] = {
        {111, EGlyph::Tray},  {112, EGlyph::Plus},     {113, EGlyph::Trash},        {265, EGlyph::Folder},
        {266, EGlyph::Disk},  {258, EGlyph::Check},    {261, EGlyph::Up},           {262, EGlyph::Down},
        {263, EGlyph::Trash}, {350, EGlyph::Up},       {351, EGlyph::Down},         {386, EGlyph::Cross},
        {471, EGlyph::Down},  {kScrollUp, EGlyph::Up}, {kScrollDown, EGlyph::Down},
    };
    for (const SGlyphButton& button : glyphButtons) {
        if (button.id == id) {
            const QColor bed = id == 111 ? kHeader : kBed;
            return Strip(fw, fh, true, [&](QPainter& painter, const QRect& frame, EFrame look) {
                ButtonFrame(painter, frame, look, bed);
                const int inset = std::max(2, std::min(frame.width(), frame.height()) / 5);
                Glyph(painter, QRectF(frame).adjusted(inset, inset, -inset, -inset), button.glyph,
                      id == 263 || id == 113 ? (look == EFrame::Disabled ? kDim : kAccentBright)
                                             : LabelColour(look));
            });
        }
    }
    // Labelled buttons with a glyph.
    struct SIconButton {
        int id;
        const char* label;
        EGlyph glyph;
    };
    static const SIconButton iconButtons[] = {
        {134, "RESET", EGlyph::Reset},   {135, "REGISTER", EGlyph::Globe},
        {136, "HELP", EGlyph::Help},     {137, "PERFORMANCE", EGlyph::Wrench},
        {138, "LIGHTING", EGlyph::Bulb}, {143, "MACRO EDITOR", EGlyph::Script},
        {139, "T KEY", EGlyph::Script},  {140, "SINGLE KEY", EGlyph::Key},
        {141, "DEFAULT", EGlyph::Mouse}, {142, "LAUNCH PRGM", EGlyph::Launch},
        {256, "RECORD", EGlyph::Record}, {257, "STOP", EGlyph::Stop},
    };
    for (const SIconButton& button : iconButtons) {
        if (button.id == id) {
            const bool tall = fh >= 60;
            return Strip(fw, fh, true, [&](QPainter& painter, const QRect& frame, EFrame look) {
                ButtonFrame(painter, frame, look, kBed);
                const QColor tone = LabelColour(look);
                const QColor glyphTone = id == 256 && look != EFrame::Disabled ? kAccentBright : tone;
                if (tall) {
                    Glyph(painter, QRectF(frame.center().x() - 12, frame.top() + 9, 24, 24), button.glyph,
                          glyphTone);
                    Text(painter, QRect(frame.left(), frame.top() + 38, frame.width(), 18), button.label, 12,
                         tone);
                } else {
                    const int g = frame.height() - 16;
                    Glyph(painter, QRectF(frame.left() + 12, frame.top() + 8, g, g), button.glyph, glyphTone);
                    Text(painter,
                         QRect(frame.left() + 16 + g, frame.top(), frame.width() - 22 - g, frame.height()),
                         button.label, fh >= 44 ? 14 : 12, tone, Qt::AlignLeft | Qt::AlignVCenter);
                }
            });
        }
    }
    // Toggles and radio options: a box or a dot at the left and the label.
    struct SOption {
        int id;
        const char* label;
        bool on;
        bool radio;
    };
    static const SOption options[] = {
        {268, "ONE-TIME", true, true},
        {269, "MULTIPLE LOOPS", true, true},
        {270, "REPEAT WHILE HELD", true, true},
        {472, "REPEAT UNTIL NEXT KEY", true, true},
        {271, "ONE-TIME", false, true},
        {272, "MULTIPLE LOOPS", false, true},
        {273, "REPEAT WHILE HELD", false, true},
        {473, "REPEAT UNTIL NEXT KEY", false, true},
        {357, "WITHOUT ANY DELAY", false, false},
        {358, "WITHOUT ANY DELAY", true, false},
        {359, "INSERT DEFAULT DELAY", false, false},
        {360, "INSERT DEFAULT DELAY", true, false},
        {593, "DELETE PAIRED LINES", true, false},
        {594, "DELETE PAIRED LINES", false, false},
        {349, "ONE SCREEN AT A TIME", false, false},
    };
    for (const SOption& option : options) {
        if (option.id == id) {
            return Strip(fw, fh, true, [&](QPainter& painter, const QRect& frame, EFrame look) {
                ButtonFrame(painter, frame, look, kBed);
                painter.setRenderHint(QPainter::Antialiasing, true);
                const qreal d = fh - 14;
                const QRectF mark(frame.left() + 10, frame.top() + 7, d, d);
                painter.setPen(QPen(look == EFrame::Disabled ? kDim : kMuted, 1.5));
                painter.setBrush(QColor(10, 11, 13));
                if (option.radio) {
                    painter.drawEllipse(mark);
                } else {
                    painter.drawRect(mark);
                }
                if (option.on) {
                    painter.setPen(Qt::NoPen);
                    painter.setBrush(look == EFrame::Disabled ? kDim : kAccentBright);
                    if (option.radio) {
                        painter.drawEllipse(mark.adjusted(4, 4, -4, -4));
                    } else {
                        painter.drawRect(mark.adjusted(3.5, 3.5, -3.5, -3.5));
                    }
                }
                Text(painter,
                     QRect(frame.left() + 18 + static_cast<int>(d), frame.top(),
                           frame.width() - 24 - static_cast<int>(d), frame.height()),
                     option.label, 12, LabelColour(look, option.on), Qt::AlignLeft | Qt::AlignVCenter);
            });
        }
    }
    // Drop-down look: the program writes the name, an arrow sits at the right.
    if (id == 126 || id == 127 || id == kChooserButton) {
        return Strip(fw, fh, true, [&](QPainter& painter, const QRect& frame, EFrame look) {
            ButtonFrame(painter, frame, look, kBed);
            Glyph(painter, QRectF(frame.right() - 24, frame.top() + 6, 16, frame.height() - 12), EGlyph::Down,
                  LabelColour(look));
        });
    }
    if (id == 387 || id == 388) {
        return Strip(fw, fh, false, [&](QPainter& painter, const QRect& frame, EFrame look) {
            const EFrame shown = id == 388 ? EFrame::Disabled : look;
            ButtonFrame(painter, frame, shown, kBed, id == 387 && look == EFrame::Normal);
            Text(painter, frame, id == 387 ? "START" : "UPDATING...", 15, LabelColour(shown, id == 387));
        });
    }
    if (id == kProgressEmpty || id == kProgressFull) {
        QImage image = Filled(info.width, info.height, QColor(10, 10, 10));
        QPainter painter(&image);
        if (id == kProgressFull) {
            QLinearGradient fill(0, 0, 0, info.height);
            fill.setColorAt(0, kAccentBright);
            fill.setColorAt(1, kAccentDark);
            painter.fillRect(image.rect().adjusted(1, 1, -1, -1), fill);
            painter.setPen(QPen(QColor(255, 255, 255, 40), 4));
            for (int x = -20; x < info.width; x += 14) {
                painter.drawLine(x, info.height, x + 14, 0);
            }
        } else {
            painter.setPen(kLine);
            for (int x = 8; x < info.width; x += 20) {
                painter.drawLine(x, 4, x, info.height - 5);
            }
        }
        return image;
    }
    if (id == kScrollChannel || id == kScrollThumb) {
        QImage image = Filled(info.width, info.height, QColor(14, 15, 18));
        QPainter painter(&image);
        if (id == kScrollThumb) {
            painter.fillRect(QRect(3, 2, info.width - 6, info.height - 4), QColor(70, 75, 85));
            painter.fillRect(QRect(7, info.height / 2 - 5, info.width - 14, 10), kAccent);
        } else {
            painter.fillRect(QRect(info.width / 2 - 1, 0, 2, info.height), QColor(34, 37, 43));
        }
        return image;
    }
    // Plain labelled buttons.
    struct SLabel {
        int id;
        const char* text;
        bool chosen;
    };
    static const SLabel labels[] = {
        {118, "APPLY", false},
        {119, "CANCEL", false},
        {120, "OK", false},
        {247, "YES", false},
        {336, "APPLY", false},
        {337, "CANCEL", false},
        {338, "OK", false},
        {339, "APPLY", false},
        {340, "CANCEL", false},
        {342, "OK", false},
        {344, "RESET TO\nDEFAULT", false},
        {165, "PROFILE 1", false},
        {166, "PROFILE 2", false},
        {167, "PROFILE 3", false},
        {168, "PROFILE 4", false},
        {288, "PROFILE 5", false},
        {169, "PROFILE 1", true},
        {170, "PROFILE 2", true},
        {171, "PROFILE 3", true},
        {172, "PROFILE 4", true},
        {289, "PROFILE 5", true},
        {173, "125 Hz", false},
        {175, "125 Hz", true},
        {234, "250 Hz", false},
        {235, "250 Hz", true},
        {174, "500 Hz", false},
        {176, "500 Hz", true},
        {346, "1000 Hz", false},
        {347, "1000 Hz", true},
        {182, "NORMAL", false},
        {183, "NORMAL", true},
        {184, "BATTLE", false},
        {185, "BATTLE", true},
    };
    for (const SLabel& label : labels) {
        if (label.id == id) {
            const int size = id == 344 ? 10 : (fh >= 40 ? 15 : 13);
            return LabelStrip(fw, fh, label.text, size, label.chosen);
        }
    }
    return Filled(info.width, info.height, kBed);
}

}  // namespace vorlix::art
