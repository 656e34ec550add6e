#include "main/DeleteStatements.h"

QStringList DeletePlaceStatements(qint32 placeId)
{
    const QString id = QString::number(placeId);
    return QStringList{QStringLiteral("Delete from Places_Branch_Leaves where Leaf_ID =") + id,
                       QStringLiteral("Delete from Places_Leaves where Leaf_ID =") + id};
}

QString DeleteCategoryStatement(qint32 branchId)
{
    return QStringLiteral("Delete from Places_root where Branch_ID = ") + QString::number(branchId);
}
