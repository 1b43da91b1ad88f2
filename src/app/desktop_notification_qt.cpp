// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop_notification_qt.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace trafikon {

bool NotifyDesktop(const QString& title, const QString& text) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage notify = QDBusMessage::createMethodCall("org.freedesktop.Notifications",
                                                         "/org/freedesktop/Notifications",
                                                         "org.freedesktop.Notifications", "Notify");
    // Plain text: a log's name or line never acts as markup.
    QString body = text;
    body.replace('&', "&amp;").replace('<', "&lt;").replace('>', "&gt;");
    notify << QStringLiteral("Trafikon") << 0u << QStringLiteral("org.trafikon.Trafikon") << title
           << body << QStringList() << QVariantMap() << -1;
    return bus.send(notify);
}

}  // namespace trafikon
