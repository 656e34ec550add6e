#pragma once

#include "data/DbError.h"

#include <QString>

class QSqlDatabase;
class QSqlError;
class QSqlQuery;

namespace Processing {

// A failure as the driver reports it, turned into the program's DbError: the database's own
// words with the driver's before them where they add something, and the failure's codes.

// The database's and the driver's words for the failure.
QString DriverErrorText(const QSqlError &error);
// The query's last failure, told as what the program was doing.
DbError QueryError(const QString &what, const QSqlDatabase &db, const QSqlQuery &query);
// The connection's last failure (a begin, a commit, a rollback), told the same way.
DbError ConnectionError(const QString &what, const QSqlDatabase &db);

} // namespace Processing
