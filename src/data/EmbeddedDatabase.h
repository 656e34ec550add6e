#pragma once

#include <QString>
#include <QStringList>

namespace Processing {

// The scripts that make a new embedded database: tables, the root category and a starter
// list of cities; the development database gets a small sample directory as well.
QStringList EmbeddedDatabaseScripts(bool withSample);

// Creates the SQLite file with the given scripts when it does not exist yet, for its owner only
// (0600, in folders of 0700); an existing database is left as it is. A failed creation leaves
// nothing behind; one cut off leaves an empty file, which the next start fills. A link at the
// path is refused. Throws DbError.
void EnsureEmbeddedDatabase(const QString &path, const QStringList &scripts);

// Throws DbError naming the path when a symbolic link lies there, whether it leads anywhere or not.
void RefuseLinkedDatabase(const QString &path);

} // namespace Processing
