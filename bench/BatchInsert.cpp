#include "BatchInsert.h"

#include <QSqlError>

#include <stdexcept>

BatchInsert::BatchInsert(QSqlDatabase db, const QString &table, const QString &columnList, int columns,
                         int rowsPerStatement)
    : m_db(std::move(db)), m_head(QStringLiteral("insert into %1 %2 values ").arg(table, columnList)),
      m_columns(columns), m_rowsPerStatement(rowsPerStatement)
{
    m_buffer.reserve(columns * rowsPerStatement);
}

QString BatchInsert::statement(int rows) const
{
    QString tuple = QStringLiteral("(");
    for (int c = 0; c < m_columns; ++c)
        tuple += c == 0 ? QStringLiteral("?") : QStringLiteral(", ?");
    tuple += QLatin1Char(')');
    QString sql = m_head;
    for (int r = 0; r < rows; ++r) {
        if (r > 0)
            sql += QStringLiteral(", ");
        sql += tuple;
    }
    return sql;
}

void BatchInsert::add(const QVariantList &row)
{
    Q_ASSERT(row.size() == m_columns);
    m_buffer.append(row);
    if (m_buffer.size() < m_columns * m_rowsPerStatement)
        return;
    if (!m_full) {
        m_full.emplace(m_db);
        if (!m_full->prepare(statement(m_rowsPerStatement)))
            throw std::runtime_error(("cannot prepare an insert: " + m_full->lastError().text()).toStdString());
    }
    flush(*m_full, m_rowsPerStatement);
}

void BatchInsert::finish()
{
    if (m_buffer.isEmpty())
        return;
    const int rows = int(m_buffer.size()) / m_columns;
    QSqlQuery rest(m_db);
    if (!rest.prepare(statement(rows)))
        throw std::runtime_error(("cannot prepare an insert: " + rest.lastError().text()).toStdString());
    flush(rest, rows);
}

void BatchInsert::flush(QSqlQuery &query, int rows)
{
    for (int i = 0; i < rows * m_columns; ++i)
        query.bindValue(i, m_buffer.at(i));
    if (!query.exec())
        throw std::runtime_error(("an insert was refused: " + query.lastError().text()).toStdString());
    m_buffer.clear();
}
