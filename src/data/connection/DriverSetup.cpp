#include "data/connection/DriverSetup.h"

#include "data/DbError.h"
#include "data/connection/DriverErrors.h"
#include "data/drivers/OdbcDriver.h"
#include "data/drivers/ServerDialect.h"
#include "data/drivers/SqliteFunctions.h"
#include "data/safety/FileAccess.h"
#include "data/setup/PostgreSQLAddress.h"
#include "data/statements/ConnectionStatements.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace Processing {

namespace {

// Literals carry typed backslashes as they are only when the server reads them the standard
// way; a server set up otherwise would take them for escapes.
void UseStandardStrings(const QSqlDatabase &db)
{
    QSqlQuery query(db);
    if (!query.exec(StandardStringsStatement()))
        throw QueryError(QCoreApplication::translate("Processing", "The PostgreSQL connection could not be prepared."),
                         db, query);
}

// SQLite opens any file and reads it only at the first statement: a text, random bytes or
// another program's file would be taken for a database until then. Reading the schema reads the
// header and changes nothing.
void RefuseNonDatabase(const QSqlDatabase &db, const QString &path)
{
    QSqlQuery query(db);
    if (query.exec(SqliteSchemaReadQuery()))
        return;
    // SQLite's primary result codes: not a database (26), damaged (11). Anything else (a file
    // held locked, say) is no judgement on the file.
    const int code = query.lastError().nativeErrorCode().toInt() & 0xff;
    throw DbError(code == 26 || code == 11
                      ? QCoreApplication::translate(
                            "Processing", "The file %1 is not an SQLite database, or is damaged; it was left as it is.")
                            .arg(path)
                      : QCoreApplication::translate("Processing", "The database %1 could not be read.").arg(path),
                  DriverErrorText(query.lastError()));
}

// What each driver is told before the connection opens.
void setConnectOptions(QSqlDatabase &db, const DatabaseDescriptor &descriptor)
{
    switch (descriptor.kind) {
    case DatabaseDescriptor::Kind::SQLite:
        RefuseLinkedDatabase(descriptor.path);
        db.setDatabaseName(descriptor.path);
        // Long enough to ride out another program's short write, short enough that a file
        // held locked leaves the window frozen for a moment only before the user is told.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(SqliteBusyTimeoutMs));
        break;
    case DatabaseDescriptor::Kind::PostgreSQL:
        // Servers, options and a service go to libpq as its own connection string; a password
        // left out is found by libpq in ~/.pgpass or the service file.
        db.setPassword(descriptor.password);
        // Qt's driver turns every ";" of the options into a blank, quoted or not; the names it
        // quotes itself reach the server exactly as typed.
        db.setDatabaseName(descriptor.name);
        db.setUserName(descriptor.user);
        {
            DatabaseDescriptor rest = descriptor;
            rest.name.clear();
            rest.user.clear();
            db.setConnectOptions(PostgreSQLConnectOptions(rest));
        }
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
}

// Once open: refuses what the program cannot work with, and sets up what each database needs.
Dialect prepared(const QSqlDatabase &db, const DatabaseDescriptor &descriptor)
{
    if (descriptor.kind == DatabaseDescriptor::Kind::SQLite)
        RefuseNonDatabase(db, descriptor.path);
    const Dialect dialect = ServerDialect(db);
    // Over ODBC there is no SQLite handle to add a function to: SQLite's own upper(),
    // which folds ASCII letters only, stays in place there.
    if (dialect == Dialect::SQLite && descriptor.kind == DatabaseDescriptor::Kind::SQLite)
        RegisterUnicodeUpper(db);
    if (dialect == Dialect::PostgreSQL)
        UseStandardStrings(db);
    return dialect;
}

} // namespace

Dialect OpenDatabase(const DatabaseDescriptor &descriptor, const QString &connectionName)
{
    if (!QSqlDatabase::isDriverAvailable(descriptor.driver()))
        throw DbError(QCoreApplication::translate("Processing", "The database driver %1 is not installed.")
                          .arg(descriptor.driver()));

    QSqlDatabase db = QSqlDatabase::addDatabase(descriptor.driver(), connectionName);
    setConnectOptions(db, descriptor);
    if (!db.open()) {
        const QString text = DriverErrorText(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        throw DbError(QCoreApplication::translate("Processing", "The database %1 could not be opened.")
                          .arg(descriptor.displayName()),
                      text);
    }
    Dialect dialect = Dialect::Oracle;
    try {
        dialect = prepared(db, descriptor);
    } catch (...) {
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        throw;
    }
    return dialect;
}

} // namespace Processing
