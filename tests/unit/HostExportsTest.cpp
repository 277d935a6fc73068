// Test libraries import the host functions by their decorated names from Zelkor.exe: every name
// that the public header leads a library to import must resolve in the executable.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

const char* const kDeclaredNames[] = {
#include "host_import_names.inc"
};

std::string zelkorExePath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory = path;
    directory.erase(directory.find_last_of('\\'));           // ...\tests
    return directory.substr(0, directory.find_last_of('\\')) + "\\Zelkor.exe";  // the build's root
}

TEST(HostExports, EveryFunctionOfThePublicHeaderResolvesInZelkorExe) {
    HMODULE exe = LoadLibraryExA(zelkorExePath().c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(nullptr, exe) << zelkorExePath();
    for (const char* name : kDeclaredNames) EXPECT_NE(nullptr, GetProcAddress(exe, name)) << name;
    FreeLibrary(exe);
}

}  // namespace
