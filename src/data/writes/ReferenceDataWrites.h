#pragma once

#include "data/connection/Connection.h"
#include "data/writes/NewRowWrite.h"

#include <QString>

// Adding a category or a district from the add dialog. The new identifier is chosen from the
// number of entries the dialog's list counted, as the directory always chose them.
namespace Processing {

// A category named name (stored as typed) below parent, chosen by parentName. Refused as
// ParentGone when the parent was deleted meanwhile; it is held until the commit so no one
// deletes it in between.
NewRowOutcome AddCategory(const QString &name, qint32 parent, const QString &parentName, qint64 counted,
                          Connection &db);

// A district named name (stored as typed) in city.
NewRowOutcome AddDistrict(const QString &name, qint32 city, qint64 counted, Connection &db);

} // namespace Processing
