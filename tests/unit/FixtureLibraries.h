// Where the fixture libraries (tests/fixtures/libraries) are built: beside zelkor_unit.exe.
#pragma once
#include <windows.h>

#include <string>

inline std::string FixtureDirectory() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path);
    return directory.erase(directory.find_last_of('\\') + 1) + "libraries\\";
}
