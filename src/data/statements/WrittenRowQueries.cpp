#include "data/statements/WrittenRowQueries.h"

#include "data/statements/SqlText.h"

namespace Processing {

QString CategoryWrittenQuery(qint32 id, const QString &typedName, qint32 parentId)
{
    return QStringLiteral("select count(*) from places_root where branch_id = %1 and branch_name = '%2' and "
                          "parent_id = %3")
        .arg(id)
        .arg(SqlText(typedName))
        .arg(parentId);
}

QString DistrictWrittenQuery(qint32 id, const QString &typedName, qint32 cityCode)
{
    return QStringLiteral("select count(*) from places_district where district_id = %1 and district_name = '%2' and "
                          "city_id = %3")
        .arg(id)
        .arg(SqlText(typedName))
        .arg(cityCode);
}

QString PlaceWrittenQuery(qint32 placeId, const PlaceValues &place, qint32 branchId)
{
    // The name and the address text (in column TELEPHONE) as both an add and an update store them.
    return QStringLiteral("select count(*) from places_leaves l, places_branch_leaves b where l.leaf_id = %1 and "
                          "l.leaf_name = '%2' and l.telephone = '%3' and l.city = %4 and l.district = %5 and "
                          "b.leaf_id = l.leaf_id and b.branch_id = %6")
        .arg(placeId)
        .arg(SqlText(TrimBlanks(place.name)), SqlText(TrimBlanks(place.address)))
        .arg(place.city)
        .arg(place.district)
        .arg(branchId);
}

} // namespace Processing
