#include "SkinViewer.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/skin/QtRegion.h"
#include "ui/skin/SkinImages.h"
#include "ui/skin/core/SkinTable.h"

namespace vorlix {
namespace {

const char* KeyName(EKey key) {
    switch (key) {
        case EKey::None:
            return "opaque";
        case EKey::Dialog:
            return "key RGB(0, 64, 0)";
        case EKey::Notice:
            return "key RGB(64, 64, 64)";
        case EKey::Overlay:
            return "key RGB(0, 255, 0)";
        case EKey::White:
            return "white is transparent";
        case EKey::Mask:
            return "mask: white is outside";
        case EKey::Alpha:
            return "alpha";
    }
    return "";
}

QRegion InsideOf(const QImage& image, EKey key) {
    if (key == EKey::Mask) {
        return RegionFromMask(image);
    }
    if (key == EKey::Alpha) {
        return QRegion(QBitmap::fromImage(image.createAlphaMask()));
    }
    const long rgb = KeyRgb(key);
    return rgb < 0 ? QRegion(image.rect()) : RegionFromImage(image, static_cast<std::uint32_t>(rgb));
}

// Which picture each control shows in a preview (the windows choose these themselves).
struct SPreviewSkin {
    int window;
    int control;
    int picture;
};
constexpr SPreviewSkin kPreviewSkins[] = {
    {kMainFace, 1001, 111},
    {kMainFace, 1200, 169},
    {kMainFace, 1201, 166},
    {kMainFace, 1202, 167},
    {kMainFace, 1203, 168},
    {kMainFace, 1204, 288},
    {kMainFace, 1121, 420},
    {kMainFace, 1115, 139},
    {kMainFace, 1116, 140},
    {kMainFace, 1117, 141},
    {kMainFace, 1118, 142},
    {kMainFace, 1119, 183},
    {kMainFace, 1120, 184},
    {kMainFace, 1009, 137},
    {kMainFace, 1012, 138},
    {kMainFace, 1011, 143},
    {kMainFace, 1006, 134},
    {kMainFace, 1008, 136},
    {kMainFace, 1007, 135},
    {kMainFace, 1013, 118},
    {kMainFace, 1014, 119},
    {kMainFace, 1015, 120},
    {kMainFace, 1791, 423},
    {kMainFace, 1792, 476},
    {kMainFace, 1793, 433},
    {kMainFace, 1794, 426},
    {kMainFace, 1795, 427},
    {kMainFace, 1796, 428},
    {kMainFace, 1797, 429},
    {kMainFace, 1798, 430},
    {kWarningFace, 1005, 247},
    {kAdvancedDialog, 1, 342},
    {kAdvancedDialog, 2, 340},
    {kAdvancedDialog, 1728, 339},
    {kAdvancedDialog, 1790, 344},
    {kAdvancedDialog, 1806, 468},
    {kAdvancedDialog, 1210, 186},
    {kAdvancedDialog, 1045, 177},
    {kAdvancedDialog, 1044, 177},
    {kAdvancedDialog, 1046, 177},
    {kAdvancedDialog, 1047, 237},
    {kAdvancedDialog, 1205, 173},
    {kAdvancedDialog, 1206, 234},
    {kAdvancedDialog, 1207, 176},
    {kAdvancedDialog, 1208, 346},
    {kLedDialog, 1, 338},
    {kLedDialog, 2, 337},
    {kLedDialog, 1728, 336},
    {kLedDialog, 1740, 1746},
    {kLedDialog, 1741, 1752},
    {kLedDialog, 1742, 1748},
    {kLedDialog, 1743, 1749},
    {kLedDialog, 1744, 1755},
    {kLedDialog, 1745, 1756},
    {kMacroEditor, 1810, 126},
    {kMacroEditor, 1081, 112},
    {kMacroEditor, 1082, 265},
    {kMacroEditor, 1083, 266},
    {kMacroEditor, 1090, 113},
    {kMacroEditor, 1113, 256},
    {kMacroEditor, 1114, 257},
    {kMacroEditor, 1078, 261},
    {kMacroEditor, 1079, 262},
    {kMacroEditor, 1080, 263},
    {kMacroEditor, 1076, 350},
    {kMacroEditor, 1077, 351},
    {kMacroEditor, 1075, 258},
    {kMacroEditor, 1091, 357},
    {kMacroEditor, 1092, 360},
    {kMacroEditor, 1073, 258},
    {kMacroEditor, 1812, 127},
    {kMacroEditor, 1074, 258},
    {kMacroEditor, 1094, 593},
    {kMacroEditor, 1, 338},
    {kMacroEditor, 2, 337},
    {kMacroEditor, 1728, 336},
    {125, 1, 338},
    {125, 2, 337},
    {156, 1, 387},
    {156, 2, 386},
    {156, 1004, 2002},
    {248, 1, 338},
    {248, 2, 337},
    {251, 1, 338},
    {287, 1, 338},
    {287, 2, 337},
    {352, 1, 338},
    {352, 2, 337},
    {353, 1, 338},
    {447, 1, 247},
    {448, 1, 247},
    {469, 1, 338},
    {469, 2, 337},
    {469, 1808, 2004},
    {470, 1, 338},
    {470, 2, 337},
    {470, 1808, 2004},
    {470, 1084, 268},
    {470, 1085, 272},
    {470, 1086, 273},
    {470, 1087, 473},
    {474, 1, 338},
    {474, 2, 337},
};

}  // namespace

QImage CSkinViewer::Preview(int window) {
    const SBitmapInfo* info = FindBitmap(window);
    QImage face = CSkinImages::Image(window);
    if (info == nullptr || face.isNull() || info->key != EKey::Dialog) {
        return {};
    }
    face = face.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&face);
    for (const SPreviewSkin& skin : kPreviewSkins) {
        const SPlace* place = FindPlace(skin.window, skin.control);
        const SBitmapInfo* pictureInfo = FindBitmap(skin.picture);
        if (skin.window != window || place == nullptr || pictureInfo == nullptr) {
            continue;
        }
        QImage picture = CSkinImages::Image(skin.picture);
        if (pictureInfo->kind == EKind::StripH) {
            picture = picture.copy(0, 0, picture.width() / 4, picture.height());
        } else if (pictureInfo->kind == EKind::StripV) {
            picture = picture.copy(0, 0, picture.width(), picture.height() / 4);
        }
        if (pictureInfo->key == EKey::White) {
            picture = CSkinImages::Keyed(picture, 0xFFFFFF);
        }
        if (skin.control >= kHotSpotControl && skin.control < kHotSpotControl + 8) {
            painter.save();
            const int k = skin.control - kHotSpotControl;
            painter.setClipRegion(
                RegionFromMask(CSkinImages::Image(kHotSpotMask + k)).translated(place->x, place->y));
            painter.drawImage(place->x, place->y, picture);
            painter.restore();
        } else {
            painter.drawImage(place->x, place->y, picture);
        }
    }
    painter.end();
    // Outside the shape: checkerboard, as in Review.
    const QRegion inside = RegionFromImage(CSkinImages::Image(window), kDialogKey);
    for (int y = 0; y < face.height(); ++y) {
        for (int x = 0; x < face.width(); ++x) {
            if (!inside.contains(QPoint(x, y))) {
                face.setPixel(x, y, ((x / 8 + y / 8) % 2) ? qRgb(90, 90, 96) : qRgb(140, 140, 148));
            }
        }
    }
    return face;
}

