#include "data/Connection.h"

#include "data/ConnectionLoss.h"
#include "data/DbError.h"
#include "data/DriverErrors.h"
#include "data/EmbeddedDatabase.h"
#include "data/OdbcDriver.h"
#include "data/PostgreSQLAddress.h"
#include "data/RowFilter.h"
#include "data/ServerDialect.h"
#include "data/SqliteFunctions.h"
#include "data/SqliteTransaction.h"

#include <QDeadlineTimer>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <utility>
#include <variant>

namespace Processing {

namespace {

const QString ConnectionName = QStringLiteral("tarnwick");

QString shortened(const QString &sql)
{
    const QString simplified = sql.simplified();
    return simplified.size() > 200 ? simplified.left(200) + QStringLiteral(" ...") : simplified;
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
        throw QueryError(QStringLiteral("The PostgreSQL connection could not be prepared."), db, query);
}

// SQLite opens any file and reads it only at the first statement: a text, random bytes or
// another program's file would be taken for a database until then. Reading the schema reads the
// header and changes nothing.
void RefuseNonDatabase(const QSqlDatabase &db, const QString &path)
{
    QSqlQuery query(db);
    if (query.exec(QStringLiteral("select count(*) from sqlite_master")))
        return;
    // SQLite's primary result codes: not a database (26), damaged (11). Anything else (a file
    // held locked, say) is no judgement on the file.
    const int code = query.lastError().nativeErrorCode().toInt() & 0xff;
    throw DbError(
        code == 26 || code == 11
            ? QStringLiteral("The file %1 is not an SQLite database, or is damaged; it was left as it is.").arg(path)
            : QStringLiteral("The database %1 could not be read.").arg(path),
        DriverErrorText(query.lastError()));
}

const QString LostDuringChange =
    QStringLiteral("The connection to the database was lost during the change; nothing of it was stored.");

DbError notReopened(const QString &what, const QString &why)
{
    return DbError(what,
                   QStringLiteral("The connection to the database was lost and could not be opened again.\n\n") + why)
        .markConnectionLost();
}

// What one attempt at a statement gives: its result, or the database's failure.
template<typename Result> using Outcome = std::variant<Result, DbError>;

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
    m_descriptor.reset();
    m_inTransaction = false;
    try {
        establish(descriptor);
    } catch (...) {
        m_status.set(false);
        throw;
    }
    m_descriptor = descriptor;
    m_status.set(true);
}

bool Connection::reopen(QString *why)
{
    if (!m_descriptor)
        return false;
    try {
        establish(*m_descriptor);
    } catch (const DbError &error) {
        if (why)
            *why = error.message();
        m_status.set(false);
        return false;
    }
    m_status.set(true);
    return true;
}

void Connection::establish(const DatabaseDescriptor &descriptor)
{
    closeLost();
    if (!QSqlDatabase::isDriverAvailable(descriptor.driver()))
        throw DbError(QStringLiteral("The database driver %1 is not installed.").arg(descriptor.driver()));

    QSqlDatabase db = QSqlDatabase::addDatabase(descriptor.driver(), ConnectionName);
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
    if (!db.open()) {
        const QString text = DriverErrorText(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(ConnectionName);
        throw DbError(QStringLiteral("The database %1 could not be opened.").arg(descriptor.displayName()), text);
    }
    Dialect dialect = Dialect::Oracle;
    try {
        if (descriptor.kind == DatabaseDescriptor::Kind::SQLite)
            RefuseNonDatabase(db, descriptor.path);
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
    closeLost();
    m_descriptor.reset();
    m_inTransaction = false;
    m_status.set(false);
}

void Connection::closeLost()
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

void Connection::requireOpen(const QString &what)
{
    if (isOpen()) {
        // Sent now, the statement would be stored on its own, outside the change it belongs to.
        if (m_inTransaction && SqliteTransactionOpen(database()) == false)
            throw DbError(what, QStringLiteral("The database ended the change at an earlier failure; nothing of it "
                                               "was stored."));
        return;
    }
    if (!m_descriptor)
        notConnected(what);
    // Statements after the loss must not run on a new connection outside their transaction.
    if (m_inTransaction)
        throw DbError(what, LostDuringChange).markConnectionLost();
    QString why;
    if (!reopen(&why))
        throw notReopened(what, why);
}

bool Connection::lostBy(DbError &failure)
{
    if (ConnectionLost(database(), failure))
        failure.markConnectionLost();
    return failure.connectionLost();
}

void Connection::afterFailure(const DbError &failure, int attempt)
{
    if (!failure.connectionLost())
        throw failure;
    closeLost();
    if (attempt > 1 || (m_inTransaction && !m_freshTransaction)) {
        if (!m_inTransaction)
            m_status.set(false);
        throw failure;
    }
    if (!m_inTransaction)
        return; // opened again by the statement's next attempt
    // Nothing of the transaction reached the server before its first statement went through (an
    // ODBC driver sends its BEGIN with that statement): it begins anew on a new connection.
    QString why;
    if (!reopen(&why))
        throw notReopened(failure.what(), why);
    if (!database().transaction()) {
        // Closed, so that the transaction's further statements are not run on their own.
        DbError refused = ConnectionError(failure.what(), database());
        closeLost();
        throw refused.markConnectionLost();
    }
}

void Connection::notConnected(const QString &what)
{
    throw DbError(what, QStringLiteral("The program is not connected to the database."));
}

template<typename Attempt> auto Connection::onceMoreAfterReopening(const QString &what, Resend resend, Attempt attempt)
{
    for (int number = 1;; ++number) {
        requireOpen(what);
        auto outcome = attempt();
        if (outcome.index() == 0)
            return std::get<0>(std::move(outcome));
        DbError &failure = std::get<DbError>(outcome);
        lostBy(failure);
        // Outside a transaction the statement took effect as it ran, if it reached the server.
        if (resend == Resend::MayHaveTakenEffect && failure.connectionLost() && !m_inTransaction) {
            closeLost();
            reopen();
            throw DbError(QStringLiteral("The connection to the database was lost as a statement ran: it may or may "
                                         "not have taken effect. %1")
                              .arg(what),
                          failure.driverText(), failure.sqlState(), failure.nativeCode())
                .markOutcomeUnknown();
        }
        afterFailure(failure, number);
    }
}

void Connection::execute(const QString &sql)
{
    onceMoreAfterReopening(statementRefused(sql), Resend::MayHaveTakenEffect, [&]() -> Outcome<std::monostate> {
        QSqlQuery query(database());
        if (query.exec(sent(sql)))
            return std::monostate();
        return QueryError(statementRefused(sql), database(), query);
    });
    m_freshTransaction = false;
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
        throw QueryError(what, database(), query);
    return true;
}

void Connection::begin()
{
    const QString what = QStringLiteral("A transaction could not be started.");
    // Nothing has been sent when the connection is found lost here: the transaction begins on
    // the connection opened anew.
    onceMoreAfterReopening(what, Resend::Safe, [&]() -> Outcome<std::monostate> {
        if (sqliteTransactionStatement(QStringLiteral("BEGIN IMMEDIATE"), what) || database().transaction())
            return std::monostate();
        return ConnectionError(what, database());
    });
    m_inTransaction = true;
    m_freshTransaction = true;
}

void Connection::commit()
{
    const QString what = QStringLiteral("The changes could not be committed.");
    if (std::exchange(m_inTransaction, false) && !isOpen()) {
        // Lost earlier in this transaction, which the server then rolled back.
        reopen();
        throw DbError(what, LostDuringChange).markConnectionLost();
    }
    requireOpen(what);
    try {
        if (sqliteTransactionStatement(QStringLiteral("COMMIT"), what))
            return;
    } catch (const DbError &) {
        QSqlQuery(database()).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
    // PostgreSQL can tell afterwards whether a transaction was committed, by its number.
    QString number;
    if (m_dialect == Dialect::PostgreSQL) {
        std::optional<DbError> failure;
        {
            QSqlQuery query(database());
            if (query.exec(QStringLiteral("select txid_current()")) && query.next())
                number = query.value(0).toString();
            else
                failure = QueryError(what, database(), query);
        }
        // Cut off before the commit was sent: nothing was stored.
        if (failure && lostBy(*failure)) {
            closeLost();
            reopen();
            throw *failure;
        }
    }
    if (database().commit())
        return;
    DbError failure = ConnectionError(what, database());
    if (!lostBy(failure)) {
        database().rollback();
        throw failure;
    }
    closeLost();
    if (reopen() && !number.isEmpty()) {
        if (const std::optional<bool> stored = committed(number)) {
            if (*stored)
                return;
            throw failure;
        }
    }
    throw DbError(QStringLiteral("The connection to the database was lost as the changes were being committed, "
                                 "and whether the server stored them could not be told: they may or may not have "
                                 "been stored."),
                  failure.driverText(), failure.sqlState(), failure.nativeCode())
        .markOutcomeUnknown();
}

std::optional<bool> Connection::committed(const QString &transactionNumber)
{
    // A session the server ended may take a moment to record the end of its transaction.
    const QDeadlineTimer deadline(2000);
    for (;;) {
        QSqlQuery query(database());
        if (!query.exec(QStringLiteral("select txid_status(%1)").arg(transactionNumber)) || !query.next())
            return std::nullopt;
        const QString status = query.value(0).toString();
        if (status == QLatin1StringView("committed"))
            return true;
        if (status == QLatin1StringView("aborted"))
            return false;
        if (status != QLatin1StringView("in progress") || deadline.hasExpired())
            return std::nullopt;
        QThread::msleep(50);
    }
}

void Connection::rollback()
{
    const QString what = QStringLiteral("The changes could not be rolled back.");
    // A lost connection's transaction was rolled back by the server: nothing is left to undo.
    if (std::exchange(m_inTransaction, false) && !isOpen()) {
        reopen();
        return;
    }
    requireOpen(what);
    // SQLite rolled it back itself at the failure that led here.
    if (SqliteTransactionOpen(database()) == false)
        return;
    if (sqliteTransactionStatement(QStringLiteral("ROLLBACK"), what))
        return;
    if (!database().rollback()) {
        DbError failure = ConnectionError(what, database());
        if (!lostBy(failure))
            throw failure;
        closeLost();
        reopen();
    }
}

Recordset Connection::openRecordset(const QString &sql, const QString &filter)
{
    const RowFilter rowFilter = RowFilter::parse(filter);
    // A read cut off by the loss of the connection is repeated once on the connection opened anew.
    Recordset result = onceMoreAfterReopening(queryFailed(sql), Resend::Safe, [&]() -> Outcome<Recordset> {
        QSqlQuery query(database());
        query.setForwardOnly(true);
        if (query.exec(sent(sql))) {
            Recordset fetched = Recordset::fetch(query, rowFilter);
            if (!query.lastError().isValid())
                return fetched;
        }
        return QueryError(queryFailed(sql), database(), query);
    });
    m_freshTransaction = false;
    return result;
}

QSqlQuery Connection::run(const QString &sql)
{
    QSqlQuery query = onceMoreAfterReopening(queryFailed(sql), Resend::Safe, [&]() -> Outcome<QSqlQuery> {
        QSqlQuery attempt(database());
        attempt.setForwardOnly(true);
        if (attempt.exec(sent(sql)))
            return attempt;
        return QueryError(queryFailed(sql), database(), attempt);
    });
    m_freshTransaction = false;
    return query;
}

QString Connection::lastQueryError(const QSqlQuery &query)
{
    return query.lastError().isValid() ? DriverErrorText(query.lastError()) : QString();
}

Connection &DbConn()
{
    static Connection connection;
    return connection;
}

} // namespace Processing
