#pragma once

#include <QString>
#include <QStringList>

// The statements that delete a place or a category, with the identifier as the list row or
// tree node holds it, and the counts that guard a category's delete.
namespace Processing {

// The place's category links, then the place itself: "...Leaf_ID =12".
QStringList DeletePlaceStatements(qint32 placeId);
// The name the place with that identifier has now (one column, no row when it is gone).
QString PlaceNameQuery(qint32 placeId);
// The category row, one blank before the number as the node's key has it: "...Branch_ID = 12".
QString DeleteCategoryStatement(qint32 branchId);

// What the database holds below a category (one count column), whatever the tree has loaded.
QString SubCategoryCountQuery(qint32 branchId);
// Places filed under a category; a link to a place that no longer exists is not counted.
QString CategoryPlaceCountQuery(qint32 branchId);

} // namespace Processing
