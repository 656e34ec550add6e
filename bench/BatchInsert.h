#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <optional>

// Inserts rows into one table many at a time: one prepared multi-row INSERT is reused for
// every full batch, another made for the rest. Throws std::runtime_error on a refused row.
class BatchInsert
{
public:
    // columnList like "(CODE, ENAME)"; rowsPerStatement times the column count must stay
    // below the backend's limit of parameters.
    BatchInsert(QSqlDatabase db, const QString &table, const QString &columnList, int columns, int rowsPerStatement);

    void add(const QVariantList &row);
    // Writes what is still buffered.
    void finish();

private:
    QString statement(int rows) const;
    void flush(QSqlQuery &query, int rows);

    QSqlDatabase m_db;
    QString m_head;
    int m_columns;
    int m_rowsPerStatement;
    std::optional<QSqlQuery> m_full;
    QVariantList m_buffer;
};
