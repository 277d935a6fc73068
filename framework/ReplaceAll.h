// Text with every occurrence of one string replaced by another.
#pragma once
#include <string>

namespace fw {

// Left to right; what was put in is not searched again. from must not be empty.
std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to);

}  // namespace fw
