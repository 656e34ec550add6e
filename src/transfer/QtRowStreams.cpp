#include "data/DbError.h"
#include "data/connection/DriverErrors.h"
#include "transfer/RowStreams.h"

#include <QCoreApplication>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <QVariantList>

#include <charconv>

// Rows through Qt SQL, for every other driver (ODBC, Oracle): read forward-only, written by one
// prepared statement, many rows at a time where the driver binds arrays (ODBC).
namespace {

using Processing::DbError;

// Rows bound at once where the driver takes arrays.
constexpr int BatchRows = 1000;

class Reader final : public RowReader
{
public:
    Reader(const QSqlDatabase &db, const Processing::DirectoryTable &table)
        : m_db(db), m_query(db),
          m_what(QCoreApplication::translate("Transfer", "The %1 could not be read.").arg(table.rows))
    {
        m_query.setForwardOnly(true);
        if (!m_query.exec(Processing::SelectRowsStatement(table)))
            throw Processing::QueryError(m_what, m_db, m_query);
        m_columns = m_query.record().count();
    }

    bool next(CopyRow &row) override
    {
        if (!m_query.next()) {
            if (m_query.lastError().isValid())
                throw Processing::QueryError(m_what, m_db, m_query);
            return false;
        }
        row.clear();
        for (int c = 0; c < m_columns; ++c) {
            const QVariant value = m_query.value(c);
            if (value.isNull()) {
                row.appendNull();
                continue;
            }
            const QByteArray text = value.toString().toUtf8();
            row.append(text.constData(), std::size_t(text.size()));
        }
        return true;
    }

private:
    QSqlDatabase m_db;
    QSqlQuery m_query;
    const QString m_what;
    int m_columns = 0;
};

class Writer final : public RowWriter
{
public:
    Writer(const QSqlDatabase &db, const Processing::DirectoryTable &table)
        : m_db(db), m_query(db),
          m_what(QCoreApplication::translate("Transfer", "The %1 could not be written.").arg(table.rows)),
          m_integers(table.integers), m_batch(db.driver()->hasFeature(QSqlDriver::BatchOperations) ? BatchRows : 1),
          m_values(table.columns.size())
    {
        if (!m_query.prepare(Processing::InsertRowStatement(table)))
            throw Processing::QueryError(m_what, m_db, m_query);
    }

    void write(const CopyRow &row) override
    {
        for (int c = 0; c < row.size(); ++c)
            m_values[c].append(valueOf(row, c));
        if (++m_rows == m_batch)
            send();
    }
    void finish() override { send(); }

private:
    // An integer column's value as a number, with its type also where it is NULL, since an array
    // of values is bound with one type; anything else as text.
    QVariant valueOf(const CopyRow &row, int c) const
    {
        const bool integer = m_integers.at(c);
        if (row.isNull(c))
            return integer ? QVariant(QMetaType::fromType<qlonglong>()) : QVariant(QMetaType::fromType<QString>());
        const QByteArrayView value = row.value(c);
        if (integer) {
            qint64 number = 0;
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
            if (error == std::errc() && end == value.data() + value.size() && !value.isEmpty())
                return QVariant(qlonglong(number));
        }
        return QVariant(QString::fromUtf8(value));
    }

    void send()
    {
        if (m_rows == 0)
            return;
        for (qsizetype c = 0; c < m_values.size(); ++c)
            m_query.bindValue(int(c), m_batch == 1 ? m_values[c].first() : QVariant(m_values[c]));
        const bool done = m_batch == 1 ? m_query.exec() : m_query.execBatch();
        if (!done)
            throw Processing::QueryError(m_what, m_db, m_query);
        for (QVariantList &column : m_values)
            column.clear();
        m_rows = 0;
    }

    QSqlDatabase m_db;
    QSqlQuery m_query;
    const QString m_what;
    const QList<bool> m_integers;
    const int m_batch;
    QList<QVariantList> m_values; // per column
    int m_rows = 0;
};

} // namespace

std::unique_ptr<RowReader> QtRowReader(const QSqlDatabase &db, const Processing::DirectoryTable &table)
{
    return std::make_unique<Reader>(db, table);
}

std::unique_ptr<RowWriter> QtRowWriter(const QSqlDatabase &db, const Processing::DirectoryTable &table)
{
    return std::make_unique<Writer>(db, table);
}
