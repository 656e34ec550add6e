#pragma once

#include "transfer/CopyRow.h"

#include <QString>
#include <QtGlobal>

// A checksum of a table's rows that does not depend on their order: each row's values hashed
// in their order (NULL apart from every text), the rows' hashes summed. Two tables with the
// same rows, in any order, have the same; one value changed, lost or moved to another column
// changes it.
class RowChecksum
{
public:
    void add(const CopyRow &row);

    qint64 rows() const { return m_rows; }
    quint64 sum() const { return m_sum; }
    bool operator==(const RowChecksum &other) const = default;

    // Several tables' checksums as one, for telling.
    void combine(const RowChecksum &other, int position);
    QString text() const;

private:
    qint64 m_rows = 0;
    quint64 m_sum = 0;
};
