#include "data/statements/ReferenceListStatements.h"

#include "data/statements/SqlText.h"

// The blanks inside the pieces are part of the text the database receives and are kept exactly.
namespace Processing {

QString CategoriesQuery()
{
    return QStringLiteral("Select * from Places_Root where places_root.branch_id <> 0 ");
}

QString CategoryNameQuery(qint32 branchId)
{
    return QStringLiteral("Select BRANCH_NAME from PLACES_ROOT where BRANCH_ID = ") + QString::number(branchId);
}

QString CitiesQuery()
{
    return QStringLiteral("Select * from cm_city ");
}

QString DistrictsQuery()
{
    return QStringLiteral("Select * from Places_District ");
}

QString InsertCategoryStatement(qint32 id, const QString &typedName, qint32 parentId)
{
    return QStringLiteral(" Insert into Places_Root values ( ") + QString::number(id) + QStringLiteral(" , '") +
           SqlText(typedName) + QStringLiteral("' , ") + QString::number(parentId) + QStringLiteral(" , 'N',1 )");
}

QString InsertDistrictStatement(qint32 id, const QString &typedName, qint32 cityCode)
{
    return QStringLiteral(" Insert into PLACES_DISTRICT  values ( ") + QString::number(id) + QStringLiteral(" , '") +
           SqlText(typedName) + QStringLiteral("' , ") + QString::number(cityCode) + QStringLiteral(" )");
}

} // namespace Processing
