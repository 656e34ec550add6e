#pragma once

#include <QString>

#include <functional>

namespace Processing {
class Connection;
}

// Identifiers of new rows are chosen by the program.
namespace Processing {

// Largest identifier of a category, district or place: they pass through 16-bit integers.
constexpr qint32 LargestIdentifier = 32767;

// Whether an identifier is taken, and the largest in use (column MaxID).
QString IdentifierInUseQuery(const QString &table, const QString &column, qint32 id);
QString LargestIdentifierQuery(const QString &table, const QString &column);
// The largest place identifier (column LCount).
QString NewLeafIdQuery();

// The rule for a new category or district: the counted rows plus one, unless that identifier is
// taken (rows were deleted earlier); then one above the largest in use. Asks only what it needs.
qint64 ChooseNewRowIdentifier(qint64 counted, const std::function<bool(qint64)> &taken,
                              const std::function<qint64()> &oneAboveLargest);

// Both read over db, inside the transaction of the write that relies on them. Both throw DbError.
// The results may lie above LargestIdentifier; the caller refuses those.

// A new category or district, by the rule above over the rows of table.
qint64 NewRowIdentifier(qint64 counted, const QString &table, const QString &column, Connection &db);

// The next place: one above the largest LEAF_ID, 1 in an empty directory.
qint64 NextLeafId(Connection &db);

} // namespace Processing
