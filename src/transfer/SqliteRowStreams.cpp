#include "data/DbError.h"
#include "data/drivers/SqliteFunctions.h"
#include "transfer/RowStreams.h"

#include <QCoreApplication>

#include <charconv>
#include <sqlite3.h>

// Rows through SQLite's own API on the handle of Qt's SQLite driver: the text SQLite stores
// goes out and in as it is, with no QVariant or QString on the way.
namespace {

using Processing::DbError;

DbError failure(sqlite3 *connection, const QString &what)
{
    return DbError(what, QString::fromUtf8(sqlite3_errmsg(connection)), QString(),
                   QString::number(sqlite3_extended_errcode(connection)));
}

sqlite3_stmt *prepared(sqlite3 *connection, const QString &sql, const QString &what)
{
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(connection, text.constData(), int(text.size()), &statement, nullptr) != SQLITE_OK)
        throw failure(connection, what);
    return statement;
}

class Reader final : public RowReader
{
public:
    Reader(sqlite3 *connection, const Processing::DirectoryTable &table)
        : m_connection(connection),
          m_what(QCoreApplication::translate("Transfer", "The %1 could not be read.").arg(table.rows)),
          m_statement(prepared(connection, Processing::SelectRowsStatement(table), m_what)),
          m_columns(sqlite3_column_count(m_statement))
    {}
    ~Reader() override { sqlite3_finalize(m_statement); }

    bool next(CopyRow &row) override
    {
        const int stepped = sqlite3_step(m_statement);
        if (stepped == SQLITE_DONE)
            return false;
        if (stepped != SQLITE_ROW)
            throw failure(m_connection, m_what);
        row.clear();
        for (int c = 0; c < m_columns; ++c) {
            if (sqlite3_column_type(m_statement, c) == SQLITE_NULL) {
                row.appendNull();
                continue;
            }
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, c));
            row.append(text, std::size_t(sqlite3_column_bytes(m_statement, c)));
        }
        return true;
    }

private:
    sqlite3 *m_connection;
    const QString m_what;
    sqlite3_stmt *m_statement;
    const int m_columns;
};

class Writer final : public RowWriter
{
public:
    Writer(sqlite3 *connection, const Processing::DirectoryTable &table)
        : m_connection(connection),
          m_what(QCoreApplication::translate("Transfer", "The %1 could not be written.").arg(table.rows)),
          m_statement(prepared(connection, Processing::InsertRowStatement(table), m_what)), m_integers(table.integers)
    {}
    ~Writer() override { sqlite3_finalize(m_statement); }

    void write(const CopyRow &row) override
    {
        for (int c = 0; c < row.size(); ++c) {
            const int position = c + 1;
            int bound;
            if (row.isNull(c)) {
                bound = sqlite3_bind_null(m_statement, position);
            } else {
                const QByteArrayView value = row.value(c);
                qint64 number = 0;
                const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
                // An integer column's number as a number; anything else there stays the text it was.
                if (m_integers.at(c) && error == std::errc() && end == value.data() + value.size() && !value.isEmpty())
                    bound = sqlite3_bind_int64(m_statement, position, number);
                else
                    bound = sqlite3_bind_text(m_statement, position, value.data(), int(value.size()), SQLITE_STATIC);
            }
            if (bound != SQLITE_OK)
                throw failure(m_connection, m_what);
        }
        const int stepped = sqlite3_step(m_statement);
        if (stepped != SQLITE_DONE) {
            const DbError refused = failure(m_connection, m_what);
            sqlite3_reset(m_statement);
            throw refused;
        }
        sqlite3_reset(m_statement);
    }
    void finish() override {}

private:
    sqlite3 *m_connection;
    const QString m_what;
    sqlite3_stmt *m_statement;
    const QList<bool> m_integers;
};

sqlite3 *handleOf(const QSqlDatabase &db)
{
    if (!db.isOpen() || db.driverName() != QLatin1StringView("QSQLITE"))
        return nullptr;
    return Processing::SharedSqliteHandle(db);
}

} // namespace

std::unique_ptr<RowReader> SqliteRowReader(const QSqlDatabase &db, const Processing::DirectoryTable &table)
{
    sqlite3 *connection = handleOf(db);
    return connection ? std::make_unique<Reader>(connection, table) : nullptr;
}

std::unique_ptr<RowWriter> SqliteRowWriter(const QSqlDatabase &db, const Processing::DirectoryTable &table)
{
    sqlite3 *connection = handleOf(db);
    return connection ? std::make_unique<Writer>(connection, table) : nullptr;
}
