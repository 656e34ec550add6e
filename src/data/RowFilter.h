#pragma once

#include <QList>
#include <QString>

namespace Processing {

// A recordset's row filter: "column = number" alternatives joined by "or", with any blanks
// around the parts ("city_id = 12", "    City_id = 3 or  City_id = 7 "). Column names match
// without regard to case. Anything else is refused rather than read as "all rows".
class RowFilter
{
public:
    struct Alternative
    {
        QString column;
        qint64 value = 0;
    };

    // An empty or blank text is no filter. Throws DbError for text outside the grammar.
    static RowFilter parse(const QString &text);

    bool isEmpty() const { return m_alternatives.isEmpty(); }
    const QList<Alternative> &alternatives() const { return m_alternatives; }

private:
    QList<Alternative> m_alternatives;
};

} // namespace Processing
