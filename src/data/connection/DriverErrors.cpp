#include "data/connection/DriverErrors.h"

#include "data/drivers/OdbcDriver.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace Processing {

namespace {

// The SQLSTATE of a failure: PostgreSQL's own driver gives it as the native code, Qt's ODBC
// driver keeps it only in the statement's or connection's diagnostics.
QString sqlStateOf(const QSqlDatabase &db, const QSqlError &error, const QString &odbcState)
{
    if (db.driverName() == QLatin1StringView("QPSQL"))
        return error.nativeErrorCode();
    return odbcState;
}

} // namespace

QString DriverErrorText(const QSqlError &error)
{
    QString text = error.databaseText().trimmed();
    const QString driver = error.driverText().trimmed();
    if (text.isEmpty())
        return driver;
    if (!driver.isEmpty() && !text.contains(driver))
        text = driver + QStringLiteral(": ") + text;
    return text;
}

DbError QueryError(const QString &what, const QSqlDatabase &db, const QSqlQuery &query)
{
    const QSqlError error = query.lastError();
    return DbError(what, DriverErrorText(error), sqlStateOf(db, error, OdbcSqlState(db, query)),
                   error.nativeErrorCode());
}

DbError ConnectionError(const QString &what, const QSqlDatabase &db)
{
    const QSqlError error = db.lastError();
    return DbError(what, DriverErrorText(error), sqlStateOf(db, error, OdbcSqlState(db)), error.nativeErrorCode());
}

} // namespace Processing
