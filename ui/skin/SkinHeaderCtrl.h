#pragma once

#include <QHeaderView>

namespace vorlix {

// A list header drawn in the list's own dark colours instead of the system's.
class CSkinHeaderCtrl : public QHeaderView {
    Q_OBJECT
public:
    explicit CSkinHeaderCtrl(QWidget* parent = nullptr);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};

}  // namespace vorlix
