#include "data/writes/NewIdentifiers.h"

#include "data/connection/Connection.h"

#include <limits>

namespace Processing {

namespace {

// One above the number in the query's only column; an empty table (NULL) gives 1.
qint64 oneAboveLargest(const QString &sql, const QString &column, Connection &db)
{
    const Recordset rs = db.openRecordset(sql);
    if (rs.RecordCount() < 1)
        return 0;
    const int field = rs.field(column);
    if (rs.isNull(0, field))
        return 1;
    const std::optional<qint32> largest = rs.int32(0, field);
    if (!largest)
        // Beyond any identifier the program can keep; the caller refuses it.
        return qint64(std::numeric_limits<qint32>::max()) + 1;
    return qint64(*largest) + 1;
}

} // namespace

QString IdentifierInUseQuery(const QString &table, const QString &column, qint32 id)
{
    return QStringLiteral("Select %1 from %2 where %1 = %3").arg(column, table, QString::number(id));
}

QString LargestIdentifierQuery(const QString &table, const QString &column)
{
    return QStringLiteral("Select Max(%1) MaxID from %2").arg(column, table);
}

QString NewLeafIdQuery()
{
    return QStringLiteral("Select Max(Leaf_ID) LCount from PLACES_LEAVES ");
}

qint64 ChooseNewRowIdentifier(qint64 counted, const std::function<bool(qint64)> &taken,
                              const std::function<qint64()> &oneAboveLargest)
{
    const qint64 candidate = counted + 1;
    if (candidate > LargestIdentifier || !taken(candidate))
        return candidate;
    return oneAboveLargest();
}

qint64 NewRowIdentifier(qint64 counted, const QString &table, const QString &column, Connection &db)
{
    return ChooseNewRowIdentifier(
        counted,
        [&](qint64 id) { return db.openRecordset(IdentifierInUseQuery(table, column, qint32(id))).RecordCount() > 0; },
        [&] { return oneAboveLargest(LargestIdentifierQuery(table, column), QStringLiteral("MaxID"), db); });
}

qint64 NextLeafId(Connection &db)
{
    return oneAboveLargest(NewLeafIdQuery(), QStringLiteral("LCount"), db);
}

} // namespace Processing
