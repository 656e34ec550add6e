#pragma once

#include <QList>
#include <QString>

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

// How the typed name is compared with a place's name. With no option chosen the whole name
// must match.
enum class NameMatch { Exactly, StartsWith, EndsWith, Contains };

struct SearchCriteria
{
    ListChoice categories;
    ListChoice cities;
    ListChoice districts;
    QString name; // as typed, blanks included
    NameMatch match = NameMatch::Exactly;
};

struct SearchCondition
{
    // The whole condition appended to the places query; empty when nothing was chosen.
    QString condition;
    // The category alternatives alone, as the condition was built from them.
    QString categoryPart;
};

// Turns the dialog's choices into the condition text. Cities and districts widen each other,
// categories and the name narrow. The typed name is quoted with SqlText, so a ' cannot end
// the literal, while % and _ stay wildcards.
SearchCondition BuildSearchCondition(const SearchCriteria &criteria);

// The row filter that narrows the district list to the cities selected: empty (every
// district) when "* All *" is selected, a filter matching nothing when no city is.
QString DistrictFilter(const QList<ListEntry> &cities);
