#include "data/RowLocks.h"

#include "data/NewIdentifiers.h"

namespace Processing {

QString HoldForChangeQuery(const QString &table, const QString &column, qint32 id, Dialect dialect)
{
    const QString sql = IdentifierInUseQuery(table, column, id);
    return dialect == Dialect::SQLite ? sql : sql + QStringLiteral(" for update");
}

QString HoldAgainstChangeQuery(const QString &table, const QString &column, qint32 id, Dialect dialect)
{
    const QString sql = IdentifierInUseQuery(table, column, id);
    switch (dialect) {
    case Dialect::PostgreSQL:
        return sql + QStringLiteral(" for share");
    case Dialect::Oracle:
        return sql + QStringLiteral(" for update");
    case Dialect::SQLite:
        break;
    }
    return sql;
}

QString HoldAgainstAddsStatement(const QString &table, Dialect dialect)
{
    // The one mode that excludes itself and every write, and no read, in both PostgreSQL and Oracle.
    return dialect == Dialect::SQLite ? QString()
                                      : QStringLiteral("lock table %1 in share row exclusive mode").arg(table);
}

bool HoldForChange(const QString &table, const QString &column, qint32 id, Connection &db)
{
    return db.openRecordset(HoldForChangeQuery(table, column, id, db.dialect())).RecordCount() > 0;
}

bool HoldAgainstChange(const QString &table, const QString &column, qint32 id, Connection &db)
{
    return db.openRecordset(HoldAgainstChangeQuery(table, column, id, db.dialect())).RecordCount() > 0;
}

void HoldAgainstAdds(const QString &table, Connection &db)
{
    if (const QString sql = HoldAgainstAddsStatement(table, db.dialect()); !sql.isEmpty())
        db.execute(sql);
}

} // namespace Processing
