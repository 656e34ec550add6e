#pragma once

#include "data/statements/Dialect.h"

#include <QString>

#include <optional>

class QSqlDatabase;

namespace Processing {

// Whether SQLite still holds the connection's transaction open. After a full disk, an I/O error
// or a lock it could not wait out, SQLite may roll the whole transaction back by itself; a
// statement sent after that would be stored on its own. None where the program cannot ask (a
// driver on another SQLite library, or SQLite reached through ODBC).
std::optional<bool> SqliteTransactionOpen(const QSqlDatabase &db);

// SQLite's own BEGIN defers the write lock to the first write, after the reads that decided
// it: two programs that have both read would then each wait for the other. Taken at the start,
// the second waits until the first is done and reads what it stored. Sent as statements, as
// Qt's drivers (also ODBC's, which leaves SQLite in autocommit) would send a plain BEGIN.
//
// On SQLite these send the statement that begins, commits or rolls back the transaction and
// return true; one that SQLite refuses is thrown as DbError, a commit after rolling back. False
// on any other database, where the driver's own calls do it.
bool SqliteBegin(const QSqlDatabase &db, Dialect dialect, const QString &what);
bool SqliteCommit(const QSqlDatabase &db, Dialect dialect, const QString &what);
bool SqliteRollback(const QSqlDatabase &db, Dialect dialect, const QString &what);

} // namespace Processing
