#pragma once

#include "data/rows/TextRows.h"

#include <QString>

#include <array>
#include <memory>

namespace Processing {

// The places list's texts, in the order the list shows them.
enum class PlaceText { Name, City, District, Address, Telephone, More, URL, Category };
inline constexpr int PlaceTextCount = 8;

// The rows of the places list being read, and where in each row its values are.
struct PlacesListRows
{
    std::unique_ptr<TextRows> rows;
    std::array<int, PlaceTextCount> texts{}; // by PlaceText
    int placeId = -1;
};

// Sends the places list's statement (PlacesListQuery) and hands its rows over, to be read to the
// end before the next statement is sent. Throws DbError when the database refuses it.
PlacesListRows OpenPlacesList(qint32 Branch_ID, const QString &SearchStr);

} // namespace Processing
