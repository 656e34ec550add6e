#include "editing/EditStatements.h"

#include "data/SqlText.h"

// The blanks inside the pieces are part of the text the database receives and are kept exactly.
namespace Editing {

using Processing::SqlText;

namespace {

QString number(qint64 value)
{
    return QString::number(value);
}

} // namespace

QString TrimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

QString CategoriesQuery()
{
    return QStringLiteral("Select * from Places_Root where places_root.branch_id <> 0 ");
}

QString CitiesQuery()
{
    return QStringLiteral("Select * from cm_city ");
}

QString DistrictsQuery()
{
    return QStringLiteral("Select * from Places_District ");
}

QString CityFilter(qint32 cityCode)
{
    return QStringLiteral("city_id = ") + number(cityCode);
}

QString IdentifierInUseQuery(const QString &table, const QString &column, qint32 id)
{
    return QStringLiteral("Select %1 from %2 where %1 = %3").arg(column, table, number(id));
}

QString LargestIdentifierQuery(const QString &table, const QString &column)
{
    return QStringLiteral("Select Max(%1) MaxID from %2").arg(column, table);
}

QString NewLeafIdQuery()
{
    return QStringLiteral("Select Max(Leaf_ID) LCount from PLACES_LEAVES ");
}

QString InsertCategoryStatement(qint32 id, const QString &typedName, qint32 parentId)
{
    return QStringLiteral(" Insert into Places_Root values ( ") + number(id) + QStringLiteral(" , '") +
           SqlText(typedName) + QStringLiteral("' , ") + number(parentId) + QStringLiteral(" , 'N',1 )");
}

QString InsertDistrictStatement(qint32 id, const QString &typedName, qint32 cityCode)
{
    return QStringLiteral(" Insert into PLACES_DISTRICT  values ( ") + number(id) + QStringLiteral(" , '") +
           SqlText(typedName) + QStringLiteral("' , ") + number(cityCode) + QStringLiteral(" )");
}

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
    return QStringLiteral("  INSERT INTO PLACES_LEAVES ( LEAF_ID, LEAF_NAME,  ADDRESS, TELEPHONE,CITY, DISTRICT,") +
           QStringLiteral(" MORE_DATA , WEB_LINK ) VALUES ( ") + number(leafId) + QStringLiteral(" , '") +
           SqlText(TrimBlanks(place.name)) + QStringLiteral("', '") + SqlText(place.telephone) +
           QStringLiteral("' , '") + SqlText(place.address) + QStringLiteral("', ") + number(place.city) +
           QStringLiteral(" , ") + number(place.district) + QStringLiteral(" , '") + SqlText(place.more) +
           QStringLiteral("',' ") + SqlText(TrimBlanks(place.url)) + QStringLiteral("' ) ");
}

QString InsertPlaceLinkStatement(qint32 branchId, qint32 leafId)
{
    return QStringLiteral(" INSERT INTO PLACES_BRANCH_LEAVES ( BRANCH_ID, LEAF_ID ) VALUES ( ") + number(branchId) +
           QStringLiteral(" , ") + number(leafId) + QStringLiteral(" )");
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
    sql += QStringLiteral(" ,  CITY= ") + number(place.city) + QStringLiteral("   ,  DISTRICT= ") +
           number(place.district) + QStringLiteral("   ,  MORE_DATA   =  '") + SqlText(TrimBlanks(place.more)) +
           QStringLiteral("' WHERE  LEAF_ID = ") + number(placeId);
    return sql;
}

QString UpdatePlaceLinkStatement(qint32 branchId, qint32 placeId)
{
    return QStringLiteral("   Update PLACES_BRANCH_LEAVES  ") + QStringLiteral("   set BRANCH_ID=") + number(branchId) +
           QStringLiteral(" WHERE  LEAF_ID = ") + number(placeId);
}

} // namespace Editing
