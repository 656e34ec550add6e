#include "data/Connection.h"

#include "data/DbError.h"
#include "data/OdbcDriver.h"
#include "data/PostgreSQLAddress.h"
#include "data/RowFilter.h"
#include "data/ServerDialect.h"
#include "data/SqliteFunctions.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

namespace Processing {

namespace {

const QString ConnectionName = QStringLiteral("tarnwick");

QString errorText(const QSqlError &error)
{
    QString text = error.databaseText().trimmed();
    const QString driver = error.driverText().trimmed();
    if (text.isEmpty())
        return driver;
    if (!driver.isEmpty() && !text.contains(driver))
        text = driver + QStringLiteral(": ") + text;
    return text;
}

QString shortened(const QString &sql)
{
    const QString simplified = sql.simplified();
    return simplified.size() > 200 ? simplified.left(200) + QStringLiteral(" ...") : simplified;
}

// The SQLSTATE of a failure: PostgreSQL's own driver gives it as the native code, Qt's ODBC
// driver keeps it only in the statement's or connection's diagnostics.
QString sqlStateOf(const QSqlDatabase &db, const QSqlError &error, const QString &odbcState)
{
    if (db.driverName() == QLatin1StringView("QPSQL"))
        return error.nativeErrorCode();
    return odbcState;
}

DbError queryError(const QString &what, const QSqlDatabase &db, const QSqlQuery &query)
{
    const QSqlError error = query.lastError();
    return DbError(what, errorText(error), sqlStateOf(db, error, OdbcSqlState(db, query)), error.nativeErrorCode());
}

DbError connectionError(const QString &what, const QSqlDatabase &db)
{
    const QSqlError error = db.lastError();
    return DbError(what, errorText(error), sqlStateOf(db, error, OdbcSqlState(db)), error.nativeErrorCode());
}

// Made only on failure: a query that succeeds should not pay for the text of its error.
QString statementRefused(const QString &sql)
{
    return QStringLiteral("The database refused the statement: %1").arg(shortened(sql));
}

QString queryFailed(const QString &sql)
{
    return QStringLiteral("The database could not run the query: %1").arg(shortened(sql));
}

// Literals carry typed backslashes as they are only when the server reads them the standard
// way; a server set up otherwise would take them for escapes.
void UseStandardStrings(const QSqlDatabase &db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("set standard_conforming_strings = on")))
        throw queryError(QStringLiteral("The PostgreSQL connection could not be prepared."), db, query);
}

} // namespace

bool Connection::isOpen() const
{
    return QSqlDatabase::contains(ConnectionName) && QSqlDatabase::database(ConnectionName, false).isOpen();
}

QSqlDatabase Connection::database() const
{
    return QSqlDatabase::database(ConnectionName, false);
}

