#pragma once

#include "data/statements/SearchStatements.h"

#include <QList>
#include <QString>

#include <optional>

// One entry of a selection list as the search reads it: the identifier it carries and whether
// the user selected it. Entry 0 of a filled list is always "* All *".
struct ListEntry
{
    qint32 data = 0;
    bool selected = false;
};

// A selection list with its check box: an unticked list is ignored, and so is a ticked one
// whose "* All *" entry is selected or that has no entries at all.
struct ListChoice
{
    bool ticked = false;
    QList<ListEntry> entries;
};

using NameMatch = Processing::NameMatch;

struct SearchCriteria
{
    ListChoice categories;
    ListChoice cities;
    ListChoice districts;
    QString name; // as typed, blanks included
    NameMatch match = NameMatch::Exactly;
};

// The dialog's choices as the search they make: the identifiers each list adds.
Processing::TypedSearch TypedSearchOf(const SearchCriteria &criteria);

// The cities the district list is narrowed to: none (every district) when "* All *" is selected,
// else those selected, which may be none at all.
std::optional<QList<qint32>> DistrictCities(const QList<ListEntry> &cities);
