#include "data/connection/Recordset.h"

#include "data/DbError.h"
#include "data/connection/FieldValues.h"
#include "data/statements/RowFilter.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QSqlRecord>

namespace Processing {

Recordset Recordset::fetch(QSqlQuery &query, const RowFilter &filter)
{
    Recordset result;
    const QSqlRecord record = query.record();
    const int columns = record.count();
    // Walked backwards so that the first column of a name wins, as a lookup by name would.
    for (int i = columns - 1; i >= 0; --i)
        result.m_positions.insert(record.fieldName(i).toLower(), i);

    QList<QPair<int, qint64>> tests;
    for (const RowFilter::Alternative &alternative : filter.alternatives())
        tests.append({result.field(alternative.column), alternative.value});

    while (query.next()) {
        QList<QVariant> row;
        row.reserve(columns);
        for (int i = 0; i < columns; ++i)
            row.append(query.value(i));
        if (!tests.isEmpty()) {
            bool keep = false;
            for (const auto &[position, wanted] : tests) {
                if (WholeNumber(row.at(position)) == wanted) {
                    keep = true;
                    break;
                }
            }
            if (!keep)
                continue;
        }
        result.m_rows.append(std::move(row));
    }
    return result;
}

int Recordset::field(const QString &name) const
{
    const auto found = m_positions.constFind(name.toLower());
    if (found == m_positions.constEnd())
        throw DbError(QCoreApplication::translate("Processing", "The result has no column \"%1\".").arg(name));
    return found.value();
}

QString Recordset::text(int row, int field) const
{
    const QVariant &v = value(row, field);
    return v.isNull() ? QString() : v.toString();
}

std::optional<qint32> Recordset::int32(int row, int field) const
{
    return Int32Of(value(row, field));
}

} // namespace Processing
