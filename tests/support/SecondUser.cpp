#include "support/SecondUser.h"

#include "data/connection/Connection.h"
#include "data/drivers/SqliteFunctions.h"
#include "data/setup/DatabaseDescriptor.h"
#include "data/setup/PostgreSQLAddress.h"
#include "support/TestDatabase.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>
#include <chrono>
#include <future>
#include <sqlite3.h>
#include <stdexcept>
#include <thread>

struct SecondUser::Shared
{
    std::thread thread;
    std::promise<QString> started; // empty text: the statements ran
    bool sawWaiting = false;
    bool finished = false;
    // SQLite: the file layer of the program's connection while it is watched.
    sqlite3_vfs *vfs = nullptr;
};

namespace {

// SQLite's busy handler waits for a lock by sleeping through the connection's file layer: while
// the second user holds its lock, a sleep there is the program's connection waiting for it.
std::atomic<bool> sqliteSlept{false};
int (*sqliteSleep)(sqlite3_vfs *, int) = nullptr;

int noticedSleep(sqlite3_vfs *vfs, int microseconds)
{
    sqliteSlept = true;
    return sqliteSleep(vfs, microseconds);
}

// Watches the program's connection; false where its SQLite is not the library linked here.
bool watchSqliteSleeps(SecondUser::Shared &shared)
{
    sqlite3 *db = Processing::SharedSqliteHandle(Processing::DbConn().database());
    if (!db || sqlite3_file_control(db, "main", SQLITE_FCNTL_VFS_POINTER, &shared.vfs) != SQLITE_OK || !shared.vfs)
        return false;
    sqliteSleep = shared.vfs->xSleep;
    shared.vfs->xSleep = noticedSleep;
    return true;
}

const QString ConnectionName = QStringLiteral("second-user");

QString run(QSqlDatabase &db, const QString &sql)
{
    QSqlQuery query(db);
    if (query.exec(sql))
        return QString();
    return sql + QStringLiteral(": ") + query.lastError().text();
}

// Whether the program's session waits for a lock: on SQLite its busy handler slept, on the
// server its session is listed as waiting.
bool programWaits(QSqlDatabase &db, const QString &pid)
{
    if (pid.isEmpty())
        return sqliteSlept;
    QSqlQuery query(db);
    return query.exec(QStringLiteral("select count(*) from pg_stat_activity where pid = %1 and "
                                     "wait_event_type = 'Lock'")
                          .arg(pid)) &&
           query.next() && query.value(0).toInt() > 0;
}

void work(SecondUser::Shared *shared, const QStringList &statements, const QString &descriptor, const QString &pid)
{
    using namespace std::chrono_literals;
    {
        const Processing::DatabaseDescriptor d = Processing::DatabaseDescriptor::parse(descriptor);
        QSqlDatabase db = QSqlDatabase::addDatabase(d.driver(), ConnectionName);
        const bool sqlite = d.kind == Processing::DatabaseDescriptor::Kind::SQLite;
        if (sqlite) {
            db.setDatabaseName(d.path);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        } else {
            db.setConnectOptions(Processing::PostgreSQLConnectOptions(d));
            db.setPassword(d.password);
        }
        QString failure = db.open() ? QString() : db.lastError().text();
        if (failure.isEmpty())
            failure = run(db, sqlite ? QStringLiteral("begin immediate") : QStringLiteral("begin"));
        for (const QString &sql : statements) {
            if (failure.isEmpty())
                failure = run(db, sql);
        }
        // Only a sleep from now on is the program's: its action starts once this returns.
        sqliteSlept = false;
        shared->started.set_value(failure);
        if (failure.isEmpty()) {
            for (int i = 0; i < 150 && !shared->sawWaiting; ++i) {
                shared->sawWaiting = programWaits(db, pid);
                if (!shared->sawWaiting)
                    std::this_thread::sleep_for(20ms);
            }
            run(db, QStringLiteral("commit"));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(ConnectionName);
}

} // namespace

SecondUser::SecondUser(const QStringList &statements) : m_shared(std::make_shared<Shared>())
{
    // As the owner of the tables, over the database's own driver also in the ODBC run.
    const QString pid = TestDatabase::IsPostgreSQL()
                            ? TestDatabase::Scalar(QStringLiteral("select pg_backend_pid()")).toString()
                            : QString();
    if (!TestDatabase::IsPostgreSQL() && !watchSqliteSleeps(*m_shared))
        throw std::runtime_error("the program's SQLite connection cannot be watched waiting");
    std::future<QString> started = m_shared->started.get_future();
    m_shared->thread = std::thread(work, m_shared.get(), statements, TestDatabase::OwnerDescriptor(), pid);
    const QString failure = started.get();
    if (!failure.isEmpty()) {
        finish();
        throw std::runtime_error("the second user's statements failed: " + failure.toStdString());
    }
}

SecondUser::~SecondUser()
{
    finish();
}

bool SecondUser::finish()
{
    if (!m_shared->finished) {
        m_shared->thread.join();
        m_shared->finished = true;
        if (m_shared->vfs)
            m_shared->vfs->xSleep = sqliteSleep;
    }
    return m_shared->sawWaiting;
}
