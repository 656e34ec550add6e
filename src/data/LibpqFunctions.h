#pragma once

class QSqlDriver;

namespace Processing {

// A function of the libpq that Qt's PostgreSQL driver plugin was loaded with, by its name
// ("PQstatus"); null where it cannot be found. The program itself does not link libpq, so that
// SQLite users need no PostgreSQL library; the plugin stays loaded once asked.
void *LibpqFunction(const QSqlDriver *driver, const char *name);

} // namespace Processing
