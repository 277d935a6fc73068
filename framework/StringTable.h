// The program's own string table, read into a string of the caller's (not a shared buffer).
#pragma once
#include <windows.h>

#include <string>

namespace fw {

std::string LoadedString(UINT id);

}  // namespace fw
