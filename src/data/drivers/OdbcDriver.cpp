#include "data/drivers/OdbcDriver.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QSqlResult>
#include <QStringList>
#include <QVariant>

// Windows' ODBC headers use its base types without including them.
#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif
#include <sql.h>
#include <sqlext.h>

namespace Processing {

namespace {

// Qt's ODBC driver hands out its handles as void*; anything else is another driver.
SQLHANDLE odbcHandle(const QVariant &handle)
{
    if (!handle.isValid() || qstrcmp(handle.typeName(), "void*") != 0)
        return nullptr;
    return *static_cast<void *const *>(handle.data());
}

bool isOdbc(const QSqlDatabase &db)
{
    return db.isValid() && db.driverName() == QLatin1StringView("QODBC");
}

QString sqlState(SQLSMALLINT type, SQLHANDLE handle)
{
    if (!handle)
        return QString();
    SQLCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    const SQLRETURN r = SQLGetDiagRecA(type, handle, 1, state, &native, nullptr, 0, &length);
    if (r != SQL_SUCCESS && r != SQL_SUCCESS_WITH_INFO)
        return QString();
    return QString::fromLatin1(reinterpret_cast<const char *>(state));
}

} // namespace

QString OdbcDbmsName(const QSqlDatabase &db)
{
    if (!isOdbc(db) || !db.isOpen())
        return QString();
    const SQLHANDLE connection = odbcHandle(db.driver()->handle());
    if (!connection)
        return QString();
    SQLCHAR name[256] = {};
    SQLSMALLINT length = 0;
    const SQLRETURN r = SQLGetInfoA(connection, SQL_DBMS_NAME, name, SQLSMALLINT(sizeof name), &length);
    if (r != SQL_SUCCESS && r != SQL_SUCCESS_WITH_INFO)
        return QString();
    return QString::fromUtf8(reinterpret_cast<const char *>(name)).trimmed();
}

QString OdbcSqlState(const QSqlDatabase &db, const QSqlQuery &query)
{
    if (!isOdbc(db) || !query.result())
        return QString();
    return sqlState(SQL_HANDLE_STMT, odbcHandle(query.result()->handle()));
}

QString OdbcSqlState(const QSqlDatabase &db)
{
    if (!isOdbc(db) || !db.isOpen())
        return QString();
    return sqlState(SQL_HANDLE_DBC, odbcHandle(db.driver()->handle()));
}

void *OdbcStatementHandle(const QSqlQuery &query)
{
    const QSqlResult *result = query.result();
    return result ? odbcHandle(result->handle()) : nullptr;
}

void CancelOdbcStatement(void *statement)
{
    SQLCancel(statement);
}

QString QtOdbcName(const QString &connectionString)
{
    const QString text = connectionString.trimmed();
    if (!text.contains(QLatin1Char('=')) || text.contains(QLatin1StringView("DRIVER="), Qt::CaseInsensitive) ||
        text.contains(QLatin1StringView("SERVER="), Qt::CaseInsensitive) ||
        text.contains(QLatin1StringView(".dsn"), Qt::CaseInsensitive))
        return text;
    // Values in braces may hold ";", but a data-source name keyword never does, and only the
    // pieces' order changes: the text is otherwise passed on as it was written.
    QStringList pieces = text.split(QLatin1Char(';'));
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (pieces.at(i).trimmed().startsWith(QLatin1StringView("DSN="), Qt::CaseInsensitive)) {
            const QString name = pieces.takeAt(i).trimmed().mid(4);
            pieces.prepend(name);
            return pieces.join(QLatin1Char(';'));
        }
    }
    return text;
}

} // namespace Processing
