#include "search/SearchCondition.h"

namespace {

// The identifiers of the selected entries after "* All *"; none when the list is ignored.
QList<qint32> chosen(const ListChoice &list)
{
    QList<qint32> result;
    if (!list.ticked || list.entries.isEmpty() || list.entries.first().selected)
        return result;
    for (qsizetype i = 1; i < list.entries.size(); ++i) {
        if (list.entries.at(i).selected)
            result.append(list.entries.at(i).data);
    }
    return result;
}

} // namespace

Processing::TypedSearch TypedSearchOf(const SearchCriteria &criteria)
{
    return {chosen(criteria.categories), chosen(criteria.cities), chosen(criteria.districts), criteria.name,
            criteria.match};
}

std::optional<QList<qint32>> DistrictCities(const QList<ListEntry> &cities)
{
    if (!cities.isEmpty() && cities.first().selected)
        return std::nullopt;
    QList<qint32> selected;
    for (const ListEntry &entry : cities) {
        if (entry.selected)
            selected.append(entry.data);
    }
    return selected;
}
