#include "data/SqliteTransaction.h"

#include "data/SqliteFunctions.h"

#include <QSqlDatabase>
#include <QSqlDriver>

#include <sqlite3.h>

namespace Processing {

std::optional<bool> SqliteTransactionOpen(const QSqlDatabase &db)
{
    if (!db.isOpen() || db.driverName() != QLatin1StringView("QSQLITE"))
        return std::nullopt;
    sqlite3 *connection = SharedSqliteHandle(db);
    if (!connection)
        return std::nullopt;
    return sqlite3_get_autocommit(connection) == 0;
}

} // namespace Processing
