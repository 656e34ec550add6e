#pragma once

#include "data/statements/Dialect.h"

#include <QString>
#include <QStringList>

namespace Processing {

// What a write needs to say differently to each database, and how each tells that a key is
// taken: one entry per database, so that supporting another means filling one in.
struct DialectWrites
{
    // Appended to a read of one row to hold it for this transaction's change or delete.
    QString holdForChange;
    // Appended to a read of one row to hold it against others' changes and deletes, while others
    // may rely on it too.
    QString holdAgainstChange;
    // The statement that holds a table (%1) against rows added, changed or deleted by others;
    // empty where the transaction holds that already.
    QString holdTableAgainstAdds;
    // The database's own codes for a row refused because its key is taken (beside SQLSTATE 23505,
    // which every database that gives a SQLSTATE uses).
    QStringList keyTakenCodes;
};

const DialectWrites &DialectWritesOf(Dialect dialect);

} // namespace Processing
