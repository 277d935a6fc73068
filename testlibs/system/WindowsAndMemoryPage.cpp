// The Windows version, the computer, its memory and the temporary folder. The check runs on a
// background thread under a status window; a separate program proves that programs can write
// to the temporary folder. Unattended runs start it at once and move on when all is well;
// otherwise the user starts it with Continue.
#include <windows.h>
#include <process.h>

#include <memory>

#include "SamplePage.h"
#include "SystemIds.h"
#include "zelkor.h"

namespace {

sample::Report g_system{"Item", "Value"};
bool g_checked = false;
bool g_checking = false;  // a check runs in the background
bool g_allWell = false;
HANDLE g_worker = nullptr;

std::string WindowsVersion() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return "Unknown";
    std::string text = sample::Format("%lu.%lu build %lu", version.dwMajorVersion, version.dwMinorVersion,
                                      version.dwBuildNumber & 0xFFFF);
    if (version.szCSDVersion[0]) text += std::string(" ") + version.szCSDVersion;
    return text;
}

// Waits for the program to end, giving up when the user stops the run or after 30 seconds.
bool WaitForTempCheck(HANDLE program) {
    for (int slice = 0; slice < 300; ++slice) {
        if (WaitForSingleObject(program, 100) == WAIT_OBJECT_0) return true;
        if (ZKShouldTerminate()) return false;
    }
    return false;
}

// Whether another program can create a file in the temporary folder, as Ravelin does for every
// fax: the command interpreter writes one there and its exit code tells. It gets none of our
// handles, and a check that gives up on it ends it: no command interpreter outlives the check.
std::string CheckTempFolder(const std::string& folder) {
    const std::string file = folder + "zkcheck.tmp";
    DeleteFileA(file.c_str());
    std::string command = "cmd.exe /c echo Zelkor>\"" + file + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                        &started))
        return "Not checked (the command interpreter did not start)";
    CloseHandle(started.hThread);
    const std::unique_ptr<void, decltype(&CloseHandle)> program(started.hProcess, CloseHandle);
    if (!WaitForTempCheck(program.get())) {
        TerminateProcess(program.get(), 1);
        return "Not checked";
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(program.get(), &exitCode);
    const bool written = GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES;
    DeleteFileA(file.c_str());
    if (exitCode != 0 || !written) return sample::Format("Not writable (exit code %lu)", exitCode);
    return "Writable";
}

// Runs on the background thread; everything it shows goes through Zelkor's host functions.
void ReadSystem() {
    g_system.Clear();
    ZKUpdateStatus("Reading the Windows version...");
    g_system.Add({"Windows version", WindowsVersion()});
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = sizeof name;
    g_system.Add({"Computer name", GetComputerNameA(name, &length) ? name : ""});
    SYSTEM_INFO info;
    GetNativeSystemInfo(&info);
    g_system.Add({"Processors", std::to_string(info.dwNumberOfProcessors)});
    if (ZKShouldTerminate()) return;

    ZKUpdateStatus("Measuring memory...");
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    bool lowMemory = false;
    if (GlobalMemoryStatusEx(&memory)) {
        g_system.Add({"Memory", sample::Megabytes(memory.ullTotalPhys)});
        g_system.Add({"Free memory", sample::Megabytes(memory.ullAvailPhys)});
        lowMemory = memory.ullAvailPhys < 64ull * 1024 * 1024;
    }
    char directory[MAX_PATH] = {};
    GetWindowsDirectoryA(directory, MAX_PATH);
    g_system.Add({"Windows folder", directory});
    if (ZKShouldTerminate()) return;

    ZKUpdateStatus("Checking that programs can write to the temporary folder...");
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string tempState = CheckTempFolder(temp);
    g_system.Add({"Temporary folder", temp});
    g_system.Add({"Temporary folder is", tempState});
    g_allWell = false;
    if (tempState != "Writable") {
        g_system.summary = "Programs cannot write to the temporary folder: faxes cannot be prepared.";
    } else if (lowMemory) {
        g_system.summary = "Less than 64 MB of memory is free: close other programs before faxing.";
    } else {
        g_system.summary = "Windows is ready to prepare and send faxes.";
        g_allWell = true;
    }
    g_checked = true;
}

unsigned __stdcall CheckInBackground(void*) {
    ReadSystem();
    ZKEndBackground();  // the last act of a registered thread
    return 0;
}

void CloseWorker() {
    if (g_worker) CloseHandle(g_worker);
    g_worker = nullptr;
}

void StartCheck(HWND page) {
    CloseWorker();
    ZKBeginStatus(IDI_SYSTEM, "Reading Windows and memory...", sample::Module());
    g_worker = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, CheckInBackground, nullptr, 0, nullptr));
    if (!g_worker) {
        ZKEndStatus();
        SetDlgItemTextA(page, IDC_PAGE_SUMMARY, "The check could not be started.");
        return;
    }
    g_checking = true;
    ZKBeginBackground(g_worker);
}

void CheckDone(HWND page) {
    g_checking = false;
    sample::ShowReport(page, g_system);
    ZKEndStatus();
    // An unattended run has nothing to show the user here when all is well.
    if (ZKAutoRun() && g_allWell) ZKForceNext();
}

}  // namespace

extern "C" INT_PTR CALLBACK WindowsAndMemoryPage(HWND page, UINT message, WPARAM wParam, LPARAM) {
    if (sample::IsRefreshClick(message, wParam)) {
        if (!g_checking) StartCheck(page);  // check again
        return TRUE;
    }
    switch (message) {
    case WM_INITDIALOG:
        sample::InitReportPage(page, g_system, {80, 156});
        return TRUE;
    case WM_DESTROY:
        CloseWorker();
        return FALSE;
    case ZKPM_ACTIVATE:
        if (g_checked) {
            sample::ShowReport(page, g_system);
        } else if (ZKAutoRun()) {
            StartCheck(page);
        } else {
            SetDlgItemTextA(page, IDC_PAGE_SUMMARY, "Press Continue to check this computer.");
            ZKSetContinue(TRUE);
        }
        return TRUE;
    case ZKPM_CONTINUE:
        StartCheck(page);
        return TRUE;
    case ZKPM_TASKDONE:
        CheckDone(page);
        return TRUE;
    case ZKPM_NEXT:
        return sample::Answer(page, 1);
    case ZKPM_WRITELOG:
        ZKLogSection("Windows and Memory");
        sample::LogReport("This computer", g_system);
        return TRUE;
    }
    return FALSE;
}
