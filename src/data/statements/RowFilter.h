#pragma once

#include <QList>
#include <QString>

namespace Processing {

// A recordset's row filter: it keeps the rows whose column holds one of the alternatives' whole
// numbers. Column names match without regard to case. No alternative keeps every row.
class RowFilter
{
public:
    struct Alternative
    {
        QString column;
        qint64 value = 0;
    };

    RowFilter() = default;
    explicit RowFilter(QList<Alternative> alternatives) : m_alternatives(std::move(alternatives)) {}

    bool isEmpty() const { return m_alternatives.isEmpty(); }
    const QList<Alternative> &alternatives() const { return m_alternatives; }

private:
    QList<Alternative> m_alternatives;
};

} // namespace Processing
