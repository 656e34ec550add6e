#pragma once

#include <QString>

// Identifiers of new rows are chosen by the program. Both throw Processing::DbError. The
// results may lie above Editing::LargestIdentifier; the caller refuses those.

// A new category or district: the counted rows plus one, unless that identifier is taken
// (rows were deleted earlier); then one above the largest in use.
qint64 NewRowIdentifier(qint64 counted, const QString &table, const QString &column);

// The next place: one above the largest LEAF_ID, 1 in an empty directory.
qint64 NextLeafId();
