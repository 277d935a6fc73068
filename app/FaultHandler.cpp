#include "app/FaultHandler.h"

#include <windows.h>

#include <csignal>
#include <cstdio>
#include <string>

#include "log/LogFile.h"
#include "resources/resource.h"
#include "wizard/TestPage.h"
#include "zelkor.h"

namespace {

// What abort() ends a process with; a library's C++ runtime aborts when it finds no handler
// for what it throws (on i686 each module unwinds only its own frames).
constexpr DWORD kAbortExitCode = 3;

LONG faultBeingHandled = 0;

std::string LoadedString(UINT id) {
    char text[256] = {};
    LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return text;
}

std::string DescribeFault(DWORD code) {
    std::string description = CTestPage::LibraryInCall();
    if (description.empty()) {
        char text[256] = {};
        std::snprintf(text, sizeof text, LoadedString(IDS_PROGRAM_FAILED).c_str(), static_cast<unsigned long>(code));
        description = text;
    }
    return description;
}

// The log is marked only while it is being appended to: a log opened to be read back (printing,
// faxing) is left as it is.
bool LogBeingWritten() {
    HANDLE log = LogFileHandle();
    LARGE_INTEGER position{}, size{};
    return log != INVALID_HANDLE_VALUE && SetFilePointerEx(log, LARGE_INTEGER{}, &position, FILE_CURRENT) &&
           GetFileSizeEx(log, &size) && position.QuadPart == size.QuadPart;
}

[[noreturn]] void EndAfterFault(DWORD code) {
    // A second fault while this one is handled ends the process at once.
    if (InterlockedExchange(&faultBeingHandled, 1)) TerminateProcess(GetCurrentProcess(), code);
    const std::string description = DescribeFault(code);
    if (LogBeingWritten()) {
        MarkLogIncomplete(description.c_str());
        CommitLogFile();
    }
    char text[1024] = {};
    std::snprintf(text, sizeof text, LoadedString(IDS_FATAL_ERROR).c_str(), description.c_str());
    ZKMessageBox(text, MB_OK | MB_ICONSTOP);
    // Nothing of the failed state runs again: no library's detach code, no destructors.
    TerminateProcess(GetCurrentProcess(), code);
    for (;;) Sleep(INFINITE);
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception) {
    EndAfterFault(exception->ExceptionRecord->ExceptionCode);
}

void OnAbort(int) { EndAfterFault(kAbortExitCode); }

}  // namespace

void InstallFaultHandler() {
    SetUnhandledExceptionFilter(OnUnhandledException);
    std::signal(SIGABRT, OnAbort);
}
