#pragma once

#include "data/DbError.h"
#include "data/connection/Connection.h"

#include <QString>

#include <optional>

// Deleting the place the user confirmed, while others may be changing the same directory.
namespace Processing {

class StoredPlaces;

struct PlaceDeleteOutcome
{
    enum class Result {
        Deleted, // or already gone, which is the same to the user
        Renamed, // the row is named otherwise than confirmed: nothing deleted
        Failed,  // nothing deleted, or (outcomeUnknown) maybe deleted
    };
    Result result = Result::Deleted;
    QString nowNamed; // Renamed: the name the row has now
    std::optional<DbError> failure;
};

// Deletes the place and its category links together. The list may be older than the row:
// others may have renamed the place, or deleted it and added another that took its identifier
// (a new place gets one above the largest). So the row's name is read while the write holds
// it, and a name other than confirmedName that this program did not store itself (stored)
// deletes nothing; deleting what is there now is a call with that name.
PlaceDeleteOutcome DeletePlace(qint32 placeId, const QString &confirmedName, const StoredPlaces &stored,
                               Connection &db);

} // namespace Processing
