#pragma once

#include <chrono>

namespace Processing {

// How long a statement or a commit may wait for the server's next byte unless the user's
// settings say otherwise.
inline constexpr std::chrono::milliseconds DefaultAnswerLimit{15000};

} // namespace Processing
