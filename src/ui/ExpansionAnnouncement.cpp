#include "ui/ExpansionAnnouncement.h"

#include <QAccessible>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QTimer>
#include <QTreeView>

#ifdef TARNWICK_ATSPI
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#endif

namespace {

#ifdef TARNWICK_ATSPI
// Qt 6.4's AT-SPI bridge forwards no change of the expanded state, so a screen reader that has
// the item in focus says nothing when it opens or closes. The change is sent here as the bridge
// sends its own: the documented AT-SPI event org.a11y.atspi.Event.Object.StateChanged
// ("expanded", 1 or 0), from the bridge's connection to the accessibility bus (Qt D-Bus's
// connection named "a11y"), at the object path the bridge gives the item
// (/org/a11y/atspi/accessible/ and QAccessible::uniqueId). Public classes and the protocol only.
QDBusArgument objectReference(const QString &service, const QString &path)
{
    QDBusArgument reference;
    reference.beginStructure();
    reference << service << QDBusObjectPath(path);
    reference.endStructure();
    return reference;
}

void sendExpandedChange(QAccessibleInterface *item, bool expanded)
{
    const QDBusConnection bus(QStringLiteral("a11y"));
    if (!bus.isConnected())
        return;
    const QString path = QStringLiteral("/org/a11y/atspi/accessible/") + QString::number(QAccessible::uniqueId(item));
    QDBusMessage change =
        QDBusMessage::createSignal(path, QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("StateChanged"));
    change << QStringLiteral("expanded") << int(expanded) << 0
           << QVariant::fromValue(QDBusVariant(QVariant::fromValue(objectReference(bus.baseService(), path))))
           << QVariant::fromValue(
                  objectReference(bus.baseService(), QStringLiteral("/org/a11y/atspi/accessible/root")));
    bus.send(change);
}
#endif

void announce(QTreeView *view, const QModelIndex &index)
{
    // Only the item the user is on, in the window the user is in: a dialog opened meanwhile keeps
    // the screen reader's attention.
    if (!QAccessible::isActive() || index != view->currentIndex() || !view->hasFocus() || !view->isActiveWindow())
        return;
    QAccessibleInterface *tree = QAccessible::queryAccessibleInterface(view);
    QAccessibleInterface *item = tree ? tree->focusChild() : nullptr;
    if (!item)
        return;
    // Qt's own event, for bridges that forward it.
    QAccessible::State changed;
    changed.expanded = true;
    changed.collapsed = true;
    QAccessibleStateChangeEvent stateChange(item, changed);
    QAccessible::updateAccessibility(&stateChange);
#ifdef TARNWICK_ATSPI
    sendExpandedChange(item, view->isExpanded(index));
#endif
}

} // namespace

void AnnounceExpansion(QTreeView *view, const QModelIndex &index)
{
    if (!QAccessible::isActive())
        return;
    // Once the view has laid out the change: its layout makes the accessible items anew, and an
    // item told of before would be gone when the screen reader asks about it.
    QTimer::singleShot(0, view, [view = QPointer<QTreeView>(view), node = QPersistentModelIndex(index)] {
        if (view)
            announce(view, node);
    });
}
