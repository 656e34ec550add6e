#include "support/TestDatabase.h"

#include "data/DbError.h"
#include "data/connection/Connection.h"
#include "data/setup/EmbeddedDatabase.h"
#include "data/setup/PostgreSQLAddress.h"
#include "data/setup/SqlScript.h"
#include "support/TestMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>

#include <stdexcept>

namespace TestSupport {

bool PostgreSQLRun()
{
    const QString backend = qEnvironmentVariable("TARNWICK_TEST_BACKEND");
    return backend == QLatin1StringView("postgresql") || OdbcRun();
}

bool OdbcRun()
{
    return qEnvironmentVariable("TARNWICK_TEST_BACKEND") == QLatin1StringView("odbc");
}

QString OdbcDataSource()
{
    return qEnvironmentVariable("TARNWICK_TEST_ODBC");
}

QString PostgreSQLServer()
{
    return qEnvironmentVariable("TARNWICK_TEST_POSTGRESQL");
}

} // namespace TestSupport

namespace TestDatabase {

namespace {

[[noreturn]] void fail(const QString &what, const QString &text)
{
    throw std::runtime_error((what + QStringLiteral(": ") + text).toStdString());
}

QString sqlitePath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return folder + QStringLiteral("/") + QCoreApplication::applicationName() + QStringLiteral("-") +
           QFileInfo(QCoreApplication::applicationFilePath()).baseName() + QStringLiteral(".sqlite");
}

// Each test program has a database of its own on the server, so programs can run side by side;
// the ODBC run of a program has another one, as it may run beside the native run.
QString programDatabaseName()
{
    return QStringLiteral("tarnwick_") + QFileInfo(QCoreApplication::applicationFilePath()).baseName().toLower() +
           (TestSupport::OdbcRun() ? QStringLiteral("_odbc") : QString());
}

//
// The program connects to it as the role a site gives its users (postgresql-role.sql); the
// superuser named by the run makes it and its tables.
QString postgresqlDescriptor(bool asOwner)
{
    // postgresql://USER@HOST:PORT[,HOST:PORT...]/NAME?OPTIONS: several hosts are no URL to QUrl.
    static const QRegularExpression address(QStringLiteral("^postgresql://([^@/]*)@([^/]*)/[^?]*(\\?.*)?$"));
    const QRegularExpressionMatch parts = address.match(TestSupport::PostgreSQLServer());
    if (!parts.hasMatch())
        fail(QStringLiteral("TARNWICK_TEST_POSTGRESQL"), QStringLiteral("not an address with a user and a host"));
    const QString role = qEnvironmentVariable("TARNWICK_TEST_POSTGRESQL_ROLE");
    // The role's password is in the password file, for libpq to find.
    const QString user = !asOwner && !role.isEmpty() ? role : parts.captured(1);
    return QStringLiteral("postgresql://%1@%2/%3%4")
        .arg(user, parts.captured(2), programDatabaseName(), parts.captured(3));
}

// The same database through the ODBC data source the test script wrote, which names the server,
// the program's role and the TLS settings; the database is chosen here.
QString odbcDescriptor()
{
    // A connection string of its own rather than a data source's name, as a test may give one.
    const QString source = TestSupport::OdbcDataSource();
    return QStringLiteral("odbc:%1;Database=%2")
        .arg(source.contains(QLatin1Char('=')) ? source : QStringLiteral("DSN=") + source, programDatabaseName());
}

const QString OwnerConnection = QStringLiteral("test-owner");

QSqlDatabase openPostgreSQL(const QString &descriptor, const QString &connection)
{
    const Processing::DatabaseDescriptor d = Processing::DatabaseDescriptor::parse(descriptor);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
    db.setConnectOptions(Processing::PostgreSQLConnectOptions(d));
    db.setPassword(d.password);
    if (!db.open())
        fail(QStringLiteral("cannot reach the PostgreSQL test server"), db.lastError().text());
    return db;
}

void ensurePostgresqlDatabase()
{
    static bool made = false;
    if (made)
        return;
    const QString name = programDatabaseName();
    {
        QSqlDatabase admin = openPostgreSQL(TestSupport::PostgreSQLServer(), QStringLiteral("test-admin"));
        QSqlQuery query(admin);
        query.exec(QStringLiteral("select 1 from pg_database where datname = '%1'").arg(name));
        if (!query.next()) {
            QSqlQuery create(admin);
            if (!create.exec(QStringLiteral("create database %1 encoding 'UTF8' template template0").arg(name)))
                fail(QStringLiteral("cannot make the test database"), create.lastError().text());
        }
        admin.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("test-admin"));
    made = true;
}

// The superuser's connection to this program's database: it makes the tables and lets a test
// change what the program's role may not.
QSqlDatabase owner()
{
    if (QSqlDatabase::contains(OwnerConnection))
        return QSqlDatabase::database(OwnerConnection, false);
    ensurePostgresqlDatabase();
    QSqlDatabase db = openPostgreSQL(postgresqlDescriptor(true), OwnerConnection);
    QSqlQuery(db).exec(QStringLiteral("set client_min_messages = warning"));
    return db;
}

void execOn(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery query(db);
    if (!query.exec(sql))
        fail(QStringLiteral("test statement failed: ") + sql, query.lastError().text());
}

// Statements of tests go to the owner in the PostgreSQL run, as long as the program works on it.
QSqlDatabase setUpConnection()
{
    const QString driver = Processing::DbConn().isOpen() ? Processing::DbConn().database().driverName() : QString();
    // Also while the program's connection is lost, to bring its server back.
    if (IsPostgreSQL() &&
        (driver.isEmpty() || driver == QLatin1StringView("QPSQL") || driver == QLatin1StringView("QODBC")))
        return owner();
    return Processing::DbConn().database();
}

} // namespace

