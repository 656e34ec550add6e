#include "data/statements/Queries.h"

// The blanks inside these pieces are part of the text the database receives and are kept
// exactly; the statements are one line each.
namespace Processing {

QString GetSubCatQuery(qint32 Branch_ID)
{
    const QString id = QString::number(Branch_ID);
    QString sql = QStringLiteral(" select *  from places_root ") + QStringLiteral(" where (");
    if (Branch_ID == 0) {
        sql += QStringLiteral("    places_root.PARENT_ID =  ") + id +
               QStringLiteral("     or places_root.PARENT_ID = any (   ");
    } else {
        sql += QStringLiteral("    places_root.PARENT_ID = any (   ");
    }
    sql += QStringLiteral("          select  pl2.BRANCH_ID") + QStringLiteral("          from  places_root  pl2 ") +
           QStringLiteral("          where   pl2.PARENT_ID= ") + id + QStringLiteral("                          ) ") +
           QStringLiteral("              )") + QStringLiteral("         and  places_root.branch_id<>0");
    return sql;
}

QString GetPlacesQuery(qint32 Branch_ID)
{
    QString sql = QStringLiteral(
        " SELECT places_leaves.leaf_id, places_leaves.leaf_name Name , cm_city.ename City, places_leaves.WEB_LINK URL ,"
        "        places_district.district_name District , Places_Root.branch_id, places_leaves.address Address ,"
        "        places_leaves.TELEPHONE , places_leaves.more_data  More ,Places_Root.Branch_Name   Category "
        "   FROM places_district, places_branch_leaves, places_leaves, cm_city,Places_Root "
        "  WHERE     (places_district.district_id = places_leaves.district)"
        "         AND (places_leaves.leaf_id = places_branch_leaves.leaf_id)"
        "         AND (cm_city.code = places_district.city_id)"
        "         AND (cm_city.code = places_leaves.city)"
        "         AND (Places_Root.Branch_ID =  places_branch_leaves.branch_id)");
    if (Branch_ID != -1)
        sql += QStringLiteral("         AND (places_branch_leaves.branch_id = any (") + QString::number(Branch_ID) +
               QStringLiteral(") ) ");
    return sql;
}

QString PlacesListQuery(qint32 Branch_ID, const QString &SearchStr)
{
    QString sql = GetPlacesQuery(Branch_ID);
    if (!SearchStr.isEmpty())
        sql += QStringLiteral(" AND ") + SearchStr;
    return sql;
}

} // namespace Processing