void Connection::open(const DatabaseDescriptor &descriptor)
{
    close();
    if (!QSqlDatabase::isDriverAvailable(descriptor.driver()))
        throw DbError(QStringLiteral("The database driver %1 is not installed.").arg(descriptor.driver()));

    QSqlDatabase db = QSqlDatabase::addDatabase(descriptor.driver(), ConnectionName);
    switch (descriptor.kind) {
    case DatabaseDescriptor::Kind::SQLite:
        db.setDatabaseName(descriptor.path);
        // Long enough to ride out another program's short write, short enough that a file
        // held locked leaves the window frozen for a moment only before the user is told.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(SqliteBusyTimeoutMs));
        break;
    case DatabaseDescriptor::Kind::PostgreSQL:
        // Servers, options and a service go to libpq as its own connection string; a password
        // left out is found by libpq in ~/.pgpass or the service file.
        db.setConnectOptions(PostgreSQLConnectOptions(descriptor));
        db.setPassword(descriptor.password);
        break;
    case DatabaseDescriptor::Kind::Odbc:
        db.setDatabaseName(QtOdbcName(descriptor.name));
        break;
    case DatabaseDescriptor::Kind::Oci:
        db.setDatabaseName(descriptor.name);
        db.setUserName(descriptor.user);
        db.setPassword(descriptor.password);
        break;
    }
    if (!db.open()) {
        const QString text = errorText(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(ConnectionName);
        throw DbError(QStringLiteral("The database %1 could not be opened.").arg(descriptor.displayName()), text);
    }
    Dialect dialect = Dialect::Oracle;
    try {
        dialect = ServerDialect(db);
        // Over ODBC there is no SQLite handle to add a function to: SQLite's own upper(),
        // which folds ASCII letters only, stays in place there.
        if (dialect == Dialect::SQLite && descriptor.kind == DatabaseDescriptor::Kind::SQLite)
            RegisterUnicodeUpper(db);
        if (dialect == Dialect::PostgreSQL)
            UseStandardStrings(db);
    } catch (...) {
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(ConnectionName);
        throw;
    }
    m_dialect = dialect;
}

void Connection::close()
{
    if (!QSqlDatabase::contains(ConnectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(ConnectionName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(ConnectionName);
}

void Connection::requireOpen(const QString &what) const
{
    if (!isOpen())
        notConnected(what);
}

void Connection::notConnected(const QString &what)
{
    throw DbError(what, QStringLiteral("The program is not connected to the database."));
}

void Connection::execute(const QString &sql)
{
    if (!isOpen())
        notConnected(statementRefused(sql));
    QSqlQuery query(database());
    if (!query.exec(sent(sql)))
        throw queryError(statementRefused(sql), database(), query);
}

// SQLite's own BEGIN defers the write lock to the first write, after the reads that decided
// it: two programs that have both read would then each wait for the other. Taken at the start,
// the second waits until the first is done and reads what it stored. Sent as statements, as
// Qt's drivers (also ODBC's, which leaves SQLite in autocommit) would send a plain BEGIN.
bool Connection::sqliteTransactionStatement(const QString &sql, const QString &what)
{
    if (m_dialect != Dialect::SQLite)
        return false;
    QSqlQuery query(database());
    if (!query.exec(sql))
        throw queryError(what, database(), query);
    return true;
}

void Connection::begin()
{
    const QString what = QStringLiteral("A transaction could not be started.");
    requireOpen(what);
    if (sqliteTransactionStatement(QStringLiteral("BEGIN IMMEDIATE"), what))
        return;
    if (!database().transaction())
        throw connectionError(what, database());
}

void Connection::commit()
{
    const QString what = QStringLiteral("The changes could not be committed.");
    requireOpen(what);
    try {
        if (sqliteTransactionStatement(QStringLiteral("COMMIT"), what))
            return;
    } catch (const DbError &) {
        QSqlQuery(database()).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
    if (!database().commit()) {
        const DbError failure = connectionError(what, database());
        database().rollback();
        throw failure;
    }
}

void Connection::rollback()
{
    const QString what = QStringLiteral("The changes could not be rolled back.");
    requireOpen(what);
    if (sqliteTransactionStatement(QStringLiteral("ROLLBACK"), what))
        return;
    if (!database().rollback())
        throw connectionError(what, database());
}

Recordset Connection::openRecordset(const QString &sql, const QString &filter)
{
    const RowFilter rowFilter = RowFilter::parse(filter);
    if (!isOpen())
        notConnected(queryFailed(sql));
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!query.exec(sent(sql)))
        throw queryError(queryFailed(sql), database(), query);
    Recordset result = Recordset::fetch(query, rowFilter);
    if (query.lastError().isValid())
        throw queryError(queryFailed(sql), database(), query);
    return result;
}

QSqlQuery Connection::run(const QString &sql)
{
    if (!isOpen())
        notConnected(queryFailed(sql));
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!query.exec(sent(sql)))
        throw queryError(queryFailed(sql), database(), query);
    return query;
}

QString Connection::lastQueryError(const QSqlQuery &query)
{
    return query.lastError().isValid() ? errorText(query.lastError()) : QString();
}

Connection &DbConn()
{
    static Connection connection;
    return connection;
}

} // namespace Processing
