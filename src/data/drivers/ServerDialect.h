#pragma once

#include "data/statements/Dialect.h"

class QSqlDatabase;

namespace Processing {

// The dialect of the server an open connection reached, by the server's own word: the same
// ODBC descriptor may lead to PostgreSQL, SQLite or Oracle. Throws DbError naming the server
// when the program does not know it, so that it is refused before any statement fails.
Dialect ServerDialect(const QSqlDatabase &db);

} // namespace Processing
