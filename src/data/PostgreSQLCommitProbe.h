#pragma once

#include "data/DbError.h"
#include "data/Dialect.h"

#include <QString>

#include <optional>

class QSqlDatabase;

namespace Processing {

// PostgreSQL can tell afterwards whether a transaction was committed, by its number: a commit
// whose answer was lost with the connection is asked about once the connection is back.

// The number of the transaction open on the connection, taken before its commit is sent, or the
// failure that kept the server from telling it. Neither on any other database.
struct TransactionNumber
{
    QString number;
    std::optional<DbError> failure;
};
TransactionNumber OpenTransactionNumber(const QSqlDatabase &db, Dialect dialect, const QString &what);

// The outcome of the transaction numbered so, asked on the connection opened again: true when it
// was committed, false when it was not, none when the server cannot tell.
std::optional<bool> TransactionCommitted(const QSqlDatabase &db, const QString &transactionNumber);

} // namespace Processing
