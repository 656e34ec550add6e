#pragma once

#include "data/DatabaseDescriptor.h"
#include "data/Dialect.h"
#include "data/Recordset.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

namespace Processing {

// How long a statement on the SQLite file waits for another connection's lock to go.
constexpr int SqliteBusyTimeoutMs = 2000;

// The program's one database connection. Every statement goes through it, adapted to the
// backend's dialect on the way out. Failures are thrown as DbError. It is never torn down
// by a destructor: Qt's own registry of connections may be gone by then.
class Connection
{
public:
    Connection() = default;
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    bool isOpen() const;
    void open(const DatabaseDescriptor &descriptor);
    void close();

    Dialect dialect() const { return m_dialect; }
    QSqlDatabase database() const;

    // A statement that returns no rows.
    void execute(const QString &sql);
    void begin();
    void commit();
    void rollback();

    // A fully fetched result, optionally narrowed by a row filter ("city_id = 3").
    Recordset openRecordset(const QString &sql, const QString &filter = QString());

    // An executed forward-only query, for a reader that keeps the rows its own way (the
    // places list). Throws DbError when the database refuses it.
    QSqlQuery run(const QString &sql);
    // The database's words for a failure while reading such a query's rows; empty if none.
    static QString lastQueryError(const QSqlQuery &query);

    // The text actually sent for a statement, after the dialect adaptation.
    QString sent(const QString &sql) const { return AdaptSql(sql, m_dialect); }

private:
    void requireOpen(const QString &what) const;
    // Runs a transaction's statement on SQLite; false on any other database.
    bool sqliteTransactionStatement(const QString &sql, const QString &what);
    [[noreturn]] static void notConnected(const QString &what);

    Dialect m_dialect = Dialect::Oracle;
};

// The process-wide connection.
Connection &DbConn();

} // namespace Processing
