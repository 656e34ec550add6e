#include "data/connection/Connection.h"

#include "data/DbError.h"
#include "data/connection/ConnectionLoss.h"
#include "data/connection/DriverErrors.h"
#include "data/connection/DriverSetup.h"
#include "data/connection/PostgreSQLCommitProbe.h"
#include "data/connection/ServerLine.h"
#include "data/connection/ServerSockets.h"
#include "data/connection/SqliteTransaction.h"
#include "data/statements/RowFilter.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QTimer>

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

QString seconds(std::chrono::milliseconds limit)
{
    const double value = double(limit.count()) / 1000;
    return value == 1 ? QCoreApplication::translate("Processing", "1 second")
                      : QCoreApplication::translate("Processing", "%1 seconds").arg(value);
}

QString busyWords(std::chrono::milliseconds limit)
{
    return QCoreApplication::translate(
               "Processing", "The database server is busy: it gave no answer for %1, so the program asked it to stop, "
                             "and it did.")
        .arg(seconds(limit));
}

QString silentWords(std::chrono::milliseconds limit)
{
    return QCoreApplication::translate(
               "Processing", "The database server is not answering: it sent nothing for %1 and did not answer the "
                             "request to stop either, so the program gave up and closed its connection to it. The next "
                             "action connects again.")
        .arg(seconds(limit));
}

