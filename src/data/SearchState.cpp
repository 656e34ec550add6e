#include "data/SearchState.h"

namespace Processing {

QString SearchStr;
QString SearchCatStr;

} // namespace Processing
