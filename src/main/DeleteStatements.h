#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The statements that delete a place or a category, built from the key of the list item or
// tree node. A key is spliced only when it has exactly the form the program writes ("LF12",
// "BR 12"); anything else gives no statement.

// The place's category links, then the place itself: "...Leaf_ID =12".
std::optional<QStringList> DeletePlaceStatements(const QString &placeKey);
// The category row; the blank of the key stays before the number: "...Branch_ID = 12".
std::optional<QString> DeleteCategoryStatement(const QString &nodeKey);