QString storedSlowlyWords(std::chrono::milliseconds limit)
{
    return QCoreApplication::translate(
               "Processing", "The database server was slow to confirm the change: it gave no answer for %1, so the "
                             "program stopped waiting. The change is stored (the server had already committed it "
                             "locally), but it may not yet have reached the server's standby.")
        .arg(seconds(limit));
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

bool Connection::reopenWithin(std::chrono::milliseconds span)
{
    const QDeadlineTimer deadline(span);
    while (!reopen()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
    return true;
}

void Connection::establish(const DatabaseDescriptor &descriptor)
{
    closeLost();
    // The ODBC driver's sockets are told apart by being new.
    const std::vector<int> before =
        descriptor.kind == DatabaseDescriptor::Kind::Odbc ? OpenSockets() : std::vector<int>();
    m_dialect = OpenDatabase(descriptor, ConnectionName);
    // SQLite waits only for its own busy timeout.
    if (m_dialect != Dialect::SQLite) {
        if (std::optional<ServerLine> line = ServerLineOf(database(), before))
            m_watchdog.watch(std::move(*line));
    }
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
    // Before the driver closes the sockets the watchdog might otherwise close again.
    m_watchdog.unwatch();
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
    if (m_silent)
        throw silentFailure(what);
    // Closed under a reader of rows, which could not close it then.
    if (m_watchdog.lineClosed())
        closeLost();
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

bool Connection::givenUp(DbError &failure)
{
    const StatementWatchdog::Verdict verdict = m_watchdog.lastVerdict();
    if (verdict.closed) {
        fallSilent();
        failure = silentFailure(failure.what());
        return true;
    }
    if (verdict.cancelled) {
        failure = DbError(failure.what(), busyWords(answerLimit()) + QStringLiteral("\n\n") + failure.driverText(),
                          failure.sqlState(), failure.nativeCode())
                      .markServerBusy();
        return true;
    }
    return false;
}

void Connection::fallSilent()
{
    m_status.set(false);
    if (m_silent)
        return;
    m_silent = true;
    ++m_silences;
    endSilenceAt(QThread::currentThread()->loopLevel(), 0);
}

void Connection::endSilenceAt(int eventLoopLevel, int delayMs)
{
    // Not in a message box's own loop, which the action shows before it is over.
    QTimer::singleShot(delayMs, &m_status, [this, eventLoopLevel] {
        if (QThread::currentThread()->loopLevel() > eventLoopLevel)
            endSilenceAt(eventLoopLevel, 100);
        else
            m_silent = false;
    });
}

DbError Connection::silentFailure(const QString &what) const
{
    return DbError(what, silentWords(answerLimit())).markServerSilent(m_silences);
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
        // Not repeated: a busy server would be kept busier, a silent one would keep the user
        // waiting again.
        if (givenUp(failure)) {
            if (failure.serverSilence()) {
                closeLost();
                // Outside a transaction the statement took effect as it ran, if it reached the server.
                if (resend == Resend::MayHaveTakenEffect && !m_inTransaction)
                    failure.markOutcomeUnknown();
            }
            throw failure;
        }
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
        const StatementWatchdog::Wait wait(m_watchdog, &query);
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
        const StatementWatchdog::Wait wait(m_watchdog, nullptr);
        if (SqliteBegin(database(), m_dialect, what) || database().transaction())
            return std::monostate();
        return ConnectionError(what, database());
    });
    m_inTransaction = true;
    m_freshTransaction = true;
}

void Connection::commit(const QString &written)
{
    const QString what = QCoreApplication::translate("Processing", "The changes could not be committed.");
    if (std::exchange(m_inTransaction, false) && !isOpen()) {
        // Lost earlier in this transaction, which the server then rolled back.
        if (!m_silent)
            reopen();
        throw DbError(what, lostDuringChange()).markConnectionLost();
    }
    requireOpen(what);
    if (SqliteCommit(database(), m_dialect, what))
        return;
    // Where the server can tell by it afterwards whether a commit whose answer is lost took effect.
    TransactionNumber taken;
    {
        const StatementWatchdog::Wait wait(m_watchdog, nullptr);
        taken = OpenTransactionNumber(database(), m_dialect, what);
    }
    // Given up or cut off before the commit was sent: nothing was stored.
    if (taken.failure) {
        DbError &failure = *taken.failure;
        if (givenUp(failure)) {
            if (failure.serverSilence()) {
                closeLost();
            } else {
                const StatementWatchdog::Wait wait(m_watchdog, nullptr);
                database().rollback();
            }
            throw failure;
        }
        if (lostBy(failure)) {
            closeLost();
            reopen();
            throw failure;
        }
    }
    bool committed = false;
    {
        const StatementWatchdog::Wait wait(m_watchdog, nullptr);
        committed = database().commit();
    }
    const StatementWatchdog::Verdict verdict = m_watchdog.lastVerdict();
    if (committed) {
        // Stopped while it waited after the commit had taken effect: for a standby, say.
        if (verdict.cancelled)
            Q_EMIT m_status.storedSlowly(storedSlowlyWords(answerLimit()));
        return;
    }
    DbError failure = ConnectionError(what, database());
    if (!verdict.closed) {
        // Stopped before it took effect, or refused: nothing was stored.
        if (givenUp(failure) || !lostBy(failure)) {
            const StatementWatchdog::Wait wait(m_watchdog, nullptr);
            database().rollback();
            throw failure;
        }
    }
    // The commit's answer is lost: the server is asked, once, on a connection opened anew. A
    // server that has just ended its sessions may still take a connection as it shuts down, and
    // drop it unanswered, which ends the attempt before a standby taking over is tried: tried
    // again for a moment, unless the server is silent, where each attempt waits for it.
    closeLost();
    using namespace std::chrono_literals;
    if ((verdict.closed ? reopen() : reopenWithin(2s)) && !taken.number.isEmpty()) {
        std::optional<bool> stored;
        {
            const StatementWatchdog::Wait wait(m_watchdog, nullptr);
            stored = TransactionCommitted(database(), taken, written.isEmpty() ? written : sent(written));
        }
        if (stored) {
            if (*stored) {
                if (verdict.closed)
                    Q_EMIT m_status.storedSlowly(storedSlowlyWords(answerLimit()));
                return;
            }
            if (verdict.closed)
                throw DbError(what, QCoreApplication::translate(
                                        "Processing", "The database server gave no answer to the commit for %1, so the "
                                                      "program closed its connection to it; asked again, it says "
                                                      "nothing of the change was stored.")
                                        .arg(seconds(answerLimit())))
                    .markConnectionLost();
            throw failure;
        }
    }
    if (verdict.closed && !isOpen())
        fallSilent();
    DbError unknown(
        QCoreApplication::translate("Processing",
                                    "The connection to the database was lost as the changes were being committed, and "
                                    "whether the server stored them could not be told: they may or may not have been "
                                    "stored."),
        verdict.closed ? silentWords(answerLimit()) : failure.driverText(), failure.sqlState(), failure.nativeCode());
    unknown.markOutcomeUnknown();
    if (verdict.closed && m_silent)
        unknown.markServerSilent(m_silences);
    throw unknown;
}

void Connection::rollback()
{
    const QString what = QCoreApplication::translate("Processing", "The changes could not be rolled back.");
    // A lost connection's transaction was rolled back by the server: nothing is left to undo.
    if (std::exchange(m_inTransaction, false) && !isOpen()) {
        if (!m_silent)
            reopen();
        return;
    }
    requireOpen(what);
    // SQLite rolled it back itself at the failure that led here.
    if (SqliteTransactionOpen(database()) == false)
        return;
    if (SqliteRollback(database(), m_dialect, what))
        return;
    bool rolledBack = false;
    {
        const StatementWatchdog::Wait wait(m_watchdog, nullptr);
        rolledBack = database().rollback();
    }
    if (rolledBack)
        return;
    DbError failure = ConnectionError(what, database());
    if (givenUp(failure)) {
        // The server rolls back a transaction whose connection has gone.
        if (failure.serverSilence())
            closeLost();
        throw failure;
    }
    if (!lostBy(failure))
        throw failure;
    closeLost();
    reopen();
}

Recordset Connection::openRecordset(const QString &sql, const RowFilter &filter)
{
    // A read cut off by the loss of the connection is repeated once on the connection opened anew.
    Recordset result = onceMoreAfterReopening(queryFailed(sql), Resend::Safe, [&]() -> Outcome<Recordset> {
        QSqlQuery query(database());
        query.setForwardOnly(true);
        const StatementWatchdog::Wait wait(m_watchdog, &query);
        if (query.exec(sent(sql))) {
            Recordset fetched = Recordset::fetch(query, filter);
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
        const StatementWatchdog::Wait wait(m_watchdog, &attempt);
        if (attempt.exec(sent(sql)))
            return attempt;
        return QueryError(queryFailed(sql), database(), attempt);
    });
    m_freshTransaction = false;
    return query;
}

bool Connection::nextRow(QSqlQuery &query)
{
    {
        const StatementWatchdog::Wait wait(m_watchdog, &query);
        if (query.next())
            return true;
    }
    // The connection stays open under the reader's query, to be closed by the next statement.
    if (m_watchdog.lastVerdict().closed)
        fallSilent();
    return false;
}

QString Connection::lastQueryError(const QSqlQuery &query)
{
    return query.lastError().isValid() ? DriverErrorText(query.lastError()) : QString();
}

QString Connection::rowsFailure(const QSqlQuery &query) const
{
    if (!query.lastError().isValid())
        return QString();
    const StatementWatchdog::Verdict verdict = m_watchdog.lastVerdict();
    if (verdict.closed)
        return silentWords(answerLimit());
    const QString text = lastQueryError(query);
    return verdict.cancelled ? busyWords(answerLimit()) + QStringLiteral("\n\n") + text : text;
}

Connection &DbConn()
{
    static Connection connection;
    return connection;
}

} // namespace Processing
