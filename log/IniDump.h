// Loading a system file as INI text and writing its sections.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "log/SecretNames.h"

// A system file's whole text, NUL-terminated, in a fixed block the caller frees with GlobalFree;
// null when it cannot be read.
HGLOBAL LoadIniFile(const char* fileName);
// Writes one section of a loaded file, if it has it.
void LogIniSection(HGLOBAL loadedFile, const char* section);
// Writes the named sections of a text, in that order, as LogIniSection writes each one; the
// text is read once, however many sections it has. Out of memory, it throws std::bad_alloc,
// having written what it had composed. The values of `names` are hidden (an empty list is the
// dump without masking that a benchmark compares with).
void LogIniSections(std::string_view text, const std::vector<std::string>& sections,
                    const CSecretNames& names = SecretNames());
