#pragma once
#include <chrono>
#include <string>

namespace fw {

// How long a display may take to accept us before it counts as not answering.
inline constexpr std::chrono::milliseconds kXDisplayAnswerLimit{5000};

// Empty when an X display can be opened; otherwise why not, in one line. A server that takes the
// connection but does not answer within `limit` counts as one that cannot be opened.
std::string CheckXDisplay(std::chrono::milliseconds limit = kXDisplayAnswerLimit);

}  // namespace fw
