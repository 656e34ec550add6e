#pragma once

#include "data/connection/ConnectionStatus.h"
#include "data/connection/Recordset.h"
#include "data/connection/StatementWatchdog.h"
#include "data/setup/DatabaseDescriptor.h"
#include "data/statements/Dialect.h"
#include "data/statements/RowFilter.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <chrono>
#include <optional>

namespace Processing {

class DbError;

// The program's one database connection. Every statement goes through it, adapted to the
// backend's dialect on the way out. Failures are thrown as DbError. It is never torn down
// by a destructor: Qt's own registry of connections may be gone by then.
//
// A connection that the server or the network lost is opened again the way it was opened,
// once, by the next statement that needs it: a read is then repeated, a transaction begun
// anew. Within a transaction nothing is repeated: what follows the loss fails until the
// transaction ends, and a commit cut off is checked on the server where it can be.
//
// No call waits on a server for ever: one that has had no byte from it for the answer limit is
// given up (see StatementWatchdog). A server that stops the statement when asked is busy, and the
// call fails with words that say so; one that does not answer even that has its connection closed
// and is silent: the call fails as at a lost connection, and nothing tries to reach the server
// again before control is back in the event loop the action came from, so that the action waits
// and is told once.
class Connection
{
public:
    Connection() = default;
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    bool isOpen() const;
    void open(const DatabaseDescriptor &descriptor);
    // Closes it for good: it is not opened again by itself.
    void close();
    // Whether the program is connected, signalled as it changes.
    ConnectionStatus &status() { return m_status; }

    // How long a call may wait for the server's next byte before it is given up.
    void setAnswerLimit(std::chrono::milliseconds limit) { m_watchdog.setLimit(limit); }
    std::chrono::milliseconds answerLimit() const { return m_watchdog.limit(); }

    Dialect dialect() const { return m_dialect; }
    QSqlDatabase database() const;

    // A statement that returns no rows.
    void execute(const QString &sql);
    void begin();
    // written: a query that counts the write's rows with their values (WrittenRowQueries), to settle
    // a commit whose answer was lost where the server cannot tell by the transaction's number.
    void commit(const QString &written = QString());
    void rollback();

    // A fully fetched result, optionally narrowed by a row filter.
    Recordset openRecordset(const QString &sql, const RowFilter &filter = RowFilter());

    // An executed forward-only query, for a reader that keeps the rows its own way (the
    // places list). Throws DbError when the database refuses it. Its reader reads it to the end
    // before the next statement is sent: PostgreSQL's driver throws away the rest otherwise.
    QSqlQuery run(const QString &sql);
    // Moves such a query to its next row; false at the end or when reading failed.
    bool nextRow(QSqlQuery &query);
    // The words for a failure while reading such a query's rows, the database's and the
    // program's where it gave the wait up; empty if none.
    QString rowsFailure(const QSqlQuery &query) const;
    // The database's words for a failure while reading a query's rows; empty if none.
    static QString lastQueryError(const QSqlQuery &query);

    // The text actually sent for a statement, after the dialect adaptation.
    QString sent(const QString &sql) const { return AdaptSql(sql, m_dialect); }

private:
    void requireOpen(const QString &what);
    [[noreturn]] static void notConnected(const QString &what);
    // After a failure: whether it was the loss of the connection. A lost connection is closed
    // here, so that the next statement outside a transaction opens it anew.
    bool lostBy(DbError &failure);
    // Throws the failure of a statement unless it is to be repeated: once, after a loss outside a
    // transaction or at the first statement of one, which then begins anew.
    void afterFailure(const DbError &failure, int attempt);
    // Whether a statement cut off by a loss outside a transaction may simply be sent again.
    enum class Resend { Safe, MayHaveTakenEffect };
    // Makes the attempt (its result, or the database's failure) on an open connection; when the
    // connection was lost, opens it again and makes the attempt once more where that is sound.
    template<typename Attempt> auto onceMoreAfterReopening(const QString &what, Resend resend, Attempt attempt);
    // A failure of the call just made, told as the watchdog's when it gave the call up; true then.
    bool givenUp(DbError &failure);
    // The server stopped answering and its connection was closed.
    void fallSilent();
    void endSilenceAt(int eventLoopLevel, int delayMs);
    DbError silentFailure(const QString &what) const;
    void establish(const DatabaseDescriptor &descriptor);
    void closeLost();
    // Opens the connection again as it was opened last; false when that fails.
    bool reopen(QString *why = nullptr);
    // The same, tried again for a moment while it fails.
    bool reopenWithin(std::chrono::milliseconds span);

    Dialect m_dialect = Dialect::Oracle;
    std::optional<DatabaseDescriptor> m_descriptor;
    bool m_inTransaction = false;
    bool m_freshTransaction = false; // nothing has run in it yet
    bool m_silent = false;
    int m_silences = 0;
    ConnectionStatus m_status;
    StatementWatchdog m_watchdog;
};

// The process-wide connection.
Connection &DbConn();

} // namespace Processing