CSkinViewer::CSkinViewer(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Vorlix skin viewer"));
    m_list = new QListWidget(this);
    m_list->setFixedWidth(300);
    for (const SBitmapInfo& info : BitmapTable()) {
        for (int id = info.first; id <= info.last; ++id) {
            auto* item =
                new QListWidgetItem(QStringLiteral("%1  %2").arg(id).arg(QString::fromUtf8(info.role)));
            item->setData(Qt::UserRole, id);
            m_list->addItem(item);
        }
    }
    m_picture = new QLabel(this);
    m_picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(m_picture);
    scroll->setWidgetResizable(true);
    m_facts = new QLabel(this);
    m_zoom = new QSpinBox(this);
    m_zoom->setRange(1, 8);
    m_zoom->setPrefix(QStringLiteral("zoom "));
    auto* top = new QHBoxLayout;
    top->addWidget(m_facts, 1);
    top->addWidget(m_zoom);
    auto* right = new QVBoxLayout;
    right->addLayout(top);
    right->addWidget(scroll, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(right, 1);
    connect(m_list, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item != nullptr) {
            ShowId(item->data(Qt::UserRole).toInt());
        }
    });
    connect(m_zoom, &QSpinBox::valueChanged, this, [this] { ShowId(m_id); });
    resize(1320, 860);
}

