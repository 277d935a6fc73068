#include "app/FaultHandler.h"

#include <windows.h>

#include <csignal>
#include <string>

#include "framework/FaultFrame.h"
#include "framework/MessageBox.h"
#include "framework/StringTable.h"
#include "log/LogFile.h"
#include "resources/resource.h"
#include "testlib/TestLibrary.h"
#include "wizard/TestPage.h"
#include "wizard/WizardDlg.h"

namespace {

// What abort() ends a process with; a library's C++ runtime aborts when it finds no handler
// for what it throws (on i686 each module unwinds only its own frames).
constexpr DWORD kAbortExitCode = 3;

LONG faultBeingHandled = 0;

// The library and test that ran, or the library whose code faulted, or the fault's code.
std::string DescribeFault(DWORD code, const void* address) {
    const std::string inCall = CTestPage::LibraryInCall();
    if (!inCall.empty()) return inCall;
    if (const CTestLibrary* library = TestLibraryOf(ModuleAt(address)))
        return fw::FormattedString(IDS_LIBRARY_FAILED_OUTSIDE_TEST, library->name(), library->fileName().c_str());
    return fw::FormattedString(IDS_PROGRAM_FAILED, static_cast<unsigned long>(code));
}

// The log is marked only while it is being appended to: a log opened to be read back (printing,
// faxing) is left as it is.
bool LogBeingWritten() {
    HANDLE log = LogFileHandle();
    LARGE_INTEGER position{}, size{};
    return log != INVALID_HANDLE_VALUE && SetFilePointerEx(log, LARGE_INTEGER{}, &position, FILE_CURRENT) &&
           GetFileSizeEx(log, &size) && position.QuadPart == size.QuadPart;
}

[[noreturn]] void EndAfterFault(DWORD code, const void* address) {
    // A second fault while this one is handled ends the process at once.
    if (InterlockedExchange(&faultBeingHandled, 1)) TerminateProcess(GetCurrentProcess(), code);
    const std::string description = DescribeFault(code, address);
    if (LogBeingWritten()) {
        MarkLogIncomplete(description.c_str());
        CommitLogFile();
    }
    fw::ShowMessage(CWizardDlg::ActiveWindow(), fw::FormattedString(IDS_FATAL_ERROR, description.c_str()), MB_OK | MB_ICONSTOP);
    // Nothing of the failed state runs again: no library's detach code, no destructors.
    TerminateProcess(GetCurrentProcess(), code);
    for (;;) Sleep(INFINITE);
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception) {
    EndAfterFault(exception->ExceptionRecord->ExceptionCode, exception->ExceptionRecord->ExceptionAddress);
}

// A fault that no frame inside ours handled: a library's own handler has had its chance.
void OnFault(const EXCEPTION_RECORD& fault) { EndAfterFault(fault.ExceptionCode, fault.ExceptionAddress); }

void OnAbort(int) { EndAfterFault(kAbortExitCode, nullptr); }

}  // namespace

void InstallFaultHandler() {
    fw::SetFaultAction(OnFault);
    SetUnhandledExceptionFilter(OnUnhandledException);
    std::signal(SIGABRT, OnAbort);
}
