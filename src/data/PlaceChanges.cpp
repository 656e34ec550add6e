#include "data/PlaceChanges.h"

#include "data/PlaceStatements.h"
#include "data/SqlText.h"

namespace Processing {

std::optional<StoredPlace> ReadListedPlace(qint32 placeId, const QString &filedUnder, Connection &db)
{
    const Recordset rs = db.openRecordset(ListedPlaceQuery(placeId));
    if (rs.RecordCount() < 1)
        return std::nullopt;
    const int category = rs.field(QStringLiteral("Category"));
    int row = 0;
    for (int r = 0; r < rs.RecordCount(); ++r) {
        if (rs.text(r, category) == filedUnder)
            row = r;
    }
    const auto text = [&rs, row](const char *field) { return rs.text(row, rs.field(QLatin1StringView(field))); };
    StoredPlace place;
    place.id = placeId;
    place.name = text("Name");
    place.city = text("City");
    place.district = text("District");
    place.address = text(AddressTextField);
    place.telephone = text(TelephoneTextField);
    place.more = text("More");
    place.url = text("URL");
    place.filedUnder = text("Category");
    return place;
}

namespace {

using Field = QString StoredPlace::*;

// The fields the question names, in the window's order.
const QList<std::pair<Field, const char *>> &comparedFields()
{
    static const QList<std::pair<Field, const char *>> fields = {
        {&StoredPlace::filedUnder, "Parent Category"},
        {&StoredPlace::name, "Place Name"},
        {&StoredPlace::city, "City"},
        {&StoredPlace::district, "District"},
        {&StoredPlace::address, "Address"},
        {&StoredPlace::telephone, "Telephone"},
        {&StoredPlace::more, "More"},
        {&StoredPlace::url, "URL"},
    };
    return fields;
}

// As the update stores them: without the blanks around, so a link stored with its leading blank
// equals the same link stored trimmed, and an empty link equals none.
bool same(const QString &a, const QString &b)
{
    return TrimBlanks(a) == TrimBlanks(b);
}

} // namespace

QStringList ChangedFields(const StoredPlace &was, const StoredPlace &now)
{
    QStringList changed;
    for (const auto &[member, label] : comparedFields()) {
        if (!same(was.*member, now.*member))
            changed.append(QLatin1StringView(label));
    }
    return changed;
}

StoredPlace ComparedWith(const StoredPlace &listed, const StoredPlace &now, const std::optional<StoredPlace> &ownLast)
{
    StoredPlace compared = now;
    for (const auto &[member, label] : comparedFields()) {
        if (!same(listed.*member, now.*member) && !(ownLast && same((*ownLast).*member, now.*member)))
            compared.*member = listed.*member;
    }
    return compared;
}

std::optional<StoredPlace> StoredPlaces::Last(qint32 placeId) const
{
    const auto found = m_places.constFind(placeId);
    if (found == m_places.cend())
        return std::nullopt;
    return *found;
}

} // namespace Processing
