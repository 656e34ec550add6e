#include "transfer/CountText.h"

#include <QCoreApplication>

#include <limits>

QString CountText(const char *text, qint64 count)
{
    if (count >= 0 && count <= std::numeric_limits<int>::max())
        return QCoreApplication::translate("Transfer", text, nullptr, int(count));
    // Qt counts in int: a larger count (no directory has one) takes the form of a number with
    // the same last nine digits, and keeps its own.
    const int like = int(1000000000 + (count < 0 ? -count : count) % 1000000000);
    return QCoreApplication::translate("Transfer", text, nullptr, like)
        .replace(QString::number(like), QString::number(count));
}
