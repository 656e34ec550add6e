#include "data/drivers/ServerDialect.h"

#include "data/DbError.h"
#include "data/drivers/OdbcDriver.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlDriver>

namespace Processing {

namespace {

QString knownName(QSqlDriver::DbmsType type)
{
    switch (type) {
    case QSqlDriver::MSSqlServer:
        return QStringLiteral("Microsoft SQL Server");
    case QSqlDriver::MySqlServer:
        return QStringLiteral("MySQL");
    case QSqlDriver::Sybase:
        return QStringLiteral("Sybase");
    case QSqlDriver::Interbase:
        return QStringLiteral("InterBase");
    case QSqlDriver::DB2:
        return QStringLiteral("DB2");
    default:
        return QString();
    }
}

} // namespace

Dialect ServerDialect(const QSqlDatabase &db)
{
    const QSqlDriver::DbmsType type = db.driver()->dbmsType();
    switch (type) {
    case QSqlDriver::PostgreSQL:
        return Dialect::PostgreSQL;
    case QSqlDriver::Oracle:
        return Dialect::Oracle;
    case QSqlDriver::SQLite:
        return Dialect::SQLite;
    default:
        break;
    }
    // Qt's ODBC driver recognises a few servers by the name their driver gives; that name
    // decides for the ones it leaves unknown.
    const QString name = OdbcDbmsName(db);
    if (name.startsWith(QLatin1StringView("SQLite"), Qt::CaseInsensitive))
        return Dialect::SQLite;
    QString shown = name.isEmpty() ? knownName(type) : name;
    if (shown.isEmpty())
        shown = QCoreApplication::translate("Processing", "one that does not say what it is");
    throw DbError(QCoreApplication::translate("Processing",
                                              "The database server is %1, which this program cannot work with. "
                                              "It works with SQLite, PostgreSQL and Oracle.")
                      .arg(shown));
}

} // namespace Processing
