#include "data/writes/RowLocks.h"

#include "data/connection/Recordset.h"
#include "data/statements/DialectWrites.h"
#include "data/statements/ReferenceListStatements.h"
#include "data/writes/NewIdentifiers.h"

namespace Processing {

QString HoldForChangeQuery(const QString &table, const QString &column, qint32 id, Dialect dialect)
{
    return IdentifierInUseQuery(table, column, id) + DialectWritesOf(dialect).holdForChange;
}

QString HoldAgainstChangeQuery(const QString &table, const QString &column, qint32 id, Dialect dialect)
{
    return IdentifierInUseQuery(table, column, id) + DialectWritesOf(dialect).holdAgainstChange;
}

QString HoldAgainstAddsStatement(const QString &table, Dialect dialect)
{
    const QString &statement = DialectWritesOf(dialect).holdTableAgainstAdds;
    return statement.isEmpty() ? QString() : statement.arg(table);
}

bool HoldForChange(const QString &table, const QString &column, qint32 id, Connection &db)
{
    return db.openRecordset(HoldForChangeQuery(table, column, id, db.dialect())).RecordCount() > 0;
}

bool HoldAgainstChange(const QString &table, const QString &column, qint32 id, Connection &db)
{
    return db.openRecordset(HoldAgainstChangeQuery(table, column, id, db.dialect())).RecordCount() > 0;
}

QString CategoryNameNow(qint32 branchId, Connection &db)
{
    const Recordset rs = db.openRecordset(CategoryNameQuery(branchId));
    return rs.RecordCount() > 0 ? rs.text(0, 0) : QString();
}

bool HoldChosenCategory(qint32 category, const QString &chosenName, Connection &db)
{
    if (!HoldAgainstChange(QStringLiteral("Places_Root"), QStringLiteral("Branch_ID"), category, db))
        return false;
    return category == 0 || CategoryNameNow(category, db) == chosenName;
}

void HoldAgainstAdds(const QString &table, Connection &db)
{
    if (const QString sql = HoldAgainstAddsStatement(table, db.dialect()); !sql.isEmpty())
        db.execute(sql);
}

bool HoldPlaceForChange(qint32 placeId, Connection &db)
{
    HoldForChange(QStringLiteral("PLACES_BRANCH_LEAVES"), QStringLiteral("LEAF_ID"), placeId, db);
    return HoldForChange(QStringLiteral("PLACES_LEAVES"), QStringLiteral("LEAF_ID"), placeId, db);
}

} // namespace Processing
