#include "OsdNotificationView.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace vorlix {

namespace {

int DigitsValue(const SOsdPicture& picture) {
    int value = 0;
    for (const int id : picture.digits) {
        const int digit = id == osdpic::kBlankDigit ? 0 : id - osdpic::kDigitFirst;
        value = value * 10 + digit;
    }
    return value;
}

}  // namespace

QString COsdNotificationView::Text(const SOsdPicture& picture) {
    const int id = picture.id;
    if (id >= osdpic::kProfileFirst && id < osdpic::kProfileFirst + COsdState::kProfiles) {
        return QStringLiteral("Profile %1").arg(id - osdpic::kProfileFirst + 1);
    }
    if (id >= osdpic::kLevelFirst && id < osdpic::kLevelFirst + COsdState::kLevels) {
        return QStringLiteral("Level %1: %2 DPI").arg(id - osdpic::kLevelFirst + 1).arg(DigitsValue(picture));
    }
    if (id >= osdpic::kRateFirst && id <= osdpic::kLast) {
        static const int rates[] = {125, 250, 500, 1000};
        return QStringLiteral("Report rate %1 Hz").arg(rates[id - osdpic::kRateFirst]);
    }
    switch (id) {
        case osdpic::kBack:
            return QStringLiteral("Back");
        case osdpic::kForward:
            return QStringLiteral("Forward");
        case osdpic::kNormal:
            return QStringLiteral("Normal mode");
        case osdpic::kBattle:
            return QStringLiteral("Battle mode");
        case osdpic::kLock:
            return QStringLiteral("Locked");
        case osdpic::kUnlock:
            return QStringLiteral("Unlocked");
        default:
            return {};
    }
}

bool COsdNotificationView::Prepare(const SOsdPicture& picture) {
    m_text = Text(picture);
    return !m_text.isEmpty();
}

void COsdNotificationView::SetVisible(bool visible) {
    // Hiding is left to the service's own three-second expiry.
    if (!visible || m_text.isEmpty()) {
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("transient"), true);
    call << QStringLiteral("Vorlix Daze") << *m_replaces << QStringLiteral("input-mouse") << m_text
         << QString() << QStringList() << hints << static_cast<int32_t>(COsdState::kShowMs);
    // Never wait on the service: the answer only tells which notice the next one replaces.
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [replaces = m_replaces, watcher] {
        const QDBusPendingReply<uint32_t> reply = *watcher;
        if (reply.isValid()) {
            *replaces = reply.value();
        }
        watcher->deleteLater();
    });
}

}  // namespace vorlix
