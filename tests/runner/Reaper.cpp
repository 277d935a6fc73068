// zkreap: ends every process still alive in this Wine prefix apart from Wine's own services and
// itself. Run once a test program has ended, so that nothing the test started outlives it. Prints
// each process it ends, and the system's reason for one it cannot end.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstring>

#include "framework/Handles.h"

namespace {

// Started once for the prefix and shared by every test that follows.
constexpr const char* kWineServices[] = {"services.exe", "winedevice.exe", "plugplay.exe",
                                         "svchost.exe",  "rpcss.exe",      "explorer.exe"};

bool IsWineService(const char* name) {
    for (const char* service : kWineServices)
        if (_stricmp(name, service) == 0) return true;
    return false;
}

// Ends the process and waits for it to be gone; false (last error set) when it could not.
bool End(DWORD id) {
    fw::UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
    if (!process || !TerminateProcess(process.get(), 1)) return false;
    if (WaitForSingleObject(process.get(), 5000) == WAIT_OBJECT_0) return true;
    SetLastError(WAIT_TIMEOUT);
    return false;
}

}  // namespace

int main() {
    fw::UniqueHandle<fw::InvalidHandleTraits<CloseHandle>> snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) {
        std::printf("zkreap: cannot list the processes (error %lu)\n", GetLastError());
        return 1;
    }
    int failures = 0;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
        if (entry.th32ProcessID == GetCurrentProcessId() || IsWineService(entry.szExeFile)) continue;
        if (End(entry.th32ProcessID)) {
            std::printf("zkreap: ended %s (process %lu), still running after the test\n", entry.szExeFile,
                        entry.th32ProcessID);
        } else {
            std::printf("zkreap: cannot end %s (process %lu): error %lu\n", entry.szExeFile, entry.th32ProcessID,
                        GetLastError());
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
