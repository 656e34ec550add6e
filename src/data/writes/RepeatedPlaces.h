#pragma once

#include "data/connection/Connection.h"

#include <QHash>
#include <QList>
#include <QString>

namespace Processing {

// A new place as the check for a repeat sees it: the name and the address as typed.
struct NewPlaceKey
{
    QString name;
    QString address;
};

// Which of many new places repeat a stored place, or a place before them in the list.
struct PlaceRepeats
{
    QHash<qsizetype, qint32> stored;     // position in the list -> the stored place's identifier
    QHash<qsizetype, qsizetype> earlier; // position in the list -> the earlier position
};

// The add window's rule for one place ("Repeated Entry": the same name and address, the blanks
// around them left out and letter case aside) for many at once: the case of both sides is folded
// as the database's own upper() folds it, as the rule's query does (texts of plain ASCII here,
// once the database is seen to fold ASCII as ASCII), and the stored places are read once, not
// queried for each new one. Runs inside the write's transaction. Throws DbError.
PlaceRepeats FindRepeatedPlaces(const QList<NewPlaceKey> &places, Connection &db);

} // namespace Processing
