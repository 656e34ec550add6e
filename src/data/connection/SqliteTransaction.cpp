#include "data/connection/SqliteTransaction.h"

#include "data/DbError.h"
#include "data/connection/DriverErrors.h"
#include "data/drivers/SqliteFunctions.h"
#include "data/statements/ConnectionStatements.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>

#include <sqlite3.h>

namespace Processing {

namespace {

bool sentOnSqlite(const QSqlDatabase &db, Dialect dialect, const QString &sql, const QString &what)
{
    if (dialect != Dialect::SQLite)
        return false;
    QSqlQuery query(db);
    if (!query.exec(sql))
        throw QueryError(what, db, query);
    return true;
}

} // namespace

std::optional<bool> SqliteTransactionOpen(const QSqlDatabase &db)
{
    if (!db.isOpen() || db.driverName() != QLatin1StringView("QSQLITE"))
        return std::nullopt;
    sqlite3 *connection = SharedSqliteHandle(db);
    if (!connection)
        return std::nullopt;
    return sqlite3_get_autocommit(connection) == 0;
}

bool SqliteBegin(const QSqlDatabase &db, Dialect dialect, const QString &what)
{
    return sentOnSqlite(db, dialect, SqliteBeginStatement(), what);
}

bool SqliteCommit(const QSqlDatabase &db, Dialect dialect, const QString &what)
{
    try {
        return sentOnSqlite(db, dialect, SqliteCommitStatement(), what);
    } catch (const DbError &) {
        QSqlQuery(db).exec(SqliteRollbackStatement());
        throw;
    }
}

bool SqliteRollback(const QSqlDatabase &db, Dialect dialect, const QString &what)
{
    return sentOnSqlite(db, dialect, SqliteRollbackStatement(), what);
}

} // namespace Processing
