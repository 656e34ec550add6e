#include "data/connection/FieldValues.h"

#include "data/DbError.h"

#include <QCoreApplication>
#include <QSqlRecord>
#include <QVariant>

#include <cmath>
#include <limits>

namespace Processing {

namespace {

template<typename T> std::optional<T> inRange(std::optional<qint64> number)
{
    if (!number || *number < std::numeric_limits<T>::min() || *number > std::numeric_limits<T>::max())
        return std::nullopt;
    return T(*number);
}

} // namespace

std::optional<qint64> WholeNumber(const QVariant &value)
{
    if (value.isNull())
        return std::nullopt;
    bool ok = false;
    // A decimal would convert to an integer rounded: it is judged as a decimal instead.
    const int type = value.typeId();
    if (type != QMetaType::Double && type != QMetaType::Float) {
        const qint64 number = value.toLongLong(&ok);
        if (ok)
            return number;
    }
    const double real = value.toDouble(&ok);
    // 2^63 and beyond has no qint64; converting it would be undefined.
    constexpr double Limit = 9223372036854775808.0;
    if (!ok || !std::isfinite(real) || real != std::trunc(real) || real < -Limit || real >= Limit)
        return std::nullopt;
    return qint64(real);
}

std::optional<qint32> Int32Of(const QVariant &value)
{
    return inRange<qint32>(WholeNumber(value));
}

int FieldPosition(const QSqlRecord &record, const QString &name)
{
    const int position = record.indexOf(name);
    if (position < 0)
        throw DbError(QCoreApplication::translate("Processing", "The result has no column \"%1\".").arg(name));
    return position;
}

} // namespace Processing
