#include "data/statements/DeleteStatements.h"

namespace Processing {

QStringList DeletePlaceStatements(qint32 placeId)
{
    const QString id = QString::number(placeId);
    return QStringList{QStringLiteral("Delete from Places_Branch_Leaves where Leaf_ID =") + id,
                       QStringLiteral("Delete from Places_Leaves where Leaf_ID =") + id};
}

QString PlaceNameQuery(qint32 placeId)
{
    return QStringLiteral("Select LEAF_NAME from PLACES_LEAVES where LEAF_ID = ") + QString::number(placeId);
}

QString DeleteCategoryStatement(qint32 branchId)
{
    return QStringLiteral("Delete from Places_root where Branch_ID = ") + QString::number(branchId);
}

QString SubCategoryCountQuery(qint32 branchId)
{
    return QStringLiteral("select count(*) from places_root where PARENT_ID = %1 and BRANCH_ID <> %1").arg(branchId);
}

QString CategoryPlaceCountQuery(qint32 branchId)
{
    return QStringLiteral("select count(*) from places_branch_leaves, places_leaves where "
                          "places_branch_leaves.LEAF_ID = places_leaves.LEAF_ID and "
                          "places_branch_leaves.BRANCH_ID = %1")
        .arg(branchId);
}

} // namespace Processing
