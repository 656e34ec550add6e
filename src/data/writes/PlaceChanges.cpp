#include "data/writes/PlaceChanges.h"

#include "data/statements/PlaceStatements.h"
#include "data/statements/SqlText.h"

#include <QCoreApplication>

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
        {&StoredPlace::filedUnder, QT_TRANSLATE_NOOP("PlaceFields", "Parent Category")},
        {&StoredPlace::name, QT_TRANSLATE_NOOP("PlaceFields", "Place Name")},
        {&StoredPlace::city, QT_TRANSLATE_NOOP("PlaceFields", "City")},
        {&StoredPlace::district, QT_TRANSLATE_NOOP("PlaceFields", "District")},
        {&StoredPlace::address, QT_TRANSLATE_NOOP("PlaceFields", "Address")},
        {&StoredPlace::telephone, QT_TRANSLATE_NOOP("PlaceFields", "Telephone")},
        {&StoredPlace::more, QT_TRANSLATE_NOOP("PlaceFields", "More")},
        {&StoredPlace::url, QT_TRANSLATE_NOOP("PlaceFields", "URL")},
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
            changed.append(QCoreApplication::translate("PlaceFields", label));
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
