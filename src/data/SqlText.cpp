#include "data/SqlText.h"

namespace Processing {

QString SqlText(const QString &typed)
{
    if (!typed.contains(QLatin1Char('\'')))
        return typed;
    QString quoted = typed;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return quoted;
}

} // namespace Processing
