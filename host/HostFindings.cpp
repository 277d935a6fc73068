// ZKReportFinding: the finding is kept under the name of the library whose code made the call,
// so that a library need not (and cannot wrongly) name itself.
#include <windows.h>

#include <cstring>
#include <string>

#include "framework/Trace.h"
#include "log/Findings.h"
#include "testlib/TestLibrary.h"
#include "zelkor.h"

namespace {

// The test library that holds the address; for any other module, its file's name.
std::string libraryAt(const void* address) {
    const HMODULE module = ModuleAt(address);
    if (!module) return "";
    if (const CTestLibrary* library = TestLibraryOf(module)) return library->name();
    char path[MAX_PATH] = {};
    GetModuleFileNameA(module, path, MAX_PATH);
    std::string name = path;
    name.erase(0, name.find_last_of('\\') + 1);
    return name.substr(0, name.find_last_of('.'));
}

}  // namespace

void WINAPI ZKReportFinding(int severity, LPCSTR text) {
    if (!text || !*text) return;
    try {
        SessionFindings().Report(severity, libraryAt(__builtin_return_address(0)),
                                 std::string_view(text, strnlen(text, CFindings::kLongestText)));
    } catch (...) {
        fw::TraceCaughtException("ZKReportFinding");  // nothing crosses into the library
    }
}
