#include "ui/dialogs/CommandClick.h"

#include <QAbstractButton>
#include <QDialog>
#include <QPointer>
#include <QVariant>

#include "platform/qt/PublishedEndpoint.h"

namespace vorlix {

void SetControlId(QWidget* control, int id) {
    control->setProperty(kControlIdProperty, id);
}

QWidget* FindControl(QWidget* window, int controlId) {
    if (window == nullptr) {
        return nullptr;
    }
    const auto children = window->findChildren<QWidget*>();
    for (QWidget* child : children) {
        const QVariant id = child->property(kControlIdProperty);
        if (id.isValid() && id.toInt() == controlId) {
            return child;
        }
    }
    return nullptr;
}

bool ClickControl(QWidget* window, int controlId) {
    if (window == nullptr) {
        return false;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(FindControl(window, controlId))) {
        if (!button->isEnabled()) {
            return false;
        }
        button->click();
        return true;
    }
    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        if (controlId == 1) {
            dialog->accept();
            return true;
        }
        if (controlId == 2) {
            dialog->reject();
            return true;
        }
    }
    return false;
}

void RouteCommands(CPublishedEndpoint& endpoint, QWidget* window) {
    QPointer<QWidget> target(window);
    QObject::connect(&endpoint, &CPublishedEndpoint::Command, window, [target](int id) {
        if (target) {
            ClickControl(target, id);
        }
    });
}

}  // namespace vorlix
