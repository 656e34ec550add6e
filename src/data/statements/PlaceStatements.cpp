#include "data/statements/PlaceStatements.h"

#include "data/statements/Queries.h"
#include "data/statements/SqlText.h"

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

NewPlaceColumns NewPlaceRow(const PlaceValues &place)
{
    return {TrimBlanks(place.name),
            place.telephone,
            TrimBlanks(place.address),
            place.city,
            place.district,
            place.more,
            QStringLiteral(" ") + TrimBlanks(place.url)};
}

QString InsertPlaceStatement(qint32 leafId, const PlaceValues &place)
{
    // The telephone box goes to ADDRESS and the address box to TELEPHONE, as in every stored row.
    const NewPlaceColumns row = NewPlaceRow(place);
    return QStringLiteral("  INSERT INTO PLACES_LEAVES ( LEAF_ID, LEAF_NAME,  ADDRESS, TELEPHONE,CITY, DISTRICT,") +
           QStringLiteral(" MORE_DATA , WEB_LINK ) VALUES ( ") + QString::number(leafId) + QStringLiteral(" , '") +
           SqlText(row.leafName) + QStringLiteral("', '") + SqlText(row.address) + QStringLiteral("' , '") +
           SqlText(row.telephone) + QStringLiteral("', ") + QString::number(row.city) + QStringLiteral(" , ") +
           QString::number(row.district) + QStringLiteral(" , '") + SqlText(row.moreData) + QStringLiteral("','") +
           SqlText(row.webLink) + QStringLiteral("' ) ");
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
