#include "OsdWnd.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/Trace.h"
#include "ui/skin/QtRegion.h"

#if __has_include(<xcb/xcb.h>)
#include <xcb/xcb.h>

#include <QtGui/qguiapplication_platform.h>
#define VORLIX_OSD_XCB 1
#endif

namespace vorlix {

COsdWnd::COsdWnd(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus |
                          Qt::WindowTransparentForInput) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    m_composited = CompositorRunning();
    if (m_composited) {
        setAttribute(Qt::WA_TranslucentBackground);
        setWindowOpacity(osdpic::kAlpha / 255.0);
    }
}

bool COsdWnd::CompositorRunning() {
#ifdef VORLIX_OSD_XCB
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 == nullptr || x11->connection() == nullptr) {
        return false;
    }
    xcb_connection_t* connection = x11->connection();
    // A compositing manager owns the selection _NET_WM_CM_S<screen>.
    const char* display = std::getenv("DISPLAY");
    int screen = 0;
    if (display != nullptr) {
        const char* dot = std::strrchr(display, '.');
        const char* colon = std::strrchr(display, ':');
        if (dot != nullptr && dot > colon) {
            screen = std::atoi(dot + 1);
        }
    }
    const std::string name = "_NET_WM_CM_S" + std::to_string(screen);
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.c_str()),
        nullptr);
    if (atom == nullptr) {
        return false;
    }
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
    const bool running = owner != nullptr && owner->owner != XCB_NONE;
    std::free(owner);
    std::free(atom);
    return running;
#else
    return false;
#endif
}

QImage COsdWnd::Picture(int id) {
    if (id < osdpic::kProfileFirst || id > osdpic::kLast) {
        return {};
    }
    return QImage(QStringLiteral(":/osd/%1.png").arg(id)).convertToFormat(QImage::Format_RGB32);
}

QImage COsdWnd::Compose(const SOsdPicture& picture) {
    QImage composed = Picture(picture.id);
    if (composed.isNull() || !picture.hasDigits) {
        return composed;
    }
    QPainter painter(&composed);
    int x = osdpic::kDigitX;
    for (const int digit : picture.digits) {
        const QImage image = Picture(digit);
        if (image.isNull()) {
            return {};
        }
        painter.drawImage(x, osdpic::kDigitY, image);
        x += image.width();
    }
    return composed;
}

bool COsdWnd::Prepare(const SOsdPicture& picture) {
    QImage composed = Compose(picture);
    if (composed.isNull()) {
        return false;
    }
    m_composed = composed;
    const QRegion shape = RegionFromImage(m_composed, osdpic::kKeyRgb);
    if (m_composited) {
        // Per-pixel transparency outside the shape, the whole window at alpha 220.
        m_drawn = m_composed.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < m_drawn.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(m_drawn.scanLine(y));
            for (int x = 0; x < m_drawn.width(); ++x) {
                if ((row[x] & 0xFFFFFFu) == osdpic::kKeyRgb) {
                    row[x] = 0;
                }
            }
        }
    } else {
        m_drawn = m_composed;
    }
    setFixedSize(m_composed.size());
    // The mask also keeps the key colour off the screen where translucency is not available.
    setMask(shape);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1280, 1024);
    const SOsdPlace place =
        PlaceOnScreen(area.width(), area.height(), m_composed.width(), m_composed.height());
    move(area.x() + place.x, area.y() + place.y);
    update();
    m_pictureId = picture.id;
    Trace("osd prepared " + std::to_string(picture.id));
    return true;
}

void COsdWnd::SetVisible(bool visible) {
    if (visible) {
        show();
        Trace("osd shown " + std::to_string(m_pictureId));
    } else if (isVisible()) {
        hide();
    }
}

void COsdWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_composited) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
    }
    painter.drawImage(0, 0, m_drawn);
}

}  // namespace vorlix
