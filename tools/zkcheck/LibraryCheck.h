// Checks one test library the way Zelkor reads it at start-up, with the program's own parsers,
// and says either what the wizard will show of it or every problem that makes it skip or
// shorten the library.
#pragma once
#include <string>
#include <vector>

struct LibraryCheck {
    std::vector<std::string> problems;  // each names its place: a list and byte offset, a test, an id
    std::vector<std::string> summary;   // what the wizard will show; only for a sound library
    bool sound() const { return problems.empty(); }
};

// The library's processor is compared with that of Zelkor.exe beside it, or when there is none,
// with this program's own. The library's code is never run.
LibraryCheck CheckLibrary(const std::string& path);
