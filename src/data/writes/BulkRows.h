#pragma once

#include "data/connection/Connection.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>

namespace Processing {

// Many new rows of one table, written in the transaction under way as fast as each database takes
// them: PostgreSQL's COPY and SQLite's prepared statement, both on the driver's own connection;
// elsewhere (ODBC, Oracle) INSERT statements of many rows at a time, every text through SqlText.
// A row the database refuses throws DbError, from the call that sent it or from finish(); the
// transaction is then to be rolled back. Left without finish(), whatever is under way is given up.
class BulkRows
{
public:
    // Each row gives its values in the order of columns.
    BulkRows(Connection &db, const QString &table, const QStringList &columns);
    ~BulkRows();
    BulkRows(const BulkRows &) = delete;
    BulkRows &operator=(const BulkRows &) = delete;

    void text(QStringView value);
    void number(qint64 value);
    void null();
    void endRow();
    void finish();

    // One way of writing them.
    class Writer
    {
    public:
        virtual ~Writer() = default;
        virtual void text(QStringView value) = 0;
        virtual void number(qint64 value) = 0;
        virtual void null() = 0;
        virtual void endRow() = 0;
        virtual void finish() = 0;
    };

private:
    std::unique_ptr<Writer> m_writer;
};

// The ways, each nullptr where it cannot serve the connection.
std::unique_ptr<BulkRows::Writer> PostgreSQLCopyWriter(Connection &db, const QString &table,
                                                       const QStringList &columns);
std::unique_ptr<BulkRows::Writer> SqliteInsertWriter(Connection &db, const QString &table, const QStringList &columns);

} // namespace Processing
