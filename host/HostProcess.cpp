// ZKCreateProcess: starts a program and, on a short-lived watcher thread, tells a window when
// it has ended.
#include <windows.h>
#include <process.h>

#include <cstring>
#include <memory>

#include "zelkor.h"

namespace {

// The watcher's own copy of the request and the started process; the watcher frees it.
struct ProcessWatch {
    CREATEPROCESSINFO request{};
    PROCESS_INFORMATION process{};

    ~ProcessWatch() {
        if (process.hThread) CloseHandle(process.hThread);
        if (process.hProcess) CloseHandle(process.hProcess);
    }
};

unsigned __stdcall WatchProcess(void* context) {
    std::unique_ptr<ProcessWatch> watch(static_cast<ProcessWatch*>(context));
    WaitForSingleObject(watch->process.hProcess, INFINITE);
    if (watch->request.hwndNotify) {
        DWORD exitCode = 0;
        GetExitCodeProcess(watch->process.hProcess, &exitCode);
        // Sent, so that the window's own thread handles the notice while the watcher waits.
        SendMessageA(watch->request.hwndNotify, watch->request.uNotifyMessage, 0, static_cast<LPARAM>(exitCode));
    }
    return 0;
}

}  // namespace

BOOL WINAPI ZKCreateProcess(LPCREATEPROCESSINFO info) {
    try {
        auto watch = std::make_unique<ProcessWatch>();
        XError::Check(info && info->lpCommandLine && info->cbSize == sizeof(CREATEPROCESSINFO));
        STARTUPINFOA defaultStartup{};
        defaultStartup.cb = sizeof defaultStartup;
        LPSTARTUPINFOA startup = info->lpStartupInfo ? info->lpStartupInfo : &defaultStartup;
        XError::Check(CreateProcessA(nullptr, info->lpCommandLine, nullptr, nullptr, FALSE, CREATE_SEPARATE_WOW_VDM,
                                     info->lpEnvironment, info->lpCurrentDirectory, startup, &watch->process));
        std::memcpy(&watch->request, info, sizeof watch->request);
        const uintptr_t watcher = _beginthreadex(nullptr, 0, WatchProcess, watch.get(), 0, nullptr);
        XError::Check(watcher != 0);
        watch.release();  // the watcher owns it now
        CloseHandle(reinterpret_cast<HANDLE>(watcher));
        return TRUE;
    } catch (const XError&) {
        return FALSE;
    }
}
