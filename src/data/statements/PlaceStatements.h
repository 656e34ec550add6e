#pragma once

#include <QString>

namespace Processing {

// The stored rows hold a place's address in column TELEPHONE and its telephone in column ADDRESS,
// crosswise, and this file is where that is known: the statements below write them so, and the
// places statement names its fields after the columns, so every reader of it takes the two texts
// from these fields.
inline constexpr char AddressTextField[] = "Telephone";
inline constexpr char TelephoneTextField[] = "Address";

// What the place inputs of the add and update windows hold: the texts as typed, the
// identifiers of the chosen entries.
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

// What adding a place stores in each column of its row, named after the columns: the address text
// in TELEPHONE, the telephone text in ADDRESS. The name and the address without the blanks around,
// as the check for a repeated place compares them and an update stores them; the link with one
// blank before it, so an empty one is a single blank.
struct NewPlaceColumns
{
    QString leafName;
    QString address;   // the telephone text
    QString telephone; // the address text
    qint32 city = 0;
    qint32 district = 0;
    QString moreData;
    QString webLink;
};
NewPlaceColumns NewPlaceRow(const PlaceValues &place);

// The statements that add and update a place, built as text to the letter. Every typed text
// enters through SqlText, so a quote is stored as typed and cannot end its literal.
QString DuplicatePlaceQuery(const QString &typedName, const QString &typedAddress);
QString InsertPlaceStatement(qint32 leafId, const PlaceValues &place);
QString InsertPlaceLinkStatement(qint32 branchId, qint32 leafId);

QString UpdatePlaceStatement(qint32 placeId, const PlaceValues &place);
QString UpdatePlaceLinkStatement(qint32 branchId, qint32 placeId);

// One place as the places list shows it, once for each category it is filed under.
QString ListedPlaceQuery(qint32 placeId);

} // namespace Processing
