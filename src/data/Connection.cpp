#include "data/Connection.h"

#include "data/ConnectionLoss.h"
#include "data/DbError.h"
#include "data/DriverErrors.h"
#include "data/DriverSetup.h"
#include "data/PostgreSQLCommitProbe.h"
#include "data/RowFilter.h"
#include "data/SqliteTransaction.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>

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
    return QCoreApplication::translate("Processing", "The database refused the statement: %1").arg(shortened(sql));
}

QString queryFailed(const QString &sql)
{
    return QCoreApplication::translate("Processing", "The database could not run the query: %1").arg(shortened(sql));
}

QString lostDuringChange()
{
    return QCoreApplication::translate(
        "Processing", "The connection to the database was lost during the change; nothing of it was stored.");
}

DbError notReopened(const QString &what, const QString &why)
{
    return DbError(what,
                   QCoreApplication::translate(
                       "Processing", "The connection to the database was lost and could not be opened again.\n\n") +
                       why)
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
    m_dialect = OpenDatabase(descriptor, ConnectionName);
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
            throw DbError(what, QCoreApplication::translate(
                                    "Processing", "The database ended the change at an earlier failure; nothing of it "
                                                  "was stored."));
        return;
    }
    if (!m_descriptor)
        notConnected(what);
    // Statements after the loss must not run on a new connection outside their transaction.
    if (m_inTransaction)
        throw DbError(what, lostDuringChange()).markConnectionLost();
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
    throw DbError(what, QCoreApplication::translate("Processing", "The program is not connected to the database."));
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
            throw DbError(QCoreApplication::translate(
                              "Processing", "The connection to the database was lost as a statement ran: it may or may "
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

void Connection::begin()
{
    const QString what = QCoreApplication::translate("Processing", "A transaction could not be started.");
    // Nothing has been sent when the connection is found lost here: the transaction begins on
    // the connection opened anew.
    onceMoreAfterReopening(what, Resend::Safe, [&]() -> Outcome<std::monostate> {
        if (SqliteBegin(database(), m_dialect, what) || database().transaction())
            return std::monostate();
        return ConnectionError(what, database());
    });
    m_inTransaction = true;
    m_freshTransaction = true;
}

void Connection::commit()
{
    const QString what = QCoreApplication::translate("Processing", "The changes could not be committed.");
    if (std::exchange(m_inTransaction, false) && !isOpen()) {
        // Lost earlier in this transaction, which the server then rolled back.
        reopen();
        throw DbError(what, lostDuringChange()).markConnectionLost();
    }
    requireOpen(what);
    if (SqliteCommit(database(), m_dialect, what))
        return;
    // Where the server can tell by it afterwards whether a commit whose answer is lost took effect.
    TransactionNumber taken = OpenTransactionNumber(database(), m_dialect, what);
    // Cut off before the commit was sent: nothing was stored.
    if (taken.failure && lostBy(*taken.failure)) {
        closeLost();
        reopen();
        throw *taken.failure;
    }
    if (database().commit())
        return;
    DbError failure = ConnectionError(what, database());
    if (!lostBy(failure)) {
        database().rollback();
        throw failure;
    }
    closeLost();
    if (reopen() && !taken.number.isEmpty()) {
        if (const std::optional<bool> stored = TransactionCommitted(database(), taken.number)) {
            if (*stored)
                return;
            throw failure;
        }
    }
    throw DbError(QCoreApplication::translate(
                      "Processing", "The connection to the database was lost as the changes were being committed, "
                                    "and whether the server stored them could not be told: they may or may not have "
                                    "been stored."),
                  failure.driverText(), failure.sqlState(), failure.nativeCode())
        .markOutcomeUnknown();
}

void Connection::rollback()
{
    const QString what = QCoreApplication::translate("Processing", "The changes could not be rolled back.");
    // A lost connection's transaction was rolled back by the server: nothing is left to undo.
    if (std::exchange(m_inTransaction, false) && !isOpen()) {
        reopen();
        return;
    }
    requireOpen(what);
    // SQLite rolled it back itself at the failure that led here.
    if (SqliteTransactionOpen(database()) == false)
        return;
    if (SqliteRollback(database(), m_dialect, what))
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
