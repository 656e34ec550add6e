#pragma once

#include <QString>
#include <QStringList>

class QSqlDatabase;

namespace Processing {

// What a database holds of a directory. It holds one when it has places, districts or
// categories beyond the root; the root row and the cities its schema scripts put there do not
// count.
struct DirectoryCounts
{
    qint64 places = 0;
    qint64 links = 0;
    qint64 categories = 0; // beyond the root
    qint64 districts = 0;
    qint64 cities = 0;
    bool holdsDirectory() const { return places > 0 || districts > 0 || categories > 0; }
};
// Throws DbError.
DirectoryCounts CountDirectory(const QSqlDatabase &db);

// The directory's tables the database lacks, by name.
QStringList MissingDirectoryTables(const QSqlDatabase &db);

} // namespace Processing
