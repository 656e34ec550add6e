#pragma once

class QModelIndex;
class QTreeView;

// Tells a screen reader that the tree's item at index was expanded or collapsed, when that item
// is the one the keyboard is on in the active window: the item's state "expanded" changes, and a
// screen reader that has the item in focus says so ("Shopping, expanded").
void AnnounceExpansion(QTreeView *view, const QModelIndex &index);
