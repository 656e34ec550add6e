#include "editing/PlaceChanges.h"

#include "data/Connection.h"
#include "data/Queries.h"
#include "data/SqlText.h"

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

QStringList ChangedFields(const frmUpdate::StoredPlace &was, const frmUpdate::StoredPlace &now)
{
    const QList<std::pair<QString frmUpdate::StoredPlace::*, const char *>> fields = {
        {&frmUpdate::StoredPlace::filedUnder, "Parent Category"},
        {&frmUpdate::StoredPlace::name, "Place Name"},
        {&frmUpdate::StoredPlace::city, "City"},
        {&frmUpdate::StoredPlace::district, "District"},
        {&frmUpdate::StoredPlace::address, "Address"},
        {&frmUpdate::StoredPlace::telephone, "Telephone"},
        {&frmUpdate::StoredPlace::more, "More"},
        {&frmUpdate::StoredPlace::url, "URL"},
    };
    QStringList changed;
    // As the update stores them: without the blanks around, so a link stored with its leading
    // blank equals the same link stored trimmed, and an empty link equals none.
    for (const auto &[member, label] : fields) {
        if (Processing::TrimBlanks(was.*member) != Processing::TrimBlanks(now.*member))
            changed.append(QLatin1StringView(label));
    }
    return changed;
}
