#pragma once

class QSqlDatabase;
class QSqlDriver;

namespace Processing {

// A function of the libpq that Qt's PostgreSQL driver plugin was loaded with, by its name
// ("PQstatus"); null where it cannot be found. The program itself does not link libpq, so that
// SQLite users need no PostgreSQL library; the plugin stays loaded once asked.
void *LibpqFunction(const QSqlDriver *driver, const char *name);

// libpq's connection (PGconn*) under an open connection of Qt's PostgreSQL driver; null for any
// other connection.
void *LibpqConnection(const QSqlDatabase &db);

} // namespace Processing
