#pragma once

#include <QString>
#include <QStringList>

// The statements that delete a place or a category, with the identifier as the list row or
// tree node holds it.

// The place's category links, then the place itself: "...Leaf_ID =12".
QStringList DeletePlaceStatements(qint32 placeId);
// The category row, one blank before the number as the node's key has it: "...Branch_ID = 12".
QString DeleteCategoryStatement(qint32 branchId);
