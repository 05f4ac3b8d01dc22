#include "ui/skin/SkinHeaderCtrl.h"

#include <QPainter>

namespace vorlix {

CSkinHeaderCtrl::CSkinHeaderCtrl(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(false);
    setHighlightSections(false);
}

void CSkinHeaderCtrl::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    painter->save();
    painter->fillRect(rect, QColor(29, 27, 28));
    painter->setPen(QColor(60, 60, 64));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->setPen(QColor(181, 185, 184));
    const QString title =
        model() == nullptr ? QString() : model()->headerData(logicalIndex, orientation()).toString();
    painter->drawText(rect.adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, title);
    painter->restore();
}

}  // namespace vorlix
