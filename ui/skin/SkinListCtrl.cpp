#include "ui/skin/SkinListCtrl.h"

#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "ui/skin/SkinHeaderCtrl.h"
#include "ui/skin/SkinVerticleScrollbar.h"

namespace vorlix {

CSkinListCtrl::CSkinListCtrl(QWidget* parent) : QTreeWidget(parent) {
    setHeader(new CSkinHeaderCtrl(this));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, QColor(10, 10, 10));
    colours.setColor(QPalette::AlternateBase, QColor(10, 10, 10));
    colours.setColor(QPalette::Text, QColor(240, 240, 240));
    colours.setColor(QPalette::Highlight, QColor(150, 16, 15));
    colours.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    // Selected lines keep the selection colours when the list loses the focus.
    colours.setColor(QPalette::Inactive, QPalette::Highlight, QColor(150, 16, 15));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText, QColor(255, 255, 255));
    setPalette(colours);
}

void CSkinListCtrl::SetScrollbar(CSkinVerticleScrollbar* scrollbar) {
    m_scrollbar = scrollbar;
    if (scrollbar != nullptr) {
        scrollbar->update();
    }
}

int CSkinListCtrl::TopIndex() const {
    return verticalScrollBar()->value();
}

int CSkinListCtrl::ItemsPerPage() const {
    const int rowHeight = topLevelItemCount() > 0 ? sizeHintForRow(0) : 0;
    return rowHeight > 0 ? std::max(1, viewport()->height() / rowHeight) : 0;
}

void CSkinListCtrl::EnsureVisible(int index) {
    if (QTreeWidgetItem* item = topLevelItem(index)) {
        scrollToItem(item, QAbstractItemView::EnsureVisible);
    }
}

void CSkinListCtrl::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    const int count = topLevelItemCount();
    if (delta != 0 && count > 0) {
        const int top = TopIndex();
        EnsureVisible(delta < 0 ? std::min(top + ItemsPerPage(), count - 1) : std::max(top - 1, 0));
    }
    event->accept();
}

void CSkinListCtrl::scrollContentsBy(int dx, int dy) {
    QTreeWidget::scrollContentsBy(dx, dy);
    if (m_scrollbar != nullptr) {
        m_scrollbar->update();
    }
    emit Scrolled();
}

}  // namespace vorlix
