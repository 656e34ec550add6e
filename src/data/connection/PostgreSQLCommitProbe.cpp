#include "data/connection/PostgreSQLCommitProbe.h"

#include "data/connection/DriverErrors.h"
#include "data/statements/ConnectionStatements.h"

#include <QDeadlineTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>

namespace Processing {

TransactionNumber OpenTransactionNumber(const QSqlDatabase &db, Dialect dialect, const QString &what)
{
    TransactionNumber taken;
    if (dialect != Dialect::PostgreSQL)
        return taken;
    QSqlQuery query(db);
    if (query.exec(TransactionNumberQuery()) && query.next()) {
        taken.number = query.value(0).toString();
        taken.timeline = query.value(1).toString();
    } else {
        taken.failure = QueryError(what, db, query);
    }
    return taken;
}

std::optional<bool> TransactionCommitted(const QSqlDatabase &db, const TransactionNumber &taken,
                                         const QString &writtenQuery)
{
    QSqlQuery timeline(db);
    if (taken.timeline.isEmpty() || !timeline.exec(TimelineQuery()) || !timeline.next())
        return std::nullopt;
    // After a failover the number may be another transaction's; the rows are what they are, as
    // the promotion ended every transaction it found unfinished.
    if (timeline.value(0).toString() != taken.timeline) {
        QSqlQuery rows(db);
        if (writtenQuery.isEmpty() || !rows.exec(writtenQuery) || !rows.next())
            return std::nullopt;
        return rows.value(0).toLongLong() > 0;
    }
    // A session the server ended may take a moment to record the end of its transaction.
    const QDeadlineTimer deadline(2000);
    for (;;) {
        QSqlQuery query(db);
        if (!query.exec(TransactionStatusQuery(taken.number)) || !query.next())
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

} // namespace Processing
