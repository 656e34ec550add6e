#pragma once

#include "data/DbError.h"
#include "data/connection/Connection.h"

#include <optional>

// Deleting a category, which only an empty one may be.
namespace Processing {

// What the database holds below a category, whatever the tree has loaded so far. Throws DbError.
bool HasSubCategories(qint32 branchId, Connection &db);
// Places filed under a category, whatever the list shows; a link to a place that no longer
// exists holds nothing back. Throws DbError.
bool HasPlaces(qint32 branchId, Connection &db);

struct CategoryDeleteOutcome
{
    enum class Result { Deleted, HasSubCategories, HasPlaces, Renamed, Failed };
    Result result = Result::Deleted;
    QString nowNamed; // Renamed: the name the category's row has now
    std::optional<DbError> failure;
};

// Checks again where it counts and deletes: others may have filed something under the category
// since it was checked. The category's row is held from the checks to the commit, so an add
// under it either came first and is counted, or waits and then finds it gone. A row that no
// longer has the confirmed name is not deleted: a category deleted meanwhile leaves its
// identifier to the next one added, which the user never saw.
CategoryDeleteOutcome DeleteCategory(qint32 branchId, const QString &confirmedName, Connection &db);

} // namespace Processing
