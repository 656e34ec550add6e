#pragma once

#include <QString>

// The statements and queries of the add and update windows, built as text to the letter. Every
// typed text enters through SqlText, so a quote is stored as typed and cannot end its literal.
namespace Editing {

// Largest identifier of a category, district or place: they pass through 16-bit integers.
constexpr qint32 LargestIdentifier = 32767;

// The typed text without the blanks around it; other white space (a line break) stays.
QString TrimBlanks(const QString &text);

// What the place inputs hold: the texts as typed, the identifiers of the chosen entries.
struct PlaceValues
{
    QString name;
    QString address;   // the address box, stored in column TELEPHONE
    QString telephone; // the telephone box, stored in column ADDRESS
    QString more;
    QString url;
    qint32 city = 0;
    qint32 district = 0;
};

// Reference lists
QString CategoriesQuery();
QString CitiesQuery();
QString DistrictsQuery();
// The row filter that narrows the districts to one city.
QString CityFilter(qint32 cityCode);

// Identifiers of new rows: whether one is taken, and the largest in use (column MaxID).
QString IdentifierInUseQuery(const QString &table, const QString &column, qint32 id);
QString LargestIdentifierQuery(const QString &table, const QString &column);
QString NewLeafIdQuery();

QString InsertCategoryStatement(qint32 id, const QString &typedName, qint32 parentId);
QString InsertDistrictStatement(qint32 id, const QString &typedName, qint32 cityCode);

QString DuplicatePlaceQuery(const QString &typedName, const QString &typedAddress);
QString InsertPlaceStatement(qint32 leafId, const PlaceValues &place);
QString InsertPlaceLinkStatement(qint32 branchId, qint32 leafId);

QString UpdatePlaceStatement(qint32 placeId, const PlaceValues &place);
QString UpdatePlaceLinkStatement(qint32 branchId, qint32 placeId);

} // namespace Editing
