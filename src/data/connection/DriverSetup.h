#pragma once

#include "data/setup/DatabaseDescriptor.h"
#include "data/statements/Dialect.h"

#include <QString>

namespace Processing {

// How long a statement on the SQLite file waits for another connection's lock to go.
constexpr int SqliteBusyTimeoutMs = 2000;

// Opens the connection of this name to the database the descriptor names, set up the way its
// driver needs, and returns the dialect of the server it reached. Throws DbError when the driver
// is missing, the database cannot be opened or is not one the program can work with; the
// connection is not open then.
Dialect OpenDatabase(const DatabaseDescriptor &descriptor, const QString &connectionName);

} // namespace Processing
