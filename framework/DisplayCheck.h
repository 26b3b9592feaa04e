#pragma once
#include <string>

namespace fw {

// Empty when an X display can be opened; otherwise why not, in one line.
std::string CheckXDisplay();

}  // namespace fw
