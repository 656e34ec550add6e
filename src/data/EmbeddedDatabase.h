#pragma once

#include <QString>
#include <QStringList>

namespace Processing {

// The scripts that make a new embedded database: tables, the root category and a starter
// list of cities; the development database gets a small sample directory as well.
QStringList EmbeddedDatabaseScripts(bool withSample);

// Creates the SQLite file with the given scripts when it does not exist yet; an existing file
// is left as it is. The file appears only once it is complete: an interrupted or failed
// creation leaves nothing behind. Throws DbError.
void EnsureEmbeddedDatabase(const QString &path, const QStringList &scripts);

} // namespace Processing
