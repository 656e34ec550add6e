#pragma once

#include <QString>

namespace Processing {

enum class Dialect { Oracle, SQLite, PostgreSQL };

// The statements are written in Oracle's dialect. Backends that reject a form get the
// equivalent one; Oracle gets every text unchanged.
QString AdaptSql(const QString &sql, Dialect dialect);

} // namespace Processing
