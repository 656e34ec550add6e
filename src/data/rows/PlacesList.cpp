#include "data/rows/PlacesList.h"

#include "data/connection/Connection.h"
#include "data/connection/FieldValues.h"
#include "data/statements/PlaceStatements.h"
#include "data/statements/Queries.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace Processing {

namespace {

// The fields each text comes from; the address and the telephone from the fields that hold them.
const char *const Fields[PlaceTextCount] = {"Name", "City", "District", AddressTextField, TelephoneTextField,
                                            "More", "URL",  "Category"};

} // namespace

PlacesListRows OpenPlacesList(qint32 Branch_ID, const QString &SearchStr)
{
    QSqlQuery query = DbConn().run(PlacesListQuery(Branch_ID, SearchStr));
    PlacesListRows result;
    // Field positions are resolved once for the whole result.
    const QSqlRecord record = query.record();
    for (int c = 0; c < PlaceTextCount; ++c)
        result.texts[std::size_t(c)] = FieldPosition(record, QString::fromLatin1(Fields[c]));
    result.placeId = FieldPosition(record, QStringLiteral("Leaf_ID"));
    result.rows = ReadTextRows(std::move(query), DbConn().database());
    return result;
}

} // namespace Processing
