#include "data/PlaceStatements.h"

#include "data/Queries.h"
#include "data/SqlText.h"

// The blanks inside the pieces are part of the text the database receives and are kept exactly.
namespace Processing {

QString DuplicatePlaceQuery(const QString &typedName, const QString &typedAddress)
{
    // Column Telephone holds the address text.
    return QStringLiteral("Select * from places_leaves where upper(Leaf_Name) = upper('") +
           SqlText(TrimBlanks(typedName)) + QStringLiteral("') ") +
           QStringLiteral("     AND upper(Telephone) =upper('") + SqlText(TrimBlanks(typedAddress)) +
           QStringLiteral("')");
}

QString InsertPlaceStatement(qint32 leafId, const PlaceValues &place)
{
    // The telephone box goes to ADDRESS and the address box to TELEPHONE, as in every stored row.
    // The name and the address are stored as the check for a repeated place compares them, and
    // as an update stores them: without the blanks around.
    return QStringLiteral("  INSERT INTO PLACES_LEAVES ( LEAF_ID, LEAF_NAME,  ADDRESS, TELEPHONE,CITY, DISTRICT,") +
           QStringLiteral(" MORE_DATA , WEB_LINK ) VALUES ( ") + QString::number(leafId) + QStringLiteral(" , '") +
           SqlText(TrimBlanks(place.name)) + QStringLiteral("', '") + SqlText(place.telephone) +
           QStringLiteral("' , '") + SqlText(TrimBlanks(place.address)) + QStringLiteral("', ") +
           QString::number(place.city) + QStringLiteral(" , ") + QString::number(place.district) +
           QStringLiteral(" , '") + SqlText(place.more) + QStringLiteral("',' ") + SqlText(TrimBlanks(place.url)) +
           QStringLiteral("' ) ");
}

QString InsertPlaceLinkStatement(qint32 branchId, qint32 leafId)
{
    return QStringLiteral(" INSERT INTO PLACES_BRANCH_LEAVES ( BRANCH_ID, LEAF_ID ) VALUES ( ") +
           QString::number(branchId) + QStringLiteral(" , ") + QString::number(leafId) + QStringLiteral(" )");
}

QString UpdatePlaceStatement(qint32 placeId, const PlaceValues &place)
{
    const QString url = TrimBlanks(place.url);
    QString sql = QStringLiteral("   Update PLACES_LEAVES ") + QStringLiteral("   set LEAF_NAME='") +
                  SqlText(TrimBlanks(place.name)) + QStringLiteral("' ,   TELEPHONE='") +
                  SqlText(TrimBlanks(place.address)) + QStringLiteral("' ,  ADDRESS='") +
                  SqlText(TrimBlanks(place.telephone));
    if (url.isEmpty())
        sql += QStringLiteral("' ,    WEB_LINK = null ");
    else
        sql += QStringLiteral("' ,    WEB_LINK ='") + SqlText(url) + QStringLiteral("'");
    sql += QStringLiteral(" ,  CITY= ") + QString::number(place.city) + QStringLiteral("   ,  DISTRICT= ") +
           QString::number(place.district) + QStringLiteral("   ,  MORE_DATA   =  '") +
           SqlText(TrimBlanks(place.more)) + QStringLiteral("' WHERE  LEAF_ID = ") + QString::number(placeId);
    return sql;
}

QString UpdatePlaceLinkStatement(qint32 branchId, qint32 placeId)
{
    return QStringLiteral("   Update PLACES_BRANCH_LEAVES  ") + QStringLiteral("   set BRANCH_ID=") +
           QString::number(branchId) + QStringLiteral(" WHERE  LEAF_ID = ") + QString::number(placeId);
}

QString ListedPlaceQuery(qint32 placeId)
{
    return GetPlacesQuery(-1) + QStringLiteral(" AND places_leaves.leaf_id = %1").arg(placeId);
}

} // namespace Processing