QImage CSkinViewer::Review(int id, int zoom) {
    const SBitmapInfo* info = FindBitmap(id);
    const QImage image = CSkinImages::Image(id);
    if (info == nullptr || image.isNull()) {
        return {};
    }
    QRegion inside = InsideOf(image, info->key);
    for (int base : {kHotSpotNormal, kHotSpotHover, kHotSpotSelected, kHotSpotPressed}) {
        if (id >= base && id < base + 8) {  // a hot-spot skin shows through its button's mask
            inside = RegionFromMask(CSkinImages::Image(kHotSpotMask + id - base));
        }
    }
    QImage review(image.size(), QImage::Format_RGB32);
    QPainter painter(&review);
    for (int y = 0; y < review.height(); y += 8) {  // checkerboard for the outside
        for (int x = 0; x < review.width(); x += 8) {
            painter.fillRect(x, y, 8, 8, ((x + y) / 8) % 2 ? QColor(90, 90, 96) : QColor(140, 140, 148));
        }
    }
    painter.setClipRegion(inside);
    painter.drawImage(0, 0, image);
    painter.end();
    // Outline: inside pixels with an outside neighbour.
    for (int y = 0; y < review.height(); ++y) {
        for (int x = 0; x < review.width(); ++x) {
            if (!inside.contains(QPoint(x, y))) {
                continue;
            }
            const bool edge = !inside.contains(QPoint(x - 1, y)) || !inside.contains(QPoint(x + 1, y)) ||
                              !inside.contains(QPoint(x, y - 1)) || !inside.contains(QPoint(x, y + 1));
            if (edge && inside != QRegion(image.rect())) {
                review.setPixel(x, y, qRgb(255, 0, 255));
            }
        }
    }
    return review.scaled(review.size() * zoom);
}

int CSkinViewer::ShowId(int id) {
    const SBitmapInfo* info = FindBitmap(id);
    if (info == nullptr) {
        return 0;
    }
    m_id = id;
    const QImage review = Review(id, m_zoom->value());
    m_picture->setPixmap(QPixmap::fromImage(review));
    m_facts->setText(QStringLiteral("<b>%1</b> &nbsp; %2 × %3 &nbsp; %4 &nbsp; %5 &nbsp; %6")
                         .arg(id)
                         .arg(info->width)
                         .arg(info->height)
                         .arg(QString::fromLatin1(KeyName(info->key)))
                         .arg(info->kind == EKind::StripH   ? QStringLiteral("4 frames side by side")
                              : info->kind == EKind::StripV ? QStringLiteral("4 frames one above the other")
                                                            : QString())
                         .arg(QString::fromUtf8(info->role)));
    for (int row = 0; row < m_list->count(); ++row) {
        if (m_list->item(row)->data(Qt::UserRole).toInt() == id && m_list->currentRow() != row) {
            m_list->setCurrentRow(row);
        }
    }
    return 1;
}

QImage CSkinViewer::Sheet(int width) {
    struct Tile {
        int id;
        QImage image;
        QPoint at;
    };
    std::vector<Tile> tiles;
    int x = 8;
    int y = 8;
    int rowHeight = 0;
    for (const SBitmapInfo& info : BitmapTable()) {
        for (int id = info.first; id <= info.last; ++id) {
            QImage image = Review(id, info.width < 40 && info.height < 40 ? 2 : 1);
            if (image.width() > width - 16) {
                image = image.scaledToWidth(width - 16);
            }
            if (x + image.width() > width - 8) {
                x = 8;
                y += rowHeight + 22;
                rowHeight = 0;
            }
            tiles.push_back({id, image, QPoint(x, y + 14)});
            x += image.width() + 10;
            rowHeight = std::max(rowHeight, image.height());
        }
    }
    QImage sheet(width, y + rowHeight + 30, QImage::Format_RGB32);
    sheet.fill(QColor(48, 48, 52));
    QPainter painter(&sheet);
    painter.setPen(Qt::white);
    for (const Tile& tile : tiles) {
        painter.drawText(tile.at + QPoint(0, -3), QString::number(tile.id));
        painter.drawImage(tile.at, tile.image);
    }
    return sheet;
}

}  // namespace vorlix
