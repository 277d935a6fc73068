// The program's own string table, read into a string of the caller's (not a shared buffer).
#pragma once
#include <windows.h>

#include <cstdio>
#include <string>

namespace fw {

std::string LoadedString(UINT id);

// A string-table entry used as a printf format; the result is cut at 1,023 characters.
template <class... Arguments>
std::string FormattedString(UINT formatId, Arguments... arguments) {
    char text[1024] = {};
    std::snprintf(text, sizeof text, LoadedString(formatId).c_str(), arguments...);
    return text;
}

}  // namespace fw
