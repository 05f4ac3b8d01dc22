#include "ui/skin/OsdProgress.h"

#include <QPainter>

#include "ui/skin/QtRegion.h"
#include "ui/skin/SkinImages.h"
#include "ui/skin/core/PixelView.h"

namespace vorlix {

COsdProgress::COsdProgress(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput) {
    m_timer.setInterval(kFramePeriodMs);
    connect(&m_timer, &QTimer::timeout, this, &COsdProgress::Advance);
}

int COsdProgress::Create(const std::vector<int>& frameIds, int captionId) {
    m_frameIds = frameIds;
    m_captionId = captionId;
    m_current = 0;
    setAttribute(Qt::WA_ShowWithoutActivating);
    setEnabled(false);
    setWindowOpacity(kAlpha / 255.0);
    setGeometry(0, 0, 1, 1);
    m_created = true;
    show();
    hide();
    return 1;
}

int COsdProgress::ShowFrame(int index) {
    if (!m_created || m_frameIds.empty() || index >= FrameCount()) {
        return 0;
    }
    const int frame = index >= 0 ? index : m_current;
    QImage composed = CSkinImages::Image(m_frameIds[static_cast<std::size_t>(frame)]);
    if (composed.isNull()) {
        return 0;
    }
    composed = composed.convertToFormat(QImage::Format_RGB32);
    const QImage caption = m_captionId != 0 ? CSkinImages::Image(m_captionId) : QImage();
    if (!caption.isNull()) {
        QPainter painter(&composed);
        painter.drawImage((composed.width() - caption.width()) / 2,
                          (composed.height() - caption.height()) / 2, caption);
    }
    m_current = frame;
    m_picture = QPixmap::fromImage(composed);
    const QRegion shape = RegionFromImage(composed, kOverlayKey);
    resize(composed.size());
    setMask(shape.isEmpty() ? QRegion(-1, -1, 1, 1) : shape);
    update();
    return 1;
}

void COsdProgress::Advance() {
    if (FrameCount() == 0) {
        return;
    }
    m_current = (m_current + 1) % FrameCount();
    if (ShowFrame(m_current) == 1) {
        show();
    }
}

void COsdProgress::Start(QWidget* over) {
    if (ShowFrame(m_current) == 0) {
        return;
    }
    if (over != nullptr) {
        const QRect area = over->frameGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    m_timer.start();
}

void COsdProgress::Stop() {
    m_timer.stop();
    hide();
}

void COsdProgress::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

}  // namespace vorlix
