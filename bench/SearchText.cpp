#include "SearchText.h"

// The search's own condition builder, where the build has it; the text written out otherwise.
#if __has_include("search/SearchCondition.h")
#include "search/SearchCondition.h"
#define TARNWICK_BENCH_HAS_BUILDER 1
#endif

const QString ContainsAndCityLiteral =
    QStringLiteral(" ( places_leaves.city = 5 )  AND ( upper (Leaf_Name) like upper ('%ar%') ) ");

QString ContainsAndCityCondition()
{
#ifdef TARNWICK_BENCH_HAS_BUILDER
    SearchCriteria criteria;
    criteria.cities.ticked = true;
    criteria.cities.entries = {{0, false}, {5, true}}; // "* All *", then city 5 selected
    criteria.name = QStringLiteral("ar");
    criteria.match = NameMatch::Contains;
    return BuildSearchCondition(criteria).condition;
#else
    return ContainsAndCityLiteral;
#endif
}
