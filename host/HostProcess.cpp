// ZKCreateProcess: starts a program and, on a short-lived watcher thread, tells a window when
// it has ended.
#include <windows.h>
#include <process.h>

#include <cstring>
#include <memory>

#include "framework/Process.h"
#include "zelkor.h"

namespace {

// The watcher's own copy of the request and the started process; the watcher frees it.
struct ProcessWatch {
    CREATEPROCESSINFO request{};
    fw::UniqueKernelHandle process;
};

unsigned __stdcall WatchProcess(void* context) {
    std::unique_ptr<ProcessWatch> watch(static_cast<ProcessWatch*>(context));
    WaitForSingleObject(watch->process.get(), INFINITE);
    if (watch->request.hwndNotify) {
        DWORD exitCode = 0;
        GetExitCodeProcess(watch->process.get(), &exitCode);
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
        watch->process = fw::StartProcess(info->lpCommandLine, info->lpStartupInfo, info->lpEnvironment,
                                          info->lpCurrentDirectory);
        XError::Check(watch->process.valid());
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
