#pragma once

#include <QString>

namespace Processing {

// The categories the tree loads below a node: for 0 the first two levels, otherwise the
// grandchildren of the category.
QString GetSubCatQuery(qint32 Branch_ID);

// The places list: every place (-1) or the places filed directly under one category.
QString GetPlacesQuery(qint32 Branch_ID);

} // namespace Processing
