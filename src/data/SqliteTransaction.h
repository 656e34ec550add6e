#pragma once

#include <optional>

class QSqlDatabase;

namespace Processing {

// Whether SQLite still holds the connection's transaction open. After a full disk, an I/O error
// or a lock it could not wait out, SQLite may roll the whole transaction back by itself; a
// statement sent after that would be stored on its own. None where the program cannot ask (a
// driver on another SQLite library, or SQLite reached through ODBC).
std::optional<bool> SqliteTransactionOpen(const QSqlDatabase &db);

} // namespace Processing
