#include "ui/skin/BitmapSlider.h"

#include <QMouseEvent>
#include <QPainter>
#include <cstdlib>

#include "ui/skin/SkinImages.h"

namespace vorlix {
namespace {
QPixmap LoadSliderPicture(int id, bool transparent, unsigned keyRgb) {
    if (id == 0) {
        return {};
    }
    return transparent ? CSkinImages::KeyedPixmap(id, keyRgb) : CSkinImages::Pixmap(id);
}
}  // namespace

CBitmapSlider::CBitmapSlider(QWidget* parent, int controlId) : QWidget(parent), m_controlId(controlId) {}

int CBitmapSlider::SetBitmapChannel(int id, int activeId, bool transparent, unsigned keyRgb) {
    m_channel = LoadSliderPicture(id, transparent, keyRgb);
    m_channelActive = LoadSliderPicture(activeId, transparent, keyRgb);
    update();
    return m_channel.isNull() ? 0 : 1;
}

int CBitmapSlider::SetBitmapThumb(int id, int activeId, bool transparent, unsigned keyRgb) {
    m_thumb = LoadSliderPicture(id, transparent, keyRgb);
    m_thumbActive = LoadSliderPicture(activeId, transparent, keyRgb);
    update();
    return m_thumb.isNull() ? 0 : 1;
}

void CBitmapSlider::SetRange(int min, int max) {
    m_min = min;
    m_max = max;
    SetPos(m_pos);
}

void CBitmapSlider::SetPos(int pos) {
    m_pos = Geometry().ClampPos(pos);
    update();
}

void CBitmapSlider::SetMargin(int start, int end) {
    m_marginStart = start;
    m_marginEnd = end;
    update();
}

void CBitmapSlider::SetVertical(bool vertical) {
    m_vertical = vertical;
    update();
}

int CBitmapSlider::ThumbLength() const {
    return m_vertical ? m_thumb.height() : m_thumb.width();
}

SSliderGeometry CBitmapSlider::Geometry() const {
    return SSliderGeometry{
        m_vertical ? height() : width(), ThumbLength(), m_marginStart, m_marginEnd, m_min, m_max,
        MeasuresFromLeadingEdge()};
}

int CBitmapSlider::ThumbCentre() const {
    const SSliderGeometry geometry = Geometry();
    const int pixel = geometry.PosToPixel(m_pos);
    return geometry.fromLeadingEdge ? pixel + geometry.thumb / 2 : pixel;
}

void CBitmapSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintChannel(painter);
    const QPixmap& thumb = m_dragging && !m_thumbActive.isNull() ? m_thumbActive : m_thumb;
    if (thumb.isNull()) {
        return;
    }
    const int centre = ThumbCentre();
    if (m_vertical) {
        painter.drawPixmap((width() - thumb.width()) / 2, centre - thumb.height() / 2, thumb);
    } else {
        painter.drawPixmap(centre - thumb.width() / 2, (height() - thumb.height()) / 2, thumb);
    }
}

void CBitmapSlider::PaintChannel(QPainter& painter) {
    const QPixmap& channel = m_dragging && !m_channelActive.isNull() ? m_channelActive : m_channel;
    if (!channel.isNull()) {
        painter.drawPixmap(0, 0, channel);
    }
}

void CBitmapSlider::mousePressEvent(QMouseEvent* event) {
    if (!isEnabled() || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_dragging = true;
    if (m_focusOnClick) {
        setFocus(Qt::MouseFocusReason);
    }
    const SSliderGeometry geometry = Geometry();
    const int pointer = Along(event->position().toPoint());
    const int centre = ThumbCentre();
    if (std::abs(pointer - centre) > geometry.thumb / 2) {
        // A click away from the thumb makes it jump there; its centre then follows the pointer.
        m_dragOffset = 0;
        const int pixel = geometry.fromLeadingEdge ? pointer - geometry.thumb / 2 : pointer;
        m_pos = geometry.PixelToPos(geometry.ClampPixel(pixel));
    } else {
        m_dragOffset = pointer - centre;
    }
    update();
    emit Notify(kDown, m_controlId, m_pos);
}

void CBitmapSlider::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging) {
        return;
    }
    const SSliderGeometry geometry = Geometry();
    const int centre = Along(event->position().toPoint()) - m_dragOffset;
    const int pixel = geometry.fromLeadingEdge ? centre - geometry.thumb / 2 : centre;
    const int pos = geometry.PixelToPos(geometry.ClampPixel(pixel));
    if (pos != m_pos) {
        m_pos = pos;
        update();
        emit Notify(kMoving, m_controlId, m_pos);
    }
}

void CBitmapSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_dragging || event->button() != Qt::LeftButton) {
        return;
    }
    m_dragging = false;
    update();
    emit Notify(kReleased, m_controlId, m_pos);
}

}  // namespace vorlix
