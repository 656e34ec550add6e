#pragma once

#include "data/connection/Connection.h"
#include "data/rows/StoredPlace.h"

#include <QHash>
#include <QStringList>

#include <optional>

// What others changed in a place while it was open in the update window.
namespace Processing {

// The place as the main window's list would show it now; none when the list would not show it
// (deleted, or its city, district or category gone). A place filed under several categories is
// read as filed under filedUnder, when it still is. Throws DbError.
std::optional<StoredPlace> ReadListedPlace(qint32 placeId, const QString &filedUnder, Connection &db);

// The labels of the inputs whose stored values differ between was and now, compared as the
// update would store them, in the window's order; "Parent Category" for the category the place
// is filed under. The category proposed to the user is the user's choice and is not compared.
QStringList ChangedFields(const StoredPlace &was, const StoredPlace &now);

// What "&Update" compares with, for a window filled from the list's texts (listed) while the place
// is stored as now: what is stored, except in a field where the list shows otherwise because of a
// change this program did not store (ownLast: what it stored last for the place). Such a change
// the user has not seen: the list's text stands there, so "&Update" asks before writing over it.
StoredPlace ComparedWith(const StoredPlace &listed, const StoredPlace &now, const std::optional<StoredPlace> &ownLast);

// What this program stored last for each place, as the list would show it. The list is not read
// again after an update, so this outlives the update windows: the main window keeps it.
class StoredPlaces
{
public:
    void Remember(const StoredPlace &place) { m_places.insert(place.id, place); }
    std::optional<StoredPlace> Last(qint32 placeId) const;

private:
    QHash<qint32, StoredPlace> m_places;
};

} // namespace Processing
