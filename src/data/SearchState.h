#pragma once

#include <QString>

namespace Processing {

// The current search condition, read by every reload of the places list; empty for none.
extern QString SearchStr;

} // namespace Processing
