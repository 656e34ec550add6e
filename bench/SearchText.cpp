#include "SearchText.h"

#include "search/SearchCondition.h"

const QString ContainsAndCityLiteral =
    QStringLiteral(" ( places_leaves.city = 5 )  AND ( upper (Leaf_Name) like upper ('%ar%') ) ");

QString ContainsAndCityCondition()
{
    SearchCriteria criteria;
    criteria.cities.ticked = true;
    criteria.cities.entries = {{0, false}, {5, true}}; // "* All *", then city 5 selected
    criteria.name = QStringLiteral("ar");
    criteria.match = NameMatch::Contains;
    return Processing::BuildSearchCondition(TypedSearchOf(criteria)).condition;
}
