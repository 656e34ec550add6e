#include "data/statements/DialectWrites.h"

namespace Processing {

namespace {

// No shared row lock: a row relied on is held as for a change. ORA-00001 is the taken key.
const DialectWrites oracle{
    QStringLiteral(" for update"),
    QStringLiteral(" for update"),
    // The one mode that excludes itself and every write, and no read.
    QStringLiteral("lock table %1 in share row exclusive mode"),
    {QStringLiteral("1"), QStringLiteral("ORA-00001")},
};

// Its transaction holds the file's write lock from its start, so nothing more is held. A taken
// key: SQLITE_CONSTRAINT_PRIMARYKEY, SQLITE_CONSTRAINT_UNIQUE, and the general SQLITE_CONSTRAINT
// its ODBC driver gives (an identifier chosen twice in a row tells that it was no taken key).
const DialectWrites sqlite{
    QString(),
    QString(),
    QString(),
    {QStringLiteral("1555"), QStringLiteral("2067"), QStringLiteral("19")},
};

// The taken key is told by SQLSTATE 23505 alone.
const DialectWrites postgresql{
    QStringLiteral(" for update"),
    QStringLiteral(" for share"),
    QStringLiteral("lock table %1 in share row exclusive mode"),
    {},
};

} // namespace

const DialectWrites &DialectWritesOf(Dialect dialect)
{
    switch (dialect) {
    case Dialect::Oracle:
        break;
    case Dialect::SQLite:
        return sqlite;
    case Dialect::PostgreSQL:
        return postgresql;
    }
    return oracle;
}

} // namespace Processing
