#pragma once

#include "data/DbError.h"
#include "data/statements/Dialect.h"

#include <QString>

#include <optional>

class QSqlDatabase;

namespace Processing {

// PostgreSQL can tell afterwards whether a transaction was committed, by its number: a commit
// whose answer was lost with the connection is asked about once the connection is back. Only on
// the timeline the transaction ran on: a standby promoted meanwhile may never have seen the
// numbers the dead primary handed out last, and hands them out again to transactions of its own.

// The number of the transaction open on the connection and the server's timeline, taken before
// its commit is sent, or the failure that kept the server from telling them. Neither on any other
// database.
struct TransactionNumber
{
    QString number;
    QString timeline;
    std::optional<DbError> failure;
};
TransactionNumber OpenTransactionNumber(const QSqlDatabase &db, Dialect dialect, const QString &what);

// The outcome of the transaction, asked on the connection opened again: true when it was
// committed, false when it was not, none when the server cannot tell. On another timeline, by
// whether writtenQuery (counting the write's rows with their values) finds them; none without one.
// Never by the rows on the same timeline: a commit still waiting there for a standby is stored but
// not yet seen by other sessions.
std::optional<bool> TransactionCommitted(const QSqlDatabase &db, const TransactionNumber &taken,
                                         const QString &writtenQuery);

} // namespace Processing
