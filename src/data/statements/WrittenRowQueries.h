#pragma once

#include "data/statements/PlaceStatements.h"

#include <QString>

namespace Processing {

// Queries that find what a write stored, by its rows and their values: one row when the write is
// on the server, none when it is not. They settle a commit whose answer was lost where the
// server cannot tell by the transaction's number (a standby promoted meanwhile).
QString CategoryWrittenQuery(qint32 id, const QString &typedName, qint32 parentId);
QString DistrictWrittenQuery(qint32 id, const QString &typedName, qint32 cityCode);
// A place added, or updated to these values, filed under the category.
QString PlaceWrittenQuery(qint32 placeId, const PlaceValues &place, qint32 branchId);

} // namespace Processing