bool IsPostgreSQL()
{
    return TestSupport::PostgreSQLRun();
}

bool IsOdbc()
{
    return TestSupport::OdbcRun();
}

QString BackendName()
{
    if (IsOdbc())
        return QStringLiteral("odbc");
    return IsPostgreSQL() ? QStringLiteral("postgresql") : QStringLiteral("sqlite");
}

QString Descriptor()
{
    return IsOdbc() ? odbcDescriptor() : NativeDescriptor();
}

QString NativeDescriptor()
{
    return IsPostgreSQL() ? postgresqlDescriptor(false) : QStringLiteral("sqlite:") + sqlitePath();
}

QString OwnerDescriptor()
{
    return IsPostgreSQL() ? postgresqlDescriptor(true) : Descriptor();
}

void Reset(const QStringList &scripts)
{
    Processing::DbConn().close();
    try {
        if (IsPostgreSQL()) {
            const QSqlDatabase db = owner();
            execOn(db, QStringLiteral("drop table if exists places_root, places_leaves, places_branch_leaves, "
                                      "places_district, cm_city cascade"));
            for (const QString &script : {QStringLiteral("postgresql.sql"), QStringLiteral("postgresql-role.sql")})
                for (const QString &statement : Processing::SqlStatements(Processing::SchemaScript(script)))
                    execOn(db, statement);
            Processing::DbConn().open(Processing::DatabaseDescriptor::parse(Descriptor()));
        } else {
            const QString path = sqlitePath();
            QFile::remove(path);
            Processing::EnsureEmbeddedDatabase(path, {QStringLiteral("sqlite-schema.sql")});
            Processing::DbConn().open(Processing::DatabaseDescriptor::parse(Descriptor()));
        }
        // One transaction: SQLite would otherwise sync the file after every row.
        // The rows go in over the program's own connection, with its rights.
        Processing::DbConn().begin();
        for (const QString &script : scripts)
            for (const QString &statement : Processing::SqlStatements(Processing::SchemaScript(script)))
                execOn(Processing::DbConn().database(), statement);
        Processing::DbConn().commit();
    } catch (const Processing::DbError &error) {
        fail(QStringLiteral("cannot make the test database"), error.message());
    }
}

void ResetWithSample()
{
    Reset({QStringLiteral("root.sql"), QStringLiteral("cities.sql"), QStringLiteral("sample.sql")});
}

void Exec(const QString &sql)
{
    execOn(setUpConnection(), sql);
}

void Exec(const QStringList &statements)
{
    for (const QString &statement : statements)
        Exec(statement);
}

QVariant Scalar(const QString &sql)
{
    QSqlQuery query(Processing::DbConn().database());
    if (!query.exec(sql) || !query.next())
        fail(QStringLiteral("test query failed: ") + sql, query.lastError().text());
    return query.value(0);
}

QList<QStringList> Rows(const QString &sql)
{
    QSqlQuery query(Processing::DbConn().database());
    if (!query.exec(sql))
        fail(QStringLiteral("test query failed: ") + sql, query.lastError().text());
    QList<QStringList> rows;
    while (query.next()) {
        QStringList row;
        for (int i = 0; i < query.record().count(); ++i)
            row.append(query.value(i).isNull() ? QStringLiteral("<null>") : query.value(i).toString());
        rows.append(row);
    }
    return rows;
}

void RefuseNewSessions(bool refuse)
{
    // From another database: the server takes this from no session of the database itself.
    {
        const QSqlDatabase admin = openPostgreSQL(TestSupport::PostgreSQLServer(), QStringLiteral("test-admin"));
        execOn(admin, QStringLiteral("alter database %1 allow_connections %2")
                          .arg(programDatabaseName(), refuse ? QStringLiteral("false") : QStringLiteral("true")));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("test-admin"));
}

namespace {

QString refusalTrigger(const QString &statement, const QString &table)
{
    return QStringLiteral("refuse_%1_%2").arg(statement, table);
}

} // namespace

void Refuse(const QString &statement, const QString &table, Refusal how, const QString &when)
{
    const QString trigger = refusalTrigger(statement, table);
    const QString condition = when.isEmpty() ? QString() : QStringLiteral(" when (%1)").arg(when);
    if (IsPostgreSQL()) {
        Exec(QStringLiteral("create or replace function refuse_row() returns trigger as $$ begin "
                            "raise exception 'refused by the test'; end $$ language plpgsql"));
        Exec(QStringLiteral("create trigger %1 before %2 on %3 for each row%4 execute function refuse_row()")
                 .arg(trigger, statement, table, condition));
    } else {
        Exec(QStringLiteral("create trigger %1 before %2 on %3%4 begin select raise(%5, 'refused by the test'); end")
                 .arg(trigger, statement, table, condition,
                      how == Refusal::EndingTransaction ? QStringLiteral("rollback") : QStringLiteral("abort")));
    }
}

void Allow(const QString &statement, const QString &table)
{
    const QString trigger = refusalTrigger(statement, table);
    Exec(IsPostgreSQL() ? QStringLiteral("drop trigger %1 on %2").arg(trigger, table)
                        : QStringLiteral("drop trigger %1").arg(trigger));
}

void FillSqliteFile(bool full)
{
    if (full) {
        // Small pages, none free: the file is as full as the disk under it.
        Exec(QStringList{QStringLiteral("pragma page_size = 512"), QStringLiteral("vacuum")});
        Exec(
            QStringLiteral("pragma max_page_count = %1").arg(Scalar(QStringLiteral("pragma page_count")).toLongLong()));
    } else {
        Exec(QStringLiteral("pragma max_page_count = 1073741823"));
    }
}

} // namespace TestDatabase
