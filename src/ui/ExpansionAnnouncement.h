#pragma once

class QModelIndex;
class QTreeView;

// Tells a screen reader that the tree's item at index was expanded or collapsed, when that
// item is the one the keyboard is on. The change rebuilds the view's accessible items, so the
// one a screen reader had in focus is gone and Qt 6.4's AT-SPI bridge forwards no change of
// the expanded state: the screen reader fell silent. The item is focused again, as its new
// self, and a screen reader says it as at every focus: its name and "expanded" or "collapsed".
// Qt's own state-change event goes out too, for bridges that do forward it.
void AnnounceExpansion(QTreeView *view, const QModelIndex &index);
