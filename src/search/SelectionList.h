#pragma once

#include "search/SearchCondition.h"

#include <QList>
#include <QString>

class QListWidget;

// Refills a selection list from a statement: "* All *" (identifier 0) first, then one entry
// per row, its text from nameColumn and its identifier (Qt::UserRole) from idColumn. A
// statement, or a filter, that gives no rows leaves the list completely empty, without
// "* All *". The list is emptied first, so a failing statement (DbError) leaves it empty too.
void FillSelectionList(QListWidget *list, const QString &sql, const QString &nameColumn, const QString &idColumn,
                       const QString &filter = QString());

// A list's entries with their identifiers and selected flags, in the order shown.
QList<ListEntry> SelectionEntries(const QListWidget *list);
