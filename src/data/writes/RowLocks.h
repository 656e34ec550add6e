#pragma once

#include "data/connection/Connection.h"

#include <QString>

// Reads inside a write's transaction that hold what they read until it ends, so that a check
// made before a write is still true when the write commits. PostgreSQL and Oracle lock the rows
// read; SQLite needs no lock of its own, since the transaction holds the file's write lock from
// its start.
namespace Processing {

// The row an identifier names, held for a change or delete by this transaction: others who
// want to change, delete or hold it wait until this transaction ends.
QString HoldForChangeQuery(const QString &table, const QString &column, qint32 id, Dialect dialect);
// The row held against a change or delete by others while this transaction relies on it (the
// category a place is filed under); others may rely on it at the same time. Oracle has no
// shared row lock: there it is held as for a change.
QString HoldAgainstChangeQuery(const QString &table, const QString &column, qint32 id, Dialect dialect);

// The table held against rows added, changed or deleted by others until this transaction ends,
// so that a check over the whole table (no such place yet) still holds when the write commits;
// reads go on. Empty on SQLite, whose transaction holds the file's write lock already.
QString HoldAgainstAddsStatement(const QString &table, Dialect dialect);

// Both run their query and say whether the row exists. Throw DbError.
bool HoldForChange(const QString &table, const QString &column, qint32 id, Connection &db = DbConn());
bool HoldAgainstChange(const QString &table, const QString &column, qint32 id, Connection &db = DbConn());
// A place's category links, then the place: the one order every write that changes or deletes a
// place holds them in, so that two such writes never wait on each other for ever. Says whether
// the place exists. Throws DbError.
bool HoldPlaceForChange(qint32 placeId, Connection &db);
// A category's name as the database holds it now; empty when it is gone. Read after the row is
// held, it stays so until the transaction ends. Throws DbError.
QString CategoryNameNow(qint32 branchId, Connection &db);
// The category a write files something under, held as HoldAgainstChange holds it. Says whether
// it is still the one chosen: there, and under the name it was chosen by, since a category
// deleted meanwhile leaves its identifier to the next one added. The root (0), which is never
// deleted and has a name of its own in the lists, is checked by its identifier alone. Throws
// DbError.
bool HoldChosenCategory(qint32 category, const QString &chosenName, Connection &db);
// Throws DbError.
void HoldAgainstAdds(const QString &table, Connection &db = DbConn());

} // namespace Processing
