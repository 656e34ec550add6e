#pragma once

#include "data/DbError.h"
#include "data/connection/Connection.h"

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

// Why a plan writes nothing.
enum class NewRowRefusal {
    None,
    Repeated,           // the same row is stored already
    ParentGone,         // the category or city it goes under was deleted meanwhile
    IdentifierTooLarge, // the identifier would not fit (id says which)
};

// What one try is to write, as the reads inside its transaction decided.
struct NewRowPlan
{
    qint64 id = 0;
    // None: nothing is written, and refusal says why.
    QStringList statements;
    // Counts the new row with its values, for a commit whose answer was lost (WrittenRowQueries).
    QString written;
    NewRowRefusal refusal = NewRowRefusal::None;
};

struct NewRowOutcome
{
    qint64 id = 0;     // of the last try; the identifier stored when it succeeded
    bool sent = false; // whether any try sent its statements
    std::optional<DbError> failure;
    NewRowRefusal refusal = NewRowRefusal::None;

    bool stored() const { return !failure && refusal == NewRowRefusal::None; }
};

// Runs plan and its statements in one transaction; when the new row's key was taken meanwhile,
// rolls back and tries again in a fresh transaction, in which plan chooses again, up to
// NewIdentifierTries times. plan runs inside the transaction: what it reads is what the write
// relies on. It must not ask the user anything: the transaction is open while it runs.
NewRowOutcome WriteNewRow(const std::function<NewRowPlan()> &plan, Connection &db = DbConn());

} // namespace Processing
