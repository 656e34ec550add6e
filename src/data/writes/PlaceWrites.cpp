#include "data/writes/PlaceWrites.h"

#include "data/connection/Transaction.h"
#include "data/statements/WrittenRowQueries.h"
#include "data/writes/NewIdentifiers.h"
#include "data/writes/PlaceChanges.h"
#include "data/writes/RowLocks.h"

#include <algorithm>

namespace Processing {

PlaceUpdateOutcome UpdatePlace(const StoredPlace &shown, const PlaceValues &place, qint32 category,
                               const QString &categoryName, StoredPlaces &stored, Connection &db)
{
    using Result = PlaceUpdateOutcome::Result;
    PlaceUpdateOutcome outcome;
    const qint32 placeId = shown.id;
    try {
        Transaction write(db);
        // The place is held from this read until the update commits.
        if (!HoldPlaceForChange(placeId, db)) {
            outcome.result = Result::PlaceGone;
            return outcome;
        }
        // The window stays open while others delete: a category gone since would leave the place
        // in none, or in one that took its identifier.
        if (!HoldChosenCategory(category, categoryName, db)) {
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
        outcome.failure = write.finish(PlaceWrittenQuery(placeId, place, category));
        if (!outcome.failure && written)
            stored.Remember(*written);
    } catch (const DbError &error) {
        outcome.failure = error;
    }
    if (outcome.failure)
        outcome.result = Result::Failed;
    return outcome;
}

namespace {

bool isRepeated(const PlaceValues &place, Connection &db)
{
    return db.openRecordset(DuplicatePlaceQuery(place.name, place.address)).RecordCount() > 0;
}

} // namespace

NewRowOutcome AddPlace(const PlaceValues &place, qint32 category, const QString &categoryName, qint64 leastId,
                       Connection &db)
{
    // The place and its link are stored together or not at all; the first failure is the one told.
    return WriteNewRow(
        [&] {
            NewRowPlan plan;
            // No one adds a place between the check for a repeat and this one's commit: two people
            // adding the same place at once store it once.
            HoldAgainstAdds(QStringLiteral("PLACES_LEAVES"), db);
            if (isRepeated(place, db)) {
                plan.refusal = NewRowRefusal::Repeated;
                return plan;
            }
            // Held until the place is stored, so that no one deletes the category in between.
            if (!HoldChosenCategory(category, categoryName, db)) {
                plan.refusal = NewRowRefusal::ParentGone;
                return plan;
            }
            // Read afresh, since others may have added places meanwhile; never below leastId,
            // which a rolled-back attempt skipped.
            plan.id = std::max(NextLeafId(db), leastId);
            if (plan.id > LargestIdentifier) {
                plan.refusal = NewRowRefusal::IdentifierTooLarge;
                return plan;
            }
            plan.statements = {InsertPlaceStatement(qint32(plan.id), place),
                               InsertPlaceLinkStatement(category, qint32(plan.id))};
            plan.written = PlaceWrittenQuery(qint32(plan.id), place, category);
            return plan;
        },
        db);
}

} // namespace Processing
