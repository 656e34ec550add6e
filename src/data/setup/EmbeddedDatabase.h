#pragma once

#include <QString>
#include <QStringList>

namespace Processing {

// The scripts that make a new embedded database: tables, the root category and a starter
// list of cities; the development database gets a small sample directory as well.
QStringList EmbeddedDatabaseScripts(bool withSample);

// Creates the SQLite file with the given scripts when it does not exist yet, for its owner only
// (0600, in folders of 0700); an existing database is left as it is, an empty file is filled and
// narrowed to 0600. Several starts at once make the tables once. A failed or cut-off creation
// leaves an empty file, which the next start fills. A link at the path is refused, and so is
// anything there that is no regular file, naming the path and the reason. Throws DbError.
void EnsureEmbeddedDatabase(const QString &path, const QStringList &scripts);

// Makes the folders the database file lies in, for their owner only (0700). Throws DbError
// naming the folder that could not be made and why.
void MakeDatabaseFolder(const QString &path);

// Why changes cannot be stored in the database file, which opens for reading: the file, or the
// folder where SQLite keeps the journal of each change, cannot be written. Empty when they can.
QString ReadOnlyDatabaseReason(const QString &path);

} // namespace Processing
