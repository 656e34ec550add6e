#include "data/SearchState.h"

namespace Processing {

QString SearchStr;

} // namespace Processing
