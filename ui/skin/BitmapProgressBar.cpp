#include "ui/skin/BitmapProgressBar.h"

#include <QPainter>
#include <algorithm>

#include "ui/skin/SkinImages.h"

namespace vorlix {

CBitmapProgressBar::CBitmapProgressBar(QWidget* parent) : QWidget(parent) {}

int CBitmapProgressBar::SetBitmaps(int emptyId, int fullId) {
    m_empty = CSkinImages::Pixmap(emptyId);
    m_full = CSkinImages::Pixmap(fullId);
    if (!m_empty.isNull()) {
        resize(m_empty.size());
    }
    update();
    return m_empty.isNull() || m_full.isNull() ? 0 : 1;
}

void CBitmapProgressBar::SetRange(int min, int max) {
    m_min = min;
    m_max = max;
    SetPos(m_pos);
}

void CBitmapProgressBar::SetPos(int pos) {
    m_pos = std::clamp(pos, std::min(m_min, m_max), std::max(m_min, m_max));
    update();
}

int CBitmapProgressBar::FilledWidth() const {
    const long long range = static_cast<long long>(m_max) - m_min;
    if (range <= 0) {
        return 0;
    }
    return static_cast<int>((static_cast<long long>(m_pos) - m_min) * width() / range);
}

void CBitmapProgressBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!m_empty.isNull()) {
        painter.drawPixmap(rect(), m_empty);
    }
    const int filled = FilledWidth();
    if (!m_full.isNull() && filled > 0) {
        const QRect part(0, 0, filled, height());
        painter.drawPixmap(part, m_full,
                           QRect(0, 0, filled * m_full.width() / std::max(1, width()), m_full.height()));
    }
}

}  // namespace vorlix
