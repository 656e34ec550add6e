#include "data/PlaceWrites.h"

#include "data/PlaceChanges.h"
#include "data/RowLocks.h"
#include "data/Transaction.h"

namespace Processing {

PlaceUpdateOutcome UpdatePlace(const StoredPlace &shown, const PlaceValues &place, qint32 category,
                               const QString &categoryName, StoredPlaces &stored, Connection &db)
{
    using Result = PlaceUpdateOutcome::Result;
    PlaceUpdateOutcome outcome;
    const qint32 placeId = shown.id;
    try {
        Transaction write(db);
        // The place is held from this read until the update commits: its links first, in the
        // order a delete takes them, so that neither waits on the other for ever.
        HoldForChange(QStringLiteral("PLACES_BRANCH_LEAVES"), QStringLiteral("LEAF_ID"), placeId, db);
        if (!HoldForChange(QStringLiteral("PLACES_LEAVES"), QStringLiteral("LEAF_ID"), placeId, db)) {
            outcome.result = Result::PlaceGone;
            return outcome;
        }
        // The window stays open while others delete: a category gone since would leave the place
        // in none.
        if (!HoldAgainstChange(QStringLiteral("Places_Root"), QStringLiteral("Branch_ID"), category, db)) {
            outcome.result = Result::CategoryGone;
            return outcome;
        }
        outcome.now = ReadListedPlace(placeId, shown.filedUnder, db).value_or(StoredPlace{});
        outcome.now.id = placeId;
        outcome.changed = ChangedFields(shown, outcome.now);
        if (!outcome.changed.isEmpty()) {
            outcome.result = Result::ChangedMeanwhile;
            return outcome;
        }
        // Both statements take effect together or not at all; the first failure is the one told.
        write.execute(UpdatePlaceStatement(placeId, place));
        write.execute(UpdatePlaceLinkStatement(category, placeId));
        // As the list would show it now: what this user stored is no one else's change when a
        // window is filled again from the unread list.
        std::optional<StoredPlace> written;
        if (!write.failed())
            written = ReadListedPlace(placeId, categoryName, db);
        outcome.failure = write.finish();
        if (!outcome.failure && written)
            stored.Remember(*written);
    } catch (const DbError &error) {
        outcome.failure = error;
    }
    if (outcome.failure)
        outcome.result = Result::Failed;
    return outcome;
}

} // namespace Processing
