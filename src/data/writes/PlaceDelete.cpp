#include "data/writes/PlaceDelete.h"

#include "data/connection/Recordset.h"
#include "data/connection/Transaction.h"
#include "data/statements/DeleteStatements.h"
#include "data/writes/PlaceChanges.h"
#include "data/writes/RowLocks.h"

namespace Processing {

PlaceDeleteOutcome DeletePlace(qint32 placeId, const QString &confirmedName, const StoredPlaces &stored, Connection &db)
{
    using Result = PlaceDeleteOutcome::Result;
    PlaceDeleteOutcome outcome;
    try {
        Transaction write(db);
        // A place already gone is deleted as far as this user is concerned. Nothing is sent
        // then: a place added meanwhile may have taken its identifier.
        if (!HoldPlaceForChange(placeId, db))
            return outcome;
        const Recordset rs = db.openRecordset(PlaceNameQuery(placeId));
        const QString now = rs.RecordCount() > 0 ? rs.value(0, 0).toString() : QString();
        // The list is not read again after an update: a name this program stored last is the
        // user's own change, not someone else's.
        const std::optional<StoredPlace> own = stored.Last(placeId);
        if (now != confirmedName && (!own || own->name != now)) {
            outcome.result = Result::Renamed;
            outcome.nowNamed = now;
            return outcome;
        }
        for (const QString &statement : DeletePlaceStatements(placeId))
            write.execute(statement);
        outcome.failure = write.finish();
    } catch (const DbError &error) {
        outcome.failure = error;
    }
    if (outcome.failure)
        outcome.result = Result::Failed;
    return outcome;
}

} // namespace Processing
