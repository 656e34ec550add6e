#include "ui/ExpansionAnnouncement.h"

#include <QAccessible>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QTimer>
#include <QTreeView>

namespace {

void announce(QTreeView *view, const QModelIndex &index)
{
    if (!QAccessible::isActive() || index != view->currentIndex() || !view->hasFocus())
        return;
    QAccessibleInterface *tree = QAccessible::queryAccessibleInterface(view);
    QAccessibleInterface *item = tree ? tree->focusChild() : nullptr;
    if (!item)
        return;
    QAccessible::State changed;
    changed.expanded = true;
    changed.collapsed = true;
    QAccessibleStateChangeEvent stateChange(item, changed);
    QAccessible::updateAccessibility(&stateChange);
    QAccessibleEvent focus(item, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

} // namespace

void AnnounceExpansion(QTreeView *view, const QModelIndex &index)
{
    if (!QAccessible::isActive())
        return;
    // Once the view has laid out the change: its layout makes the accessible items anew, and
    // an item told of before would be gone when the screen reader asks about it.
    QTimer::singleShot(0, view, [view = QPointer<QTreeView>(view), node = QPersistentModelIndex(index)] {
        if (view)
            announce(view, node);
    });
}
