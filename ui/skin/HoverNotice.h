#pragma once

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace vorlix {

// The hover and leave notices one control posts to its partners (a hot-spot to the function row, a
// hover button to its listeners). code carries what the other side reads: 288 + a button index for a
// hot-spot, 288 + the group value for a relaying hover button, 0 otherwise.
class CHoverNotice : public QEvent {
public:
    enum EKind { Hover, Leave };
    static constexpr int kButtonBase = 288;

    CHoverNotice(EKind kind, int code, QWidget* source);
    static QEvent::Type EventType();

    EKind Kind() const { return m_kind; }
    int Code() const { return m_code; }
    QWidget* Source() const { return m_source; }

    // Posts a notice to a partner; nothing when the partner is gone or unset.
    static void Post(QWidget* partner, EKind kind, int code, QWidget* source);

private:
    EKind m_kind;
    int m_code;
    QPointer<QWidget> m_source;
};

}  // namespace vorlix
