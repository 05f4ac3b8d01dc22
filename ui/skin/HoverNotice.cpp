#include "ui/skin/HoverNotice.h"

#include <QCoreApplication>

namespace vorlix {

CHoverNotice::CHoverNotice(EKind kind, int code, QWidget* source)
    : QEvent(EventType()), m_kind(kind), m_code(code), m_source(source) {}

QEvent::Type CHoverNotice::EventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void CHoverNotice::Post(QWidget* partner, EKind kind, int code, QWidget* source) {
    if (partner != nullptr) {
        QCoreApplication::postEvent(partner, new CHoverNotice(kind, code, source));
    }
}

}  // namespace vorlix
