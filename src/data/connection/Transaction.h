#pragma once

#include "data/DbError.h"
#include "data/connection/Connection.h"

#include <QStringList>

#include <optional>

namespace Processing {

// One write to the database. It begins when made. Its statements run in order up to the first
// that fails; none after it is sent. finish() commits when none failed and rolls back otherwise.
// Left without finish() (an exception, an early return), it rolls back, so no way out leaves a
// transaction open on the connection.
class Transaction
{
public:
    // Throws DbError when the transaction cannot begin; then nothing has been sent.
    explicit Transaction(Connection &db = DbConn());
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    // Runs a statement unless one has failed; a refusal is remembered, not thrown, and told.
    void execute(const QString &sql);
    bool failed() const { return m_failure.has_value(); }

    // Commits when nothing failed, otherwise rolls back. Returns the first failure, of a
    // statement or of the commit itself; none when everything is stored. written finds the
    // write's rows afterwards (see Connection::commit).
    std::optional<DbError> finish(const QString &written = QString());

private:
    void rollbackQuietly();

    Connection &m_db;
    std::optional<DbError> m_failure;
    bool m_open = false;
};

// The statements as one write: the first failure, or none when all of them were committed. A
// transaction that cannot begin runs none of them. Every write of the program goes through here,
// a single statement too, so that what a write does on failure is decided in one place.
std::optional<DbError> RunAsOneWrite(const QStringList &statements, Connection &db = DbConn(),
                                     const QString &written = QString());

} // namespace Processing
