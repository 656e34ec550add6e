#pragma once

#include <QString>

namespace Processing {

// The categories the tree loads below a node: for 0 the first two levels, otherwise the
// grandchildren of the category.
QString GetSubCatQuery(qint32 Branch_ID);

// The places list: every place (-1) or the places filed directly under one category.
QString GetPlacesQuery(qint32 Branch_ID);

// The places list as the window reads it: GetPlacesQuery narrowed by the search condition in
// force, when there is one.
QString PlacesListQuery(qint32 Branch_ID, const QString &SearchStr);

} // namespace Processing
