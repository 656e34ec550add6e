#include "support/TestDatabase.h"

#include "data/Connection.h"
#include "data/DbError.h"
#include "data/EmbeddedDatabase.h"
#include "data/SqlScript.h"
#include "support/TestMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QUrl>

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
QString postgresqlDescriptor()
{
    QUrl url(TestSupport::PostgreSQLServer());
    url.setPath(QStringLiteral("/tarnwick_") + QFileInfo(QCoreApplication::applicationFilePath()).baseName().toLower() +
                (TestSupport::OdbcRun() ? QStringLiteral("_odbc") : QString()));
    return url.toString();
}

// The same database through the ODBC data source the test script wrote, which names the server
// and the user; the database is chosen here.
QString odbcDescriptor()
{
    return QStringLiteral("odbc:DSN=%1;Database=%2")
        .arg(TestSupport::OdbcDataSource(), QUrl(postgresqlDescriptor()).path().mid(1));
}

void ensurePostgresqlDatabase()
{
    static bool made = false;
    if (made)
        return;
    const QUrl server(TestSupport::PostgreSQLServer());
    const QString name = QUrl(postgresqlDescriptor()).path().mid(1);
    {
        QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("test-admin"));
        admin.setHostName(server.host());
        admin.setPort(server.port(5432));
        admin.setUserName(server.userName());
        admin.setPassword(server.password());
        admin.setDatabaseName(server.path().mid(1));
        if (!admin.open())
            fail(QStringLiteral("cannot reach the PostgreSQL test server"), admin.lastError().text());
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
    if (IsOdbc())
        return odbcDescriptor();
    return NativeDescriptor();
}

QString NativeDescriptor()
{
    return IsPostgreSQL() ? postgresqlDescriptor() : QStringLiteral("sqlite:") + sqlitePath();
}

void Reset(const QStringList &scripts)
{
    Processing::DbConn().close();
    try {
        if (IsPostgreSQL()) {
            ensurePostgresqlDatabase();
            Processing::DbConn().open(Processing::DatabaseDescriptor::parse(Descriptor()));
            Exec(QStringLiteral("set client_min_messages = warning"));
            Exec(QStringLiteral("drop table if exists places_root, places_leaves, places_branch_leaves, "
                                "places_district, cm_city cascade"));
            Exec(Processing::SqlStatements(Processing::SchemaScript(QStringLiteral("postgresql.sql"))));
        } else {
            const QString path = sqlitePath();
            QFile::remove(path);
            Processing::EnsureEmbeddedDatabase(path, {QStringLiteral("sqlite-schema.sql")});
            Processing::DbConn().open(Processing::DatabaseDescriptor::parse(Descriptor()));
        }
        // One transaction: SQLite would otherwise sync the file after every row.
        Processing::DbConn().begin();
        for (const QString &script : scripts)
            Exec(Processing::SqlStatements(Processing::SchemaScript(script)));
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
    QSqlQuery query(Processing::DbConn().database());
    if (!query.exec(sql))
        fail(QStringLiteral("test statement failed: ") + sql, query.lastError().text());
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

void Refuse(const QString &statement, const QString &table)
{
    const QString trigger = QStringLiteral("refuse_%1_%2").arg(statement, table);
    if (IsPostgreSQL()) {
        Exec(QStringLiteral("create or replace function refuse_row() returns trigger as $$ begin "
                            "raise exception 'refused by the test'; end $$ language plpgsql"));
        Exec(QStringLiteral("create trigger %1 before %2 on %3 for each row execute function refuse_row()")
                 .arg(trigger, statement, table));
    } else {
        Exec(QStringLiteral("create trigger %1 before %2 on %3 begin select raise(abort, 'refused by the test'); end")
                 .arg(trigger, statement, table));
    }
}

} // namespace TestDatabase
