#include "editing/NewIdentifiers.h"

#include "data/Connection.h"
#include "editing/EditStatements.h"

#include <limits>

namespace {

// One above the number in the query's only column; an empty table (NULL) gives 1.
qint64 oneAboveLargest(const QString &sql, const QString &column)
{
    const Processing::Recordset rs = Processing::DbConn().openRecordset(sql);
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

qint64 NewRowIdentifier(qint64 counted, const QString &table, const QString &column)
{
    const qint64 candidate = counted + 1;
    if (candidate > Editing::LargestIdentifier)
        return candidate;
    const Processing::Recordset taken =
        Processing::DbConn().openRecordset(Editing::IdentifierInUseQuery(table, column, qint32(candidate)));
    if (taken.RecordCount() < 1)
        return candidate;
    return oneAboveLargest(Editing::LargestIdentifierQuery(table, column), QStringLiteral("MaxID"));
}

qint64 NextLeafId()
{
    return oneAboveLargest(Editing::NewLeafIdQuery(), QStringLiteral("LCount"));
}
