// atspi_visibility.cpp: the "visible" state change that Qt's AT-SPI bridge does not send.
#include "atspi_visibility.h"

#include <QAccessible>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QWidget>

namespace tintwise::ui {

void reportVisibility(QWidget* widget)
{
    if (!QAccessible::isActive()) {
        return;
    }
    // The bridge's own connection to the accessibility bus, which it opens under this name: an
    // event is the application's only when it comes from the application's bus name.
    const QDBusConnection bus(QStringLiteral("a11y"));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    if (!bus.isConnected() || accessible == nullptr) {
        return;
    }
    // Laid out as the bridge lays out its own state changes: the object's path under the
    // bridge's prefix, and the application's root as the event's host.
    const QString path =
        QStringLiteral("/org/a11y/atspi/accessible/%1").arg(QAccessible::uniqueId(accessible));
    QDBusArgument host;
    host.beginStructure();
    host << bus.baseService() << QDBusObjectPath(QStringLiteral("/org/a11y/atspi/accessible/root"));
    host.endStructure();
    QDBusMessage event = QDBusMessage::createSignal(
        path, QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("StateChanged"));
    event << QStringLiteral("visible") << int(widget->isVisible()) << 0
          << QVariant::fromValue(QDBusVariant(0)) << QVariant::fromValue(host);
    bus.send(event);
}

} // namespace tintwise::ui
