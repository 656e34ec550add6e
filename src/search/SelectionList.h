#pragma once

#include "data/rows/ReferenceListReads.h"
#include "search/SearchCondition.h"

#include <QList>
#include <QString>

class QListWidget;

// Refills a selection list from a reference list: "* All *" (identifier 0) first, then one entry
// per entry, its name as text and its identifier as Qt::UserRole, in alphabetical order. No
// entries leave the list completely empty, without "* All *".
void FillSelectionList(QListWidget *list, QList<Processing::ReferenceEntry> entries);

// A list's entries with their identifiers and selected flags, in the order shown.
QList<ListEntry> SelectionEntries(const QListWidget *list);
