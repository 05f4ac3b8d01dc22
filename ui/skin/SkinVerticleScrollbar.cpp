#include "ui/skin/SkinVerticleScrollbar.h"

#include <QAbstractScrollArea>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "ui/skin/SkinImages.h"
#include "ui/skin/core/FrameStrip.h"

namespace vorlix {

CSkinVerticleScrollbar::CSkinVerticleScrollbar(QWidget* parent) : QWidget(parent) {
    m_repeat.setInterval(kRepeatMs);
    connect(&m_repeat, &QTimer::timeout, this, [this] { Step(m_repeatLines); });
}

void CSkinVerticleScrollbar::SetList(QAbstractScrollArea* list) {
    m_list = list;
    if (QScrollBar* bar = Bar()) {
        connect(bar, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
        connect(bar, &QScrollBar::rangeChanged, this, qOverload<>(&QWidget::update));
    }
    update();
}

int CSkinVerticleScrollbar::SetBitmaps(int up, int down, int channel, int thumb) {
    m_up = CSkinImages::Pixmap(up);
    m_down = CSkinImages::Pixmap(down);
    m_channel = CSkinImages::Pixmap(channel);
    m_thumb = CSkinImages::Pixmap(thumb);
    update();
    return m_up.isNull() || m_down.isNull() || m_channel.isNull() || m_thumb.isNull() ? 0 : 1;
}

QScrollBar* CSkinVerticleScrollbar::Bar() const {
    return m_list == nullptr ? nullptr : m_list->verticalScrollBar();
}

int CSkinVerticleScrollbar::ArrowHeight() const {
    return m_up.isNull() ? width() : m_up.height();
}

QRect CSkinVerticleScrollbar::ThumbRect() const {
    const int arrow = ArrowHeight();
    const int thumbHeight = m_thumb.isNull() ? width() : m_thumb.height();
    const int travel = std::max(0, height() - 2 * arrow - thumbHeight);
    QScrollBar* bar = Bar();
    int offset = 0;
    if (bar != nullptr && bar->maximum() > bar->minimum()) {
        offset = static_cast<int>(static_cast<long long>(bar->value() - bar->minimum()) * travel /
                                  (bar->maximum() - bar->minimum()));
    }
    return QRect(0, arrow + offset, width(), thumbHeight);
}

void CSkinVerticleScrollbar::Step(int lines) {
    if (QScrollBar* bar = Bar()) {
        bar->setValue(bar->value() + lines);
    }
}

void CSkinVerticleScrollbar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int arrow = ArrowHeight();
    if (!m_channel.isNull()) {
        painter.drawPixmap(QRect(0, arrow, width(), height() - 2 * arrow), m_channel);
    }
    const auto drawArrow = [&](const QPixmap& strip, int y, bool pressed) {
        if (strip.isNull()) {
            return;
        }
        const SFrameSize frame = FrameSizeOf(strip.width(), strip.height(), true);
        const int look = static_cast<int>(FrameFor(isEnabled(), pressed, false));
        painter.drawPixmap(QRect(0, y, width(), arrow), strip,
                           QRect(look * frame.width, 0, frame.width, frame.height));
    };
    drawArrow(m_up, 0, m_pressedArrow < 0);
    drawArrow(m_down, height() - arrow, m_pressedArrow > 0);
    if (!m_thumb.isNull()) {
        painter.drawPixmap(ThumbRect(), m_thumb);
    }
}

void CSkinVerticleScrollbar::mousePressEvent(QMouseEvent* event) {
    QScrollBar* bar = Bar();
    if (bar == nullptr || event->button() != Qt::LeftButton) {
        return;
    }
    const int y = event->position().toPoint().y();
    const int arrow = ArrowHeight();
    const QRect thumb = ThumbRect();
    if (y < arrow || y >= height() - arrow) {
        m_pressedArrow = y < arrow ? -1 : 1;
        m_repeatLines = m_pressedArrow;
        Step(m_repeatLines);
        m_repeat.start();
    } else if (y < thumb.top()) {
        Step(-bar->pageStep());
    } else if (y >= thumb.bottom() + 1) {
        Step(bar->pageStep());
    } else {
        m_draggingThumb = true;
        m_dragStartY = y;
        m_dragStartValue = bar->value();
    }
    update();
}

void CSkinVerticleScrollbar::mouseMoveEvent(QMouseEvent* event) {
    QScrollBar* bar = Bar();
    if (m_draggingThumb && bar != nullptr) {
        const int lines = (event->position().toPoint().y() - m_dragStartY) / kPixelsPerLine;
        bar->setValue(m_dragStartValue + lines);
    }
}

void CSkinVerticleScrollbar::mouseReleaseEvent(QMouseEvent*) {
    m_repeat.stop();
    m_pressedArrow = 0;
    m_draggingThumb = false;
    update();
}

}  // namespace vorlix
