#pragma once

#include <QPointer>
#include <QTreeWidget>

namespace vorlix {

class CSkinVerticleScrollbar;

// A list view in dark colours with a header in the same colours, no system scroll bars and a bitmap
// scroll bar beside it. Each wheel step scrolls exactly one line, whatever its distance.
class CSkinListCtrl : public QTreeWidget {
    Q_OBJECT
public:
    explicit CSkinListCtrl(QWidget* parent = nullptr);

    void SetScrollbar(CSkinVerticleScrollbar* scrollbar);
    // Index of the first line shown.
    int TopIndex() const;
    // Lines shown whole.
    int ItemsPerPage() const;
    // Scrolls only as far as needed to show line `index` whole.
    void EnsureVisible(int index);

signals:
    void Scrolled();

protected:
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QPointer<CSkinVerticleScrollbar> m_scrollbar;
};

}  // namespace vorlix
