#include "data/statements/SqlText.h"

namespace Processing {

QString SqlText(const QString &typed)
{
    if (!typed.contains(QLatin1Char('\'')))
        return typed;
    QString quoted = typed;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return quoted;
}

QString TrimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

} // namespace Processing
