#include "support/DatabaseFaults.h"

#include "data/connection/Connection.h"
#include "data/setup/DatabaseDescriptor.h"
#include "data/setup/PostgreSQLAddress.h"
#include "support/TestDatabase.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

#include <stdexcept>

namespace {

QSqlDatabase open(const QString &name)
{
    // Over the database's own driver also in the ODBC run: the watcher only sets faults up.
    const Processing::DatabaseDescriptor d = Processing::DatabaseDescriptor::parse(TestDatabase::NativeDescriptor());
    QSqlDatabase db = QSqlDatabase::addDatabase(d.driver(), name);
    if (d.kind == Processing::DatabaseDescriptor::Kind::SQLite) {
        db.setDatabaseName(d.path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=1000"));
    } else {
        db.setConnectOptions(Processing::PostgreSQLConnectOptions(d));
        db.setPassword(d.password);
    }
    if (!db.open())
        throw std::runtime_error("the watching connection could not open: " + db.lastError().text().toStdString());
    return db;
}

} // namespace

QList<DatabaseFaults::Kind> DatabaseFaults::ForBackend()
{
    if (TestDatabase::IsPostgreSQL())
        return {Kind::ServerGone};
    return {Kind::ReadOnly, Kind::Locked, Kind::LockedForWrites};
}

QString DatabaseFaults::Name(Kind kind)
{
    switch (kind) {
    case Kind::ServerGone:
        return QStringLiteral("server gone");
    case Kind::ReadOnly:
        return QStringLiteral("read-only");
    case Kind::Locked:
        return QStringLiteral("locked");
    case Kind::LockedForWrites:
        return QStringLiteral("locked for writes");
    }
    return QString();
}

DatabaseFaults::DatabaseFaults() : m_name(QStringLiteral("fault-watcher"))
{
    open(m_name);
}

DatabaseFaults::~DatabaseFaults()
{
    lift();
    QSqlDatabase::database(m_name, false).close();
    QSqlDatabase::removeDatabase(m_name);
}

void DatabaseFaults::exec(const QString &sql)
{
    QSqlQuery query(QSqlDatabase::database(m_name, false));
    if (!query.exec(sql))
        throw std::runtime_error("watching connection: " + sql.toStdString() + ": " +
                                 query.lastError().text().toStdString());
}

void DatabaseFaults::inject(Kind kind)
{
    ++m_injected;
    switch (kind) {
    case Kind::ServerGone: {
        // Immediate, as a server shut down mid-session: the program's backend is gone, and so
        // is the server as far as a new session goes.
        TestDatabase::RefuseNewSessions(true);
        m_refusingSessions = true;
        const QString pid = TestDatabase::Scalar(QStringLiteral("select pg_backend_pid()")).toString();
        exec(QStringLiteral("select pg_terminate_backend(%1)").arg(pid));
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        const auto backendGone = [&db, &pid] {
            QSqlQuery query(db);
            return query.exec(QStringLiteral("select count(*) from pg_stat_activity where pid = %1").arg(pid)) &&
                   query.next() && query.value(0).toInt() == 0;
        };
        if (!QTest::qWaitFor(backendGone, 10000))
            throw std::runtime_error("the program's backend did not end");
        break;
    }
    case Kind::ReadOnly:
        // As a file opened read-only: every write is refused, reads go on.
        TestDatabase::Exec(QStringLiteral("pragma query_only = on"));
        m_readOnly = true;
        break;
    case Kind::Locked:
    case Kind::LockedForWrites:
        // The program would wait for the lock as long as it waits for any (checked on its own);
        // here it gives up at once, so that every fault is quick to show.
        TestDatabase::Exec(QStringLiteral("pragma busy_timeout = 20"));
        exec(kind == Kind::Locked ? QStringLiteral("begin exclusive") : QStringLiteral("begin immediate"));
        // An open write transaction that has written.
        exec(QStringLiteral("insert into cm_city (CODE, ENAME) values (32000, 'Uncommitted')"));
        m_locked = true;
        break;
    }
}

void DatabaseFaults::lift()
{
    if (m_locked) {
        exec(QStringLiteral("rollback"));
        m_locked = false;
    }
    if (m_refusingSessions) {
        TestDatabase::RefuseNewSessions(false);
        m_refusingSessions = false;
    }
    if (m_readOnly) {
        TestDatabase::Exec(QStringLiteral("pragma query_only = off"));
        m_readOnly = false;
    }
}

QList<QList<QStringList>> DatabaseFaults::snapshot()
{
    QList<QList<QStringList>> tables;
    for (const char *sql :
         {"select * from places_root order by branch_id", "select * from places_leaves order by leaf_id",
          "select * from places_branch_leaves order by leaf_id, branch_id",
          "select * from places_district order by district_id",
          "select * from cm_city where code <> 32000 order by code"}) {
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        if (!query.exec(QString::fromLatin1(sql)))
            throw std::runtime_error("watching connection: " + query.lastError().text().toStdString());
        QList<QStringList> rows;
        while (query.next()) {
            QStringList row;
            for (int i = 0; i < query.record().count(); ++i)
                row.append(query.value(i).isNull() ? QStringLiteral("<null>") : query.value(i).toString());
            rows.append(row);
        }
        tables.append(rows);
    }
    return tables;
}
