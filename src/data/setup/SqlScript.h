#pragma once

#include <QString>
#include <QStringList>

namespace Processing {

// The statements of a script: each ends with ";" at the end of a line; lines starting with
// "--" are comments.
QStringList SqlStatements(const QString &script);

// Reads a script from the program's resources (":/schema/NAME"); throws DbError if missing.
QString SchemaScript(const QString &name);

} // namespace Processing
