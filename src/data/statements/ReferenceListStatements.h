#pragma once

#include <QString>

namespace Processing {

// The category, city and district lists that the search, add and update windows show, and the
// rows the add window stores in them. Typed names enter through SqlText.
QString CategoriesQuery();
QString CitiesQuery();
QString DistrictsQuery();
// One category's name, read again before a write relies on the category chosen.
QString CategoryNameQuery(qint32 branchId);

QString InsertCategoryStatement(qint32 id, const QString &typedName, qint32 parentId);
QString InsertDistrictStatement(qint32 id, const QString &typedName, qint32 cityCode);

} // namespace Processing
