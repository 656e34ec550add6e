#pragma once

#include <QList>
#include <QString>

#include <optional>
#include <vector>

namespace Processing {

// One entry of a reference list: the name shown and the identifier it carries.
struct ReferenceEntry
{
    qint32 id = 0;
    QString name; // NULL reads as the empty text
};

// The lists the search and the editing windows offer, read over the program's connection in the
// order the database returns them; a row whose identifier does not fit is left out, as it could
// never be chosen. Each throws DbError.
// Every category but the root.
QList<ReferenceEntry> ReadCategories();
QList<ReferenceEntry> ReadCities();
// Every district, or with cities given only the districts of those cities (of none for an empty
// list).
QList<ReferenceEntry> ReadDistricts(const std::optional<QList<qint32>> &cities = std::nullopt);

// A node of the category tree.
struct CategoryNode
{
    qint32 branch;
    qint32 parent;
    QString name;
};

// The categories the tree loads below a node (GetSubCatQuery), as far as they could be read:
// `failure` says why not further. Throws DbError when the statement is refused.
std::vector<CategoryNode> ReadSubCategories(qint32 Branch_ID, QString &failure);

} // namespace Processing
