#include "data/connection/ConnectionLoss.h"

#include "data/DbError.h"
#include "data/drivers/LibpqFunctions.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QStringList>

namespace Processing {

namespace {

// libpq's ConnStatusType: CONNECTION_BAD once the connection is gone.
constexpr int LibpqConnectionBad = 1;
using LibpqStatus = int (*)(const void *);

// PQstatus, from the libpq the PostgreSQL driver plugin was loaded with.
LibpqStatus libpqStatus(const QSqlDriver *driver)
{
    static const auto status = reinterpret_cast<LibpqStatus>(LibpqFunction(driver, "PQstatus"));
    return status;
}

// The server ended the session: shut down, crashed, the database dropped, or idle too long
// (idle_session_timeout, idle_in_transaction_session_timeout). libpq hands over the server's
// message before it has noticed that the connection closed, so its own state may still be good.
bool lostState(const QString &sqlState)
{
    static const QStringList ended{QStringLiteral("57P01"), QStringLiteral("57P02"), QStringLiteral("57P03"),
                                   QStringLiteral("57P04"), QStringLiteral("57P05"), QStringLiteral("25P03")};
    return sqlState.startsWith(QLatin1StringView("08")) || ended.contains(sqlState);
}

} // namespace

bool ConnectionLost(const QSqlDatabase &db, const DbError &failure)
{
    if (!db.isValid() || !db.isOpen())
        return true;
    if (lostState(failure.sqlState()))
        return true;
    if (db.driverName() != QLatin1StringView("QPSQL"))
        return false;
    if (const void *connection = LibpqConnection(db)) {
        if (const LibpqStatus status = libpqStatus(db.driver()); status && status(connection) == LibpqConnectionBad)
            return true;
    }
    // Where libpq's state cannot be read or has not caught up, its own words for a connection that is
    // gone.
    return failure.driverText().contains(QLatin1StringView("server closed the connection unexpectedly")) ||
           failure.driverText().contains(QLatin1StringView("no connection to the server"));
}

} // namespace Processing
