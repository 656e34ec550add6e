#pragma once

#include <QString>

namespace Processing {

// The current search condition, read by every reload of the places list; empty for none.
extern QString SearchStr;
// The category part of a condition while the search dialog builds it.
extern QString SearchCatStr;

} // namespace Processing
