#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

class QSqlQuery;

namespace Processing {

class RowFilter;

// A fully fetched result: the exact row count is known before the rows are walked, and
// fields are found by name without regard to case. Resolve a field's position once with
// field() and read every row through it.
class Recordset
{
public:
    Recordset() = default;

    // Reads every row of an executed query forward, keeping those the filter lets through.
    static Recordset fetch(QSqlQuery &query, const RowFilter &filter);

    int RecordCount() const { return int(m_rows.size()); }

    // Position of a column by name or alias, any case; throws DbError when there is none.
    int field(const QString &name) const;

    const QVariant &value(int row, int field) const { return m_rows.at(row).at(field); }
    bool isNull(int row, int field) const { return value(row, field).isNull(); }
    // NULL reads as the empty text.
    QString text(int row, int field) const;
    // NULL, or a value outside the type's range, gives no number.
    std::optional<qint32> int32(int row, int field) const;

private:
    QHash<QString, int> m_positions; // lower-case name -> position
    QList<QList<QVariant>> m_rows;
};

} // namespace Processing
