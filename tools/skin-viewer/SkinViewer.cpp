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

}  // namespace

CSkinViewer::CSkinViewer(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Vorlix skin viewer"));
    m_list = new QListWidget(this);
    m_list->setFixedWidth(300);
    for (const SBitmapSpec& spec : BitmapTable()) {
        for (int id = spec.first; id <= spec.last; ++id) {
            auto* item =
                new QListWidgetItem(QStringLiteral("%1  %2").arg(id).arg(QString::fromUtf8(spec.role)));
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
    const SBitmapSpec* spec = FindBitmap(id);
    const QImage image = CSkinImages::Image(id);
    if (spec == nullptr || image.isNull()) {
        return {};
    }
    const QRegion inside = InsideOf(image, spec->key);
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
            if (edge && spec->key != EKey::None) {
                review.setPixel(x, y, qRgb(255, 0, 255));
            }
        }
    }
    return review.scaled(review.size() * zoom);
}

int CSkinViewer::ShowId(int id) {
    const SBitmapSpec* spec = FindBitmap(id);
    if (spec == nullptr) {
        return 0;
    }
    m_id = id;
    const QImage review = Review(id, m_zoom->value());
    m_picture->setPixmap(QPixmap::fromImage(review));
    m_facts->setText(QStringLiteral("<b>%1</b> &nbsp; %2 × %3 &nbsp; %4 &nbsp; %5 &nbsp; %6")
                         .arg(id)
                         .arg(spec->width)
                         .arg(spec->height)
                         .arg(QString::fromLatin1(KeyName(spec->key)))
                         .arg(spec->kind == EKind::StripH   ? QStringLiteral("4 frames side by side")
                              : spec->kind == EKind::StripV ? QStringLiteral("4 frames one above the other")
                                                            : QString())
                         .arg(QString::fromUtf8(spec->role)));
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
    for (const SBitmapSpec& spec : BitmapTable()) {
        for (int id = spec.first; id <= spec.last; ++id) {
            QImage image = Review(id, spec.width < 40 && spec.height < 40 ? 2 : 1);
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
