#pragma once

#include <QList>
#include <QString>

namespace Processing {

// How the typed name is compared with a place's name. With no option chosen the whole name
// must match.
enum class NameMatch { Exactly, StartsWith, EndsWith, Contains };

// A search as the user typed and chose it: the identifiers chosen in each list (none for a list
// that is ignored), the name and how it matches.
struct TypedSearch
{
    QList<qint32> categories;
    QList<qint32> cities;
    QList<qint32> districts;
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

// Turns a search into the condition text. Cities and districts widen each other, categories and
// the name narrow. The typed name is quoted with SqlText, so a ' cannot end the literal, while %
// and _ stay wildcards.
SearchCondition BuildSearchCondition(const TypedSearch &search);

} // namespace Processing
