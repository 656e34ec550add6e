#pragma once

#include "data/rows/TextRows.h"

namespace Processing {

// Reads the rows of a query that Qt's SQLite driver has executed through SQLite's own API, and
// takes the query over; nullptr (the query left alone) where the driver's SQLite is not the
// program's or the query is not one.
std::unique_ptr<TextRows> ReadSqliteTextRows(QSqlQuery &query, const QSqlDatabase &db);

} // namespace Processing
