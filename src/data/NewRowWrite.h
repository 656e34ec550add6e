#pragma once

#include "data/Connection.h"
#include "data/DbError.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Adding a row under an identifier the program chooses, while others may be adding rows too.
namespace Processing {

// How often a new row is tried, each time under an identifier chosen anew, before the user is
// told that others kept taking them.
constexpr int NewIdentifierTries = 5;

// Whether the database refused a row because its key is taken, by its own code for that:
// SQLSTATE 23505 (PostgreSQL, natively or over ODBC), ORA-00001, SQLite's primary-key or
// unique constraint (its ODBC driver gives only the constraint's general code).
bool IsKeyTaken(const DbError &error, Dialect dialect);

// What one try is to write, as the reads inside its transaction decided.
struct NewRowPlan
{
    qint64 id = 0;
    // None: nothing is written, and refusal says why (the identifier does not fit, the category
    // is gone ...).
    QStringList statements;
    QString refusal;
};

struct NewRowOutcome
{
    qint64 id = 0;     // of the last try; the identifier stored when it succeeded
    bool sent = false; // whether any try sent its statements
    std::optional<DbError> failure;
    QString refusal;

    bool stored() const { return !failure && refusal.isEmpty(); }
};

// Runs plan and its statements in one transaction; when the new row's key was taken meanwhile,
// rolls back and tries again in a fresh transaction, in which plan chooses again, up to
// NewIdentifierTries times. plan runs inside the transaction: what it reads is what the write
// relies on. It must not ask the user anything: the transaction is open while it runs.
NewRowOutcome WriteNewRow(const std::function<NewRowPlan()> &plan, Connection &db = DbConn());

} // namespace Processing
