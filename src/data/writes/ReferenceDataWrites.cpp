#include "data/writes/ReferenceDataWrites.h"

#include "data/statements/ReferenceListStatements.h"
#include "data/statements/WrittenRowQueries.h"
#include "data/writes/NewIdentifiers.h"
#include "data/writes/RowLocks.h"

namespace Processing {

NewRowOutcome AddCategory(const QString &name, qint32 parent, const QString &parentName, qint64 counted, Connection &db)
{
    return WriteNewRow(
        [&] {
            NewRowPlan plan;
            if (!HoldChosenCategory(parent, parentName, db)) {
                plan.refusal = NewRowRefusal::ParentGone;
                return plan;
            }
            plan.id = NewRowIdentifier(counted, QStringLiteral("Places_Root"), QStringLiteral("Branch_ID"), db);
            if (plan.id > LargestIdentifier)
                plan.refusal = NewRowRefusal::IdentifierTooLarge;
            else {
                plan.statements = {InsertCategoryStatement(qint32(plan.id), name, parent)};
                plan.written = CategoryWrittenQuery(qint32(plan.id), name, parent);
            }
            return plan;
        },
        db);
}

NewRowOutcome AddDistrict(const QString &name, qint32 city, qint64 counted, Connection &db)
{
    return WriteNewRow(
        [&] {
            NewRowPlan plan;
            plan.id = NewRowIdentifier(counted, QStringLiteral("PLACES_DISTRICT"), QStringLiteral("DISTRICT_ID"), db);
            if (plan.id > LargestIdentifier)
                plan.refusal = NewRowRefusal::IdentifierTooLarge;
            else {
                plan.statements = {InsertDistrictStatement(qint32(plan.id), name, city)};
                plan.written = DistrictWrittenQuery(qint32(plan.id), name, city);
            }
            return plan;
        },
        db);
}

} // namespace Processing
