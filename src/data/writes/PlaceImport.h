#pragma once

#include "data/DbError.h"
#include "data/connection/Connection.h"

#include <QList>
#include <QString>

#include <optional>

namespace Processing {

// One place as a file gives it: the texts as the add window would have them typed, and the
// category, city and district by name (the category by its path, or by a name it alone has).
struct ImportedPlace
{
    qsizetype line = 0; // where the file has it, for telling
    QString name;
    QString category;
    QString city;
    QString district;
    QString address;
    QString telephone;
    QString url;
    QString more;
};

struct ImportRefusal
{
    qsizetype line = 0;
    QString reason;
};

struct ImportOutcome
{
    QList<ImportRefusal> refused; // by line; a place with several faults is told once for each
    QString refusedWhole;         // why nothing could be stored however the places were mended
    std::optional<DbError> failure;
    qsizetype placesStored = 0;
    qsizetype categoriesMade = 0;
    qsizetype districtsMade = 0;

    bool stored() const { return refused.isEmpty() && refusedWhole.isEmpty() && !failure; }
};

struct ImportOptions
{
    // A district or category that is not there is made rather than refusing its place.
    bool createMissing = false;
    // Every place is checked, nothing is stored: the file has faults of its own.
    bool checkOnly = false;
};

// Adds the places, all or none, in one transaction: each is stored as the add window stores the
// same typed values and refused for what the window refuses (and for a repeat of a place before it
// in the list). A district or category that is not there refuses its place, unless createMissing:
// then it is made once, as "Add New Information" makes it (a category with every level of its path
// that is missing). Identifiers are chosen by the program's rules, inside the transaction, which
// holds the places table against others' adds and the categories against their deletion.
ImportOutcome ImportPlaces(const QList<ImportedPlace> &places, const ImportOptions &options, Connection &db);

} // namespace Processing
