#pragma once

#include <QString>

#include <optional>

class QSqlRecord;
class QVariant;

namespace Processing {

// What a result's value holds as a whole number, however the driver hands it over: an
// integer, or (Oracle, ODBC) a decimal or a text. None for NULL, a fraction or anything else.
std::optional<qint64> WholeNumber(const QVariant &value);
// As above, and none outside the type's range.
std::optional<qint32> Int32Of(const QVariant &value);

// The position of a result's column by name or alias, any case; throws DbError when there is
// none. The first column of the name wins.
int FieldPosition(const QSqlRecord &record, const QString &name);

} // namespace Processing
