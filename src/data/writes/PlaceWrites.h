#pragma once

#include "data/DbError.h"
#include "data/connection/Connection.h"
#include "data/rows/StoredPlace.h"
#include "data/statements/PlaceStatements.h"
#include "data/writes/NewRowWrite.h"

#include <QStringList>

#include <optional>

// Storing a place typed in the add dialog or the update window, while others may be changing
// the same directory. Nothing here asks the user: the outcome says what happened.
namespace Processing {

class StoredPlaces;

struct PlaceUpdateOutcome
{
    enum class Result {
        Stored,
        PlaceGone,        // deleted since the window was filled: not stored again
        CategoryGone,     // the category chosen was deleted meanwhile
        ChangedMeanwhile, // others changed the fields named in changed: nothing written
        Failed,           // the database refused or failed: nothing of the change is stored
    };
    Result result = Result::Stored;
    // ChangedMeanwhile: the place as stored now, and the labels of what differs from shown.
    StoredPlace now;
    QStringList changed;
    std::optional<DbError> failure;
};

// Writes place (filed under category, named categoryName in the list) over the place shown
// (as the window was filled: shown.id is the place), in one transaction that holds the place,
// its links and the category from the first read to the commit. The place is first read again:
// when others changed it since shown, nothing is written and the outcome names the fields;
// writing regardless is a call with the place as now read. What is stored is remembered in
// stored, as the list would show it.
PlaceUpdateOutcome UpdatePlace(const StoredPlace &shown, const PlaceValues &place, qint32 category,
                               const QString &categoryName, StoredPlaces &stored, Connection &db);

// Adds place filed under category as a new place, under the next free identifier, never below
// leastId. Refused as Repeated when a place of that name and address is stored (checked with the
// place table held against others' adds), as ParentGone when the category, chosen by
// categoryName, is gone.
NewRowOutcome AddPlace(const PlaceValues &place, qint32 category, const QString &categoryName, qint64 leastId,
                       Connection &db);

} // namespace Processing
