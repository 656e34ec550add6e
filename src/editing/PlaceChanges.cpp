#include "editing/PlaceChanges.h"

#include "data/Connection.h"
#include "data/Queries.h"
#include "data/SqlText.h"

#include <QHash>

std::optional<frmUpdate::StoredPlace> ReadListedPlace(qint32 placeId, const QString &filedUnder)
{
    const Processing::Recordset rs = Processing::DbConn().openRecordset(
        Processing::GetPlacesQuery(-1) + QStringLiteral(" AND places_leaves.leaf_id = %1").arg(placeId));
    if (rs.RecordCount() < 1)
        return std::nullopt;
    const int category = rs.field(QStringLiteral("Category"));
    int row = 0;
    for (int r = 0; r < rs.RecordCount(); ++r) {
        if (rs.text(r, category) == filedUnder)
            row = r;
    }
    const auto text = [&rs, row](const char *field) { return rs.text(row, rs.field(QLatin1StringView(field))); };
    frmUpdate::StoredPlace place;
    place.id = placeId;
    place.name = text("Name");
    place.city = text("City");
    place.district = text("District");
    // The rows hold them crosswise; the list shows each under the other's heading.
    place.address = text("Telephone");
    place.telephone = text("Address");
    place.more = text("More");
    place.url = text("URL");
    place.filedUnder = text("Category");
    return place;
}

namespace {

using Field = QString frmUpdate::StoredPlace::*;

// The fields the question names, in the window's order.
const QList<std::pair<Field, const char *>> &comparedFields()
{
    static const QList<std::pair<Field, const char *>> fields = {
        {&frmUpdate::StoredPlace::filedUnder, "Parent Category"},
        {&frmUpdate::StoredPlace::name, "Place Name"},
        {&frmUpdate::StoredPlace::city, "City"},
        {&frmUpdate::StoredPlace::district, "District"},
        {&frmUpdate::StoredPlace::address, "Address"},
        {&frmUpdate::StoredPlace::telephone, "Telephone"},
        {&frmUpdate::StoredPlace::more, "More"},
        {&frmUpdate::StoredPlace::url, "URL"},
    };
    return fields;
}

// As the update stores them: without the blanks around, so a link stored with its leading blank
// equals the same link stored trimmed, and an empty link equals none.
bool same(const QString &a, const QString &b)
{
    return Processing::TrimBlanks(a) == Processing::TrimBlanks(b);
}

QHash<qint32, frmUpdate::StoredPlace> &storedByThisProgram()
{
    static QHash<qint32, frmUpdate::StoredPlace> places;
    return places;
}

} // namespace

QStringList ChangedFields(const frmUpdate::StoredPlace &was, const frmUpdate::StoredPlace &now)
{
    QStringList changed;
    for (const auto &[member, label] : comparedFields()) {
        if (!same(was.*member, now.*member))
            changed.append(QLatin1StringView(label));
    }
    return changed;
}

frmUpdate::StoredPlace ComparedWith(const frmUpdate::StoredPlace &listed, const frmUpdate::StoredPlace &now,
                                    const std::optional<frmUpdate::StoredPlace> &ownLast)
{
    frmUpdate::StoredPlace compared = now;
    for (const auto &[member, label] : comparedFields()) {
        if (!same(listed.*member, now.*member) && !(ownLast && same((*ownLast).*member, now.*member)))
            compared.*member = listed.*member;
    }
    return compared;
}

void RememberStored(const frmUpdate::StoredPlace &place)
{
    storedByThisProgram().insert(place.id, place);
}

std::optional<frmUpdate::StoredPlace> LastStored(qint32 placeId)
{
    const auto found = storedByThisProgram().constFind(placeId);
    if (found == storedByThisProgram().cend())
        return std::nullopt;
    return *found;
}
