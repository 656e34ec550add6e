#include "data/writes/CategoryDelete.h"

#include "data/connection/Transaction.h"
#include "data/statements/DeleteStatements.h"
#include "data/writes/RowLocks.h"

namespace Processing {

namespace {

qint64 countOf(const QString &sql, Connection &db)
{
    const Recordset rs = db.openRecordset(sql);
    return rs.RecordCount() > 0 ? rs.value(0, 0).toLongLong() : 0;
}

} // namespace

bool HasSubCategories(qint32 branchId, Connection &db)
{
    return countOf(SubCategoryCountQuery(branchId), db) > 0;
}

bool HasPlaces(qint32 branchId, Connection &db)
{
    return countOf(CategoryPlaceCountQuery(branchId), db) > 0;
}

CategoryDeleteOutcome DeleteCategory(qint32 branchId, const QString &confirmedName, Connection &db)
{
    using Result = CategoryDeleteOutcome::Result;
    CategoryDeleteOutcome outcome;
    try {
        Transaction write(db);
        // One already gone is deleted as far as this user is concerned. Nothing is sent then: a
        // category added meanwhile may have taken its identifier, and a server that runs each
        // statement on what is committed by then would delete that one.
        if (!HoldForChange(QStringLiteral("Places_root"), QStringLiteral("Branch_ID"), branchId, db))
            return outcome;
        if (const QString now = CategoryNameNow(branchId, db); now != confirmedName) {
            outcome.result = Result::Renamed;
            outcome.nowNamed = now;
            return outcome;
        }
        if (HasSubCategories(branchId, db)) {
            outcome.result = Result::HasSubCategories;
            return outcome;
        }
        if (HasPlaces(branchId, db)) {
            outcome.result = Result::HasPlaces;
            return outcome;
        }
        write.execute(DeleteCategoryStatement(branchId));
        outcome.failure = write.finish();
    } catch (const DbError &error) {
        outcome.failure = error;
    }
    if (outcome.failure)
        outcome.result = Result::Failed;
    return outcome;
}

} // namespace Processing
