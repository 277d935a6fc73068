#include "testlib/Catalogue.h"

#include <windows.h>

#include <string>
#include <vector>

#include "framework/Handles.h"

namespace {
std::vector<fw::UniqueModule> g_libraries;
}

bool FindTestLibraries() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string pattern(path);
    pattern.erase(pattern.find_last_of('\\') + 1);
    pattern += "*.ZKL";
    WIN32_FIND_DATAA found;
    fw::UniqueFind search(FindFirstFileA(pattern.c_str(), &found));
    if (search) {
        do {
            fw::UniqueModule data(LoadLibraryExA(found.cFileName, nullptr, LOAD_LIBRARY_AS_DATAFILE));
            if (!data || !FindResourceA(data.get(), MAKEINTRESOURCEA(1), "ZKRC_LIBRARY")) continue;
            data.reset();
            fw::UniqueModule library(LoadLibraryA(found.cFileName));
            if (library) g_libraries.push_back(std::move(library));
        } while (FindNextFileA(search.get(), &found));
    }
    return !g_libraries.empty();
}

void FreeTestLibraries() { g_libraries.clear(); }
