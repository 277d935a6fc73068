// Loading a system file as INI text (the exported ZKLoadIniFile) and writing its sections.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

// Writes the named sections of a text, in that order, as ZKLogIniSection writes each one; the
// text is read once, however many sections it has. Out of memory, it throws std::bad_alloc,
// having written what it had composed.
void LogIniSections(std::string_view text, const std::vector<std::string>& sections);
