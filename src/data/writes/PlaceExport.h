#pragma once

#include "data/connection/Connection.h"
#include "data/rows/CsvWriter.h"
#include "data/writes/CategoryPaths.h"

#include <QSet>
#include <QStringList>

#include <optional>

namespace Processing {

// The columns of a directory's CSV form, in the order an export writes them. A file to import
// may have them in any order.
QStringList PlaceFileColumns();

struct ExportOutcome
{
    qint64 written = 0;
    // Places stored but not written: the program lists a place only with its category, its city
    // and a district of that city, and so does an export.
    qint64 notListed = 0;
};

// Writes the header and every place the places list shows for all categories, or only those filed
// under one of categories, each once, with its category's path and its link without the blank the
// add window puts before it. The rows are read as they come and written on, never all held.
// Throws DbError; a failure to write shows in out.
ExportOutcome ExportPlaces(const std::optional<QSet<qint32>> &categories, CsvWriter &out, Connection &db);

} // namespace Processing
