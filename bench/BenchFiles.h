// Setting up a benchmark's copy of the program: files copied by wildcard.
#pragma once
#include <windows.h>

#include <string>

// Copies every file in `from` that matches `pattern` into `to`; false when none matched or one
// could not be copied.
inline bool copyMatching(const std::string& from, const std::string& pattern, const std::string& to) {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((from + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool copied = true;
    do copied = CopyFileA((from + found.cFileName).c_str(), (to + found.cFileName).c_str(), FALSE) && copied;
    while (FindNextFileA(search, &found));
    FindClose(search);
    return copied;
}
